#include <gtest/gtest.h>

#include "chat/chat_room.h"
#include "chat/screen_name.h"
#include "sim_world.h"

namespace tavrin::chat {
namespace {

using platform::kNoWindow;
using testing::SimWorld;

class ScreenName : public ::testing::Test {
 protected:
  // A client whose MDI area holds "AOL Child" windows with these captions,
  // in this order.
  void ClientWith(std::initializer_list<std::string_view> captions) {
    auto& d = world.desktop;
    const auto process = d.NewProcess();
    const auto frame = d.Create(process, kFrameClass, "AOL");
    const auto mdi = d.Create(process, kMdiClass, "", frame);
    for (const auto caption : captions) d.Create(process, kChildClass, caption, mdi);
  }

  SimWorld world;
};

TEST_F(ScreenName, IsReadOffTheWelcomeWindowOfTheStandIn) {
  auto& chat = world.StartChat();
  EXPECT_EQ(GetScreenName(world.windows), "DemoUser")
      << "behind the buddy list";
  chat.Drive("signon Test User");
  EXPECT_EQ(GetScreenName(world.windows), "Test User") << "asked anew";
}

TEST_F(ScreenName, NameIsEverythingUpToTheFirstBang) {
  ClientWith({"Buddy List", "Welcome, Some!User!"});
  EXPECT_EQ(GetScreenName(world.windows), "Some");
}

TEST_F(ScreenName, EmptyNameAndMissingBangGiveTheEmptyText) {
  ClientWith({"Welcome, !"});
  EXPECT_EQ(GetScreenName(world.windows), "");
  SimWorld other;
  auto& d = other.desktop;
  const auto process = d.NewProcess();
  const auto mdi = d.Create(process, kMdiClass, "", d.Create(process, kFrameClass, ""));
  d.Create(process, kChildClass, "Welcome, NoBang", mdi);
  d.Create(process, kChildClass, "Welcome, Later!", mdi);
  EXPECT_EQ(GetScreenName(other.windows), "") << "the first welcome wins";
}

TEST_F(ScreenName, WelcomeFurtherInIsNoWelcome) {
  ClientWith({"Say Welcome, Bob!", "welcome, bob!", "Welcome, Carol!"});
  EXPECT_EQ(GetScreenName(world.windows), "Carol");
}

TEST_F(ScreenName, NoClientNoWelcomeOrHungClientGiveTheEmptyText) {
  EXPECT_EQ(FindAolFrame(world.windows), kNoWindow);
  EXPECT_EQ(GetScreenName(world.windows), "");
  EXPECT_EQ(GetCaption(world.windows, kNoWindow), "");
  ClientWith({"Buddy List"});
  EXPECT_EQ(GetScreenName(world.windows), "");
  SimWorld hung;
  hung.StartChat().Drive("hang 5000");
  EXPECT_EQ(GetScreenName(hung.windows), "");
  hung.clock.Advance(platform::Milliseconds(7000));
  EXPECT_EQ(GetScreenName(hung.windows), "DemoUser") << "and back once it answers";
}

}  // namespace
}  // namespace tavrin::chat
