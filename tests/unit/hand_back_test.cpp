// Windows that hand back to the main window while ".mini" has put it into
// the tray: it stays there, and its icon keeps working.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chat/chat_scan.h"
#include "shell_world.h"

namespace tavrin::shell {
namespace {

using platform::Milliseconds;
using testing::ShellWorld;

constexpr std::uint32_t kLeftDown = 513;

class HandBackInTheTray : public ::testing::Test {
 protected:
  HandBackInTheTray() {
    world.StartChat();
    world.StartToMainWindow();
  }

  // The owner types the line in the room; the scan hears it at its next
  // poll.
  void Type(std::string_view text) {
    world.chat->AddLine(1, standins::kDefaultScreenName, text);
    world.clock.Advance(chat::ChatScan::kPollInterval * 2);
  }

  // The main window is hidden behind its icon, and a press on the icon
  // opens the menu.
  void ExpectInTheTrayWithAWorkingIcon() {
    sim::SimFormWindow& main = world.Form("MainFRM");
    EXPECT_FALSE(main.IsVisible());
    EXPECT_TRUE(world.tray.Shows(main.Handle(), 1));
    world.forms.journal.clear();
    main.TrayIconEvent(kLeftDown);
    ASSERT_FALSE(world.forms.journal.empty());
    EXPECT_EQ(world.forms.journal.back().rfind("MainFRM menu Chat Commands", 0),
              0u)
        << world.forms.journal.back();
  }

  ShellWorld world;
};

struct HandingWindow {
  const char* opener;  // the main window's control that opens it
  const char* form;
  const char* closer;
};

TEST_F(HandBackInTheTray, WindowOpenedFromTheMainWindowClosedAfterMini) {
  const std::vector<HandingWindow> windows = {
      {"AboutLBL", "AboutFRM", "BackToMain"},
      {"OptionsLBL", "OptionsFRM", "ExitLBL"},
      // The auto-advertise switch's message.
      {"AutoAdv", "MessageFRM", "OKAY"},
  };
  for (const HandingWindow& window : windows) {
    SCOPED_TRACE(window.form);
    world.Form("MainFRM").Click(window.opener);
    world.Ticks(30);
    Type(".mini");
    world.Form(window.form).Click(window.closer);
    world.Ticks(30);
    ASSERT_EQ(world.forms.Find(window.form), nullptr) << "it faded out";
    ExpectInTheTrayWithAWorkingIcon();
    Type(".res");
    ASSERT_TRUE(world.Form("MainFRM").IsVisible());
  }
}

// The About window's advert line pumps messages: ".mini" and the About
// window's whole fade in and out happen inside the send, before the window
// could be told to hand back.
TEST_F(HandBackInTheTray, AboutClosedDuringItsAdvertLineAfterMini) {
  world.chat->Drive("decoys 100");
  world.windows.SetCallCost(Milliseconds(1));
  world.clock.ScheduleInput(world.clock.Now() + Milliseconds(2), [&] {
    world.chat->AddLine(1, standins::kDefaultScreenName, ".mini");
  });
  world.clock.ScheduleInput(world.clock.Now() + Milliseconds(150), [&] {
    world.Form("AboutFRM").Click("BackToMain");
  });
  world.Form("MainFRM").Click("AboutLBL");
  ASSERT_FALSE(world.program.AboutLoaded()) << "faded out during the send";
  ExpectInTheTrayWithAWorkingIcon();
}

}  // namespace
}  // namespace tavrin::shell
