// Windows moved to a monitor at another scale: told so as the system tells
// them, they take their size at the new scale, and their buttons and text
// boxes are at their new places.

#include <gtest/gtest.h>

#include <string>

#include "e2e_support.h"
#include "settings/options_frm.h"
#include "shell/form_layout.h"
#include "shell/main_frm.h"
#include "shell_driving.h"
#include "ui_input.h"

namespace tavrin::e2e {
namespace {

constexpr int kNewDpi = 144;

platform::PixelPoint SizeOf(HWND window) {
  RECT place{};
  GetWindowRect(window, &place);
  return {place.right - place.left, place.bottom - place.top};
}

// The form as the program lays it out at the scale.
shell::FormModel LaidOut(const platform::FormDesign& design, int dpi) {
  shell::FormModel model(design);
  model.Layout(dpi);
  return model;
}

// The form takes its new size once told of the new scale.
void ExpectRescaled(HWND window, const platform::FormDesign& design) {
  ASSERT_TRUE(SendDpiChanged(window, kNewDpi));
  const platform::PixelPoint expected = LaidOut(design, kNewDpi).SizeInPixels();
  EXPECT_TRUE(WaitUntil([&] { return SizeOf(window) == expected; }, 10s))
      << SizeOf(window).x << " x " << SizeOf(window).y;
}

class MonitorScale : public ::testing::Test {
 protected:
  void SetUp() override {
    StoreSettings({{"Ascii", "~~"}, {"UseWAStatus", "1"}, {"UseSongName", "1"},
                   {"UseBitRate", "0"}, {"UseElapRem", "0"}, {"UseSongLen", "0"},
                   {"AutoAdv", "0"}, {"AutoLoadWA", "0"}, {"WinampDIR", ""}});
    chat_ = Process::Start(ProgramFolder() + L"\\standin-chat.exe", L"");
    player_ = Process::Start(ProgramFolder() + L"\\standin-player.exe", L"");
    ASSERT_NE(WaitForChatClient(), nullptr);
    ASSERT_NE(WaitForTopLevel("Winamp v1.x"), nullptr);
    program_ = Process::Start(ProgramFolder() + L"\\tavrin.exe", L"");
    main_ = PassTheSplash();
    ASSERT_NE(main_, nullptr);
  }

  std::string Transcript() { return WindowText(RoomTranscript(1)); }
  void ClickAt(POINT at) { ASSERT_TRUE(Click(at.x, at.y)) << LastInputFailure(); }

  Process chat_, player_, program_;
  HWND main_ = nullptr;
};

// At the new place of Advertise, the old layout has the play button.
TEST_F(MonitorScale, MainWindowsButtonsWorkAtTheirNewPlaces) {
  ExpectRescaled(main_, shell::MainFRM::Design());
  const std::size_t before = Transcript().size();
  ClickAt(CentreOf(main_, shell::MainFRM::Design(), "AdvSongLBL", kNewDpi));
  EXPECT_TRUE(WaitUntil(
      [&] {
        return Transcript().find("DemoUser:\t~~ Playing Song: ", before) !=
               std::string::npos;
      },
      15s))
      << Transcript();
}

TEST_F(MonitorScale, OptionsTextBoxesMoveWithTheWindowAndItsExitWorks) {
  ClickAt(CentreOf(main_, shell::MainFRM::Design(), "OptionsLBL"));
  const HWND options = WaitForVisible(kOptionsClass, 15s);
  ASSERT_NE(options, nullptr);
  const platform::FormDesign design = settings::OptionsFRM::Design();
  ExpectRescaled(options, design);
  const HWND ascii = FindWindowExW(options, nullptr, L"Edit", nullptr);
  ASSERT_NE(ascii, nullptr);
  RECT box{};
  GetWindowRect(ascii, &box);
  MapWindowPoints(nullptr, options, reinterpret_cast<POINT*>(&box), 2);
  // The box's place from the window's top-left corner.
  const shell::FormModel model = LaidOut(design, kNewDpi);
  const platform::PixelRect expected =
      model.Controls()[*model.IndexOf("Ascii")].rect;
  EXPECT_EQ((platform::PixelRect{box.left, box.top, box.right, box.bottom}),
            expected);
  ClickAt(CentreOf(options, design, "ExitLBL", kNewDpi));
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(options); }, 15s));
}

}  // namespace
}  // namespace tavrin::e2e
