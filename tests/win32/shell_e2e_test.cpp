// tavrin.exe end to end: the real program, started as a user starts it,
// clicked with the real mouse, next to the stand-in programs.

#include <gtest/gtest.h>

#include <vector>

#include "e2e_support.h"
#include "forms/effects.h"
#include "platform/tray.h"
#include "settings/settings_store.h"
#include "shell/about_frm.h"
#include "shell/main_frm.h"
#include "shell_driving.h"
#include "ui_input.h"
#include "win32/win32_profile_file.h"
#include "win32/win32_tray.h"

namespace tavrin::e2e {
namespace {

class Shell : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = NewTemporaryFolder();
    playerLog_ = folder_ + L"\\player.log";
    StoreSettings({{"Ascii", "~~"}, {"UseWAStatus", "1"}, {"UseSongName", "1"},
                   {"UseBitRate", "1"}, {"UseElapRem", "0"}, {"UseSongLen", "1"},
                   {"AutoAdv", "0"}, {"AutoLoadWA", "0"}, {"WinampDIR", ""}});
    chat_ = Process::Start(ProgramFolder() + L"\\standin-chat.exe", L"");
    player_ = Process::Start(ProgramFolder() + L"\\standin-player.exe",
                             L"--log \"" + playerLog_ + L"\"");
    ASSERT_NE(WaitForChatClient(), nullptr)
        << "chat client running: " << chat_.Running() << ", its frame "
        << FindWindowA("AOL Frame25", nullptr);
    ASSERT_NE(WaitForTopLevel("Winamp v1.x"), nullptr);
  }

  // Starts the program and takes it past its splash to the main window.
  HWND OpenMainWindow() {
    program_ = Process::Start(ProgramFolder() + L"\\tavrin.exe", L"");
    return PassTheSplash();
  }

  // The program stopped may have cut a fade-in tick short, which finishes
  // on resuming: a whole step must remain after it.
  static bool StillFadingIn(HWND splash) {
    constexpr int kFadeStep = 10;
    const int alpha = AlphaOf(splash);
    return alpha > 0 && alpha < forms::kWorkingAlpha - kFadeStep;
  }

  // Starts the program and stops it while its splash fades in; the splash,
  // or nullptr.
  HWND StartAndStopDuringTheFadeIn() {
    constexpr int kAttempts = 5;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
      program_ = Process::Start(ProgramFolder() + L"\\tavrin.exe", L"");
      const HWND splash = WaitForVisible(kSplashClass, 30s, 1ms);
      if (splash == nullptr || !program_.SuspendMainThread()) return nullptr;
      if (StillFadingIn(splash)) return splash;
      // The fade-in got too far before the program was stopped, which a
      // busy machine may do: start again.
      program_.End();
      if (!WaitUntil([] { return FindWindowA(kSplashClass, nullptr) == nullptr; },
                     10s)) {
        return nullptr;
      }
    }
    return nullptr;
  }

  std::string Transcript() { return WindowText(RoomTranscript(1)); }
  bool TranscriptHas(const std::string& line) {
    return WaitUntil([&] { return Transcript().find(line) != std::string::npos; },
                     15s);
  }

  std::vector<int> PlayerCommands() {
    return LoggedPlayerCommands(playerLog_);
  }

  // Two clicks on one place within the double-click time make a
  // double-click, whose second press is no click: wait that out.
  void ClickControl(HWND window, const platform::FormDesign& design,
                    std::string_view control) {
    if (control == lastClicked_) Sleep(GetDoubleClickTime() + 100);
    lastClicked_ = control;
    const POINT at = CentreOf(window, design, control);
    ASSERT_GE(at.x, 0) << "no control " << control;
    ASSERT_TRUE(Click(at.x, at.y)) << control << ": " << LastInputFailure();
  }

  std::wstring folder_, playerLog_;
  Process chat_, player_, program_;
  std::string_view lastClicked_;
};

// The fade-in steps on the program's timer, and a timer message is handled
// only when no input waits: a double-click queued while the program is
// stopped mid-fade reaches it before the fade can end.
TEST_F(Shell, SplashIgnoresADoubleClickWhileFadingIn) {
  const HWND splash = StartAndStopDuringTheFadeIn();
  ASSERT_NE(splash, nullptr) << "never caught the splash fading in";
  const POINT middle = MiddleOf(splash);
  ASSERT_TRUE(DoubleClick(middle.x, middle.y)) << LastInputFailure();
  ASSERT_TRUE(StillFadingIn(splash)) << "opacity " << AlphaOf(splash);
  ASSERT_TRUE(program_.ResumeMainThread());

  // The fade-in ends only after the queued double-click was handled.
  ASSERT_TRUE(WaitUntil(
      [&] { return AlphaOf(splash) == forms::kWorkingAlpha || !IsWindow(splash); },
      15s))
      << "opacity " << AlphaOf(splash);
  ASSERT_TRUE(IsWindow(splash)) << "the double-click took the splash away";
  EXPECT_TRUE(HoldsFor(
      [&] {
        return IsWindowVisible(splash) &&
               AlphaOf(splash) == forms::kWorkingAlpha &&
               FindWindowA(kMainClass, nullptr) == nullptr;
      },
      1500ms))
      << "the splash stays and no main window comes";

  // The same double-click once the fade-in is over passes the splash.
  ASSERT_TRUE(DoubleClick(middle.x, middle.y)) << LastInputFailure();
  EXPECT_NE(WaitForVisible(kMainClass), nullptr);
}

TEST_F(Shell, MainWindowArrivesShapedTopmostAndSeeThrough) {
  const HWND main = OpenMainWindow();
  ASSERT_NE(main, nullptr);
  EXPECT_TRUE(WaitUntil([] { return FindWindowA(kSplashClass, nullptr) == nullptr; }, 10s))
      << "the splash is unloaded";
  RECT place{};
  GetWindowRect(main, &place);
  EXPECT_EQ(place.right - place.left, 223);
  EXPECT_EQ(place.bottom - place.top, 110);
  char caption[64] = {};
  GetWindowTextA(main, caption, sizeof caption);
  EXPECT_STREQ(caption, "Tavrin 1.5");
  // The load applies these before it shows the window; waited for all the
  // same, in case that order ever changes.
  EXPECT_TRUE(WaitUntil([&] { return AlphaOf(main) == forms::kWorkingAlpha; }, 10s))
      << "opacity " << AlphaOf(main);
  EXPECT_TRUE(WaitUntil(
      [&] { return (GetWindowLongW(main, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; },
      10s));
  const win32::UniqueRegion expected(CreateRectRgn(0, 0, 0, 0));
  for (const auto& r : forms::MainFRMShape()) {
    const win32::UniqueRegion piece(CreateRectRgn(r.left, r.top, r.right, r.bottom));
    CombineRgn(expected.get(), expected.get(), piece.get(), RGN_OR);
  }
  const win32::UniqueRegion actual(CreateRectRgn(0, 0, 0, 0));
  EXPECT_TRUE(WaitUntil(
      [&] {
        return GetWindowRgn(main, actual.get()) != ERROR &&
               EqualRgn(actual.get(), expected.get());
      },
      10s));
  EXPECT_TRUE(TranscriptHas(
      "DemoUser:\t~~ Tavrin By: Dunmarrow (Kestle) Successfully loaded.\r\n"));
}

TEST_F(Shell, AdvertiseAndTransportButtonsReachTheStandins) {
  const HWND main = OpenMainWindow();
  ASSERT_NE(main, nullptr);
  const auto design = shell::MainFRM::Design();
  ClickControl(main, design, "AdvSongLBL");
  EXPECT_TRUE(TranscriptHas("DemoUser:\t~~ Playing Song: Artist - Title BitRate: 128 - Length: 00:03:57\r\n"))
      << Transcript();

  ClickControl(main, design, "NextSong");       // play, next; pause face
  ClickControl(main, design, "PlayPauseSong");  // pause; play face
  ClickControl(main, design, "PlayPauseSong");  // play; pause face
  ClickControl(main, design, "StopSong");       // stop; play face
  ClickControl(main, design, "PrevSong");       // play, previous
  const std::vector<int> expected = {40045, 40048, 40046, 40045, 40047, 40045, 40044};
  EXPECT_TRUE(WaitUntil([&] { return PlayerCommands().size() >= expected.size(); }, 10s));
  EXPECT_EQ(PlayerCommands(), expected);
}

TEST_F(Shell, AboutHidesTheMainWindowAndBringsItBack) {
  const HWND main = OpenMainWindow();
  ASSERT_NE(main, nullptr);
  ClickControl(main, shell::MainFRM::Design(), "AboutLBL");
  const HWND about = WaitForVisible(kAboutClass);
  ASSERT_NE(about, nullptr);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(main); }, 10s));
  EXPECT_TRUE(TranscriptHas(
      "DemoUser:\t~~ Tavrin By: Dunmarrow (Kestle). Advertises WinAmp Version 2, "
      "3, and 5 to the AOL 7, 8, and 9 ChatRoom\r\n"));
  // Set only once the advert line is sent; Back brings the main window
  // again only with it.
  ASSERT_TRUE(WaitUntil([&] { return WindowText(about) == "MAIN"; }, 15s))
      << WindowText(about);
  ClickControl(about, shell::AboutFRM::Design(), "BackToMain");
  EXPECT_TRUE(WaitUntil([] { return FindWindowA(kAboutClass, nullptr) == nullptr; }, 10s));
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(main) != FALSE; }, 10s));
}

TEST_F(Shell, DragBarMovesTheMainWindow) {
  const HWND main = OpenMainWindow();
  ASSERT_NE(main, nullptr);
  RECT before{};
  GetWindowRect(main, &before);
  const POINT grab = CentreOf(main, shell::MainFRM::Design(), "DraggerBar");
  ASSERT_TRUE(Drag(grab.x, grab.y, grab.x - 120, grab.y + 90)) << LastInputFailure();
  RECT after{};
  EXPECT_TRUE(WaitUntil(
      [&] {
        GetWindowRect(main, &after);
        return after.left - before.left == -120 && after.top - before.top == 90;
      },
      10s))
      << "moved by " << after.left - before.left << ", " << after.top - before.top;
}

TEST_F(Shell, ExitSaysGoodbyeAndEndsTheProcess) {
  const HWND main = OpenMainWindow();
  ASSERT_NE(main, nullptr);
  ClickControl(main, shell::MainFRM::Design(), "ExitLBL");
  EXPECT_TRUE(program_.WaitForExit(10s));
  EXPECT_TRUE(TranscriptHas(
      "DemoUser:\t~~ Tavrin By: Dunmarrow (Kestle) Session Ended.\r\n"));
  EXPECT_TRUE(WaitUntil([] { return FindWindowA(kMainClass, nullptr) == nullptr; }, 10s));
}

TEST_F(Shell, ClosedByTheSystemItEndsToo) {
  const HWND main = OpenMainWindow();
  ASSERT_NE(main, nullptr);
  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(program_.WaitForExit(10s));
}

// The tray adapter against the shell's real notification area.
TEST(TrayAdapter, AddsAndRemovesTheIcon) {
  const HWND owner = CreateWindowExW(0, L"STATIC", L"tray owner", WS_POPUP, 0, 0,
                                     1, 1, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(owner, nullptr);
  platform::IconRecord record;
  record.size = platform::IconRecord::kFirstVersionSize;
  record.window = reinterpret_cast<platform::WindowHandle>(owner);
  record.id = 1;
  record.flags = 7;
  record.callbackMessage = 0x200;
  record.icon = reinterpret_cast<std::uintptr_t>(LoadIconW(nullptr, MAKEINTRESOURCEW(32512)));
  record.tip = std::string(80, 'x');
  win32::Win32Tray tray;
  EXPECT_TRUE(tray.Notify(platform::TrayCommand::kAdd, record));
  EXPECT_TRUE(tray.Notify(platform::TrayCommand::kDelete, record));
  EXPECT_FALSE(tray.Notify(platform::TrayCommand::kDelete, record))
      << "the icon is gone: a second delete is refused";
  DestroyWindow(owner);
}

}  // namespace
}  // namespace tavrin::e2e
