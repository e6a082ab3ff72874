// The notification-area icon's menus, end to end: tavrin.exe minimised to
// the tray, the shell's callback message reaching its hidden main window,
// and the menu's items chosen by real clicks at their places.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "e2e_support.h"
#include "shell/about_frm.h"
#include "shell/main_frm.h"
#include "shell_driving.h"
#include "ui_input.h"

namespace tavrin::e2e {
namespace {

constexpr UINT kIconCallback = WM_MOUSEMOVE;

// The popup menu's window: the system's menu class.
HWND OpenMenuWindow() {
  const HWND menu = FindWindowW(L"#32768", nullptr);
  return menu != nullptr && IsWindowVisible(menu) ? menu : nullptr;
}

const std::vector<std::string> kMainCaptions = {
    "Chat Commands", "Options", "-", "Exit", "About", "Restore", "-", "Close Menu"};
const std::vector<std::string> kAdvertiseCaptions = {
    "Adv. Song Name", "Adv. BitRate", "Adv. Elapsed/Remaining",
    "Adv. Track Length", "Adv. WinAmp Status", "-", "Play/Pause", "Stop Song",
    "Previous Song", "Next Song", "-", "Adv. Song", "-", "Close Menu"};

std::size_t IndexOf(const std::vector<std::string>& captions,
                    const std::string& caption) {
  for (std::size_t i = 0; i < captions.size(); ++i) {
    if (captions[i] == caption) return i;
  }
  ADD_FAILURE() << "no item " << caption;
  return 0;
}

class TrayMenus : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = NewTemporaryFolder();
    playerLog_ = folder_ + L"\\player.log";
    StoreSettings({{"Ascii", "~~"}, {"UseWAStatus", "1"}, {"UseSongName", "1"},
                   {"UseBitRate", "0"}, {"UseElapRem", "0"}, {"UseSongLen", "0"},
                   {"AutoAdv", "0"}, {"AutoLoadWA", "0"}, {"WinampDIR", ""}});
    chat_ = Process::Start(ProgramFolder() + L"\\standin-chat.exe", L"");
    player_ = Process::Start(ProgramFolder() + L"\\standin-player.exe",
                             L"--log \"" + playerLog_ + L"\"");
    ASSERT_NE(WaitForChatClient(), nullptr);
    ASSERT_NE(WaitForTopLevel("Winamp v1.x"), nullptr);
    program_ = Process::Start(ProgramFolder() + L"\\tavrin.exe", L"");
    main_ = PassTheSplash();
    ASSERT_NE(main_, nullptr);
    const POINT minimize =
        CentreOf(main_, shell::MainFRM::Design(), "MinimizeLBL");
    ASSERT_TRUE(Click(minimize.x, minimize.y)) << LastInputFailure();
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(main_); }, 10s));
  }

  void TearDown() override {
    // A menu left open would hold the next test's clicks.
    if (OpenMenuWindow() != nullptr) PressEscape();
  }

  std::string Transcript() { return WindowText(RoomTranscript(1)); }
  bool RoomGets(const std::string& text, std::size_t from) {
    return WaitUntil(
        [&] { return Transcript().find(text, from) != std::string::npos; }, 15s);
  }

  // A button goes down on the icon and the user clicks the item; the menu
  // has closed when this returns.
  void Choose(UINT button, const std::vector<std::string>& captions,
              const std::string& caption) {
    const HWND menu = PressOnTheIcon(button);
    ASSERT_NE(menu, nullptr) << "no menu for " << caption;
    ClickItem(menu, captions, IndexOf(captions, caption));
    ASSERT_TRUE(WaitUntil([] { return OpenMenuWindow() == nullptr; }, 10s))
        << caption << " left the menu open";
  }

  // The same window stays in the foreground for half a second.
  static bool ForegroundSettles() {
    return WaitUntil(
        [] {
          const HWND now = GetForegroundWindow();
          return HoldsFor([&] { return GetForegroundWindow() == now; }, 500ms);
        },
        10s);
  }

  // The shell tells the main window that a button went down on the icon;
  // the menu's window once it is shown.
  HWND PressOnTheIcon(UINT button) {
    // Under Wine the X server's focus events after a window was hidden or
    // closed reach Wine late, and can hand the foreground back to the
    // desktop after the program took it for its menu: the menu then sees no
    // mouse. A user's press on the icon comes long after such events; the
    // test waits for them to have passed.
    if (!ForegroundSettles()) ADD_FAILURE() << "the foreground kept changing";
    // As the shell does: the icon's owner may take the foreground.
    AllowSetForegroundWindow(program_.Id());
    PostMessageW(main_, kIconCallback, 1, button);
    HWND menu = nullptr;
    WaitUntil([&] { return (menu = OpenMenuWindow()) != nullptr; }, 10s);
    return menu;
  }

  // Moves the pointer onto the menu's item until the item lights up, and
  // returns the point. Items stand one below the other, all of one height,
  // between a margin above and below, and a separator is a thinner strip:
  // the menu's height must be made of exactly that.
  POINT HoverItem(HWND menu, const std::vector<std::string>& captions,
                  std::size_t index) {
    constexpr int kMargin = 3;
    constexpr int kSeparatorHeight = 9;
    RECT client{};
    GetClientRect(menu, &client);
    POINT origin{0, 0};
    ClientToScreen(menu, &origin);
    int separators = 0;
    for (const auto& caption : captions) separators += caption == "-" ? 1 : 0;
    const int items = static_cast<int>(captions.size()) - separators;
    const int itemsHeight =
        client.bottom - 2 * kMargin - separators * kSeparatorHeight;
    EXPECT_EQ(itemsHeight % items, 0) << "a menu " << client.bottom
                                      << " pixels high is not laid out as thought";
    const int itemHeight = itemsHeight / items;
    int top = origin.y + kMargin;
    for (std::size_t i = 0; i < index; ++i) {
      top += captions[i] == "-" ? kSeparatorHeight : itemHeight;
    }
    const POINT item{origin.x + client.right / 2, top + itemHeight / 2};
    // One move onto the item, as a user makes it; the item then lights up.
    EXPECT_TRUE(MoveMouse(item.x, item.y)) << LastInputFailure();
    EXPECT_TRUE(WaitUntil([&] { return Highlighted(origin.x + 6, item.y); }, 10s))
        << captions[index] << " never lit up: " << std::hex
        << PixelAt(origin.x + 6, item.y) << " not " << GetSysColor(COLOR_HIGHLIGHT)
        << " foreground " << ClassOf(GetForegroundWindow());
    return item;
  }

  // Clicks the menu's item at its place, once: a click the menu does not
  // take is a fault of the program (a pump inside the menu's loop took it).
  void ClickItem(HWND menu, const std::vector<std::string>& captions,
                 std::size_t index) {
    const POINT item = HoverItem(menu, captions, index);
    ASSERT_FALSE(::testing::Test::HasFailure());
    ASSERT_TRUE(Click(item.x, item.y)) << LastInputFailure();
    EXPECT_TRUE(WaitUntil([] { return OpenMenuWindow() == nullptr; }, 10s))
        << "the click on " << captions[index] << " was lost";
  }

  static std::string ClassOf(HWND window) {
    char name[64] = "";
    if (window) GetClassNameA(window, name, sizeof name);
    DWORD pid = 0;
    if (window) GetWindowThreadProcessId(window, &pid);
    return std::string(name) + "/" + std::to_string(pid);
  }
  static COLORREF PixelAt(int x, int y) {
    const HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return colour;
  }
  static bool Highlighted(int x, int y) {
    return PixelAt(x, y) == GetSysColor(COLOR_HIGHLIGHT);
  }

  void PressEscape() {
    INPUT keys[2]{};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = VK_ESCAPE;
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof(INPUT));
    WaitUntil([] { return OpenMenuWindow() == nullptr; }, 5s);
  }

  std::wstring folder_, playerLog_;
  Process chat_, player_, program_;
  HWND main_ = nullptr;
};

TEST_F(TrayMenus, MinimizedTheWindowIsHiddenAndTheIconShown) {
  EXPECT_TRUE(WaitUntil([&] { return TrayShowsTheIcon(main_); }, 10s));
  EXPECT_TRUE(HoldsFor([&] { return !IsWindowVisible(main_); }, 1s));
}

// A second start hands over and ends: the running copy comes out of the
// tray, and the room hears from that one copy only.
TEST_F(TrayMenus, ASecondStartBringsTheRunningCopyOutOfTheTray) {
  const std::size_t before = Transcript().size();
  Process second = Process::Start(ProgramFolder() + L"\\tavrin.exe", L"");
  ASSERT_TRUE(second.WaitForExit(15s));
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(main_) != FALSE; }, 10s));
  EXPECT_TRUE(WaitUntil([&] { return !TrayShowsTheIcon(main_); }, 10s));
  EXPECT_EQ(Transcript().size(), before) << Transcript();

  ASSERT_TRUE(Drive(WaitForChatClient(), "say 1 DemoUser .next"));
  EXPECT_TRUE(RoomGets("DemoUser:\t.next\r\nDemoUser:\t~~ Playing Song: ", before))
      << Transcript();
  const auto oneNext = [&] {
    return LoggedPlayerCommands(playerLog_) == std::vector<int>{40048};
  };
  EXPECT_TRUE(WaitUntil(oneNext, 10s));
  EXPECT_TRUE(HoldsFor(oneNext, 1s)) << "a second copy answered too";
}

TEST_F(TrayMenus, MainMenuItemsChosenByClicks) {
  Choose(WM_LBUTTONDOWN, kMainCaptions, "Close Menu");
  EXPECT_TRUE(HoldsFor([&] { return !IsWindowVisible(main_); }, 1s))
      << "Close Menu leaves the main window in the tray";

  Choose(WM_LBUTTONDOWN, kMainCaptions, "Chat Commands");
  EXPECT_NE(WaitForVisible(kCommandsClass, 10s), nullptr);

  const std::size_t before = Transcript().size();
  Choose(WM_LBUTTONDOWN, kMainCaptions, "About");
  const HWND about = WaitForVisible(kAboutClass, 10s);
  ASSERT_NE(about, nullptr);
  EXPECT_TRUE(WaitUntil(
      [&] {
        return Transcript().find("DemoUser:\t~~ Tavrin By: Dunmarrow (Kestle). "
                                 "Advertises WinAmp Version 2, 3, and 5 to the "
                                 "AOL 7, 8, and 9 ChatRoom\r\n",
                                 before) != std::string::npos;
      },
      15s))
      << Transcript();
  ASSERT_TRUE(WaitUntil([&] { return WindowText(about) == "MENU"; }, 15s));
  const POINT back = CentreOf(about, shell::AboutFRM::Design(), "BackToMain");
  ASSERT_TRUE(Click(back.x, back.y)) << LastInputFailure();
  ASSERT_TRUE(WaitUntil([] { return FindWindowA(kAboutClass, nullptr) == nullptr; },
                        10s));
  EXPECT_TRUE(HoldsFor([&] { return !IsWindowVisible(main_); }, 1s))
      << "About from the tray leaves the main window in the tray";

  Choose(WM_LBUTTONDOWN, kMainCaptions, "Restore");
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(main_) != FALSE; }, 10s));
  EXPECT_TRUE(WaitUntil([&] { return !TrayShowsTheIcon(main_); }, 10s));
}

TEST_F(TrayMenus, AdvertiseMenuItemsChosenByClicks) {
  std::size_t before = Transcript().size();
  Choose(WM_RBUTTONDOWN, kAdvertiseCaptions, "Adv. Song Name");
  EXPECT_TRUE(RoomGets("DemoUser:\tSong Name: Artist - Title\r\n", before))
      << Transcript();
  before = Transcript().size();
  Choose(WM_RBUTTONDOWN, kAdvertiseCaptions, "Adv. Elapsed/Remaining");
  EXPECT_TRUE(RoomGets("DemoUser:\tElapsed/Remaining: 00:00:", before))
      << Transcript();
  Choose(WM_RBUTTONDOWN, kAdvertiseCaptions, "Next Song");
  EXPECT_TRUE(WaitUntil(
      [&] {
        return LoggedPlayerCommands(playerLog_) == std::vector<int>{40045, 40048};
      },
      10s));
  before = Transcript().size();
  Choose(WM_RBUTTONDOWN, kAdvertiseCaptions, "Adv. Song");
  EXPECT_TRUE(RoomGets(
      "DemoUser:\t~~ Playing Song: Night Drive - Neon Harbour\r\n", before))
      << Transcript();
}

// The icon is probed while the program still runs, as in the room's
// ".exit" test: the tray is stopped before the item is clicked, so the
// program waits on it after its goodbye, and is stopped in turn while the
// tray answers.
TEST_F(TrayMenus, ExitFromTheMenuSaysGoodbyeAndEndsWithTheIconGone) {
  ASSERT_TRUE(WaitUntil([&] { return TrayShowsTheIcon(main_); }, 10s));
  const std::size_t before = Transcript().size();
  const HWND menu = PressOnTheIcon(WM_LBUTTONDOWN);
  ASSERT_NE(menu, nullptr);
  StoppedTray tray;
  ASSERT_TRUE(tray.Stopped());
  ClickItem(menu, kMainCaptions, IndexOf(kMainCaptions, "Exit"));
  ASSERT_TRUE(RoomGets(
      "DemoUser:\t~~ Tavrin By: Dunmarrow (Kestle) Session Ended.\r\n", before))
      << Transcript();
  EXPECT_EQ(IconGoneBeforeTheEnd(program_, main_, tray), "");
}

// The classic rule of the notification area: a click outside the menu
// closes it, choosing nothing.
TEST_F(TrayMenus, AClickElsewhereClosesTheMenu) {
  const HWND menu = PressOnTheIcon(WM_RBUTTONDOWN);
  ASSERT_NE(menu, nullptr);
  HoverItem(menu, kAdvertiseCaptions, IndexOf(kAdvertiseCaptions, "Adv. Song"));
  ASSERT_FALSE(HasFailure());
  const std::size_t before = Transcript().size();
  RECT place{};
  GetWindowRect(menu, &place);
  const POINT elsewhere{place.left > 40 ? place.left - 30 : place.right + 30,
                        place.top + 10};
  ASSERT_TRUE(Click(elsewhere.x, elsewhere.y)) << LastInputFailure();
  EXPECT_TRUE(WaitUntil([] { return OpenMenuWindow() == nullptr; }, 10s));
  EXPECT_TRUE(HoldsFor(
      [&] { return Transcript().size() == before && !IsWindowVisible(main_); },
      1s))
      << Transcript();
}

// Button-up, double-click and movement on the icon open nothing; the shown
// main window takes the callback's message as movement.
TEST_F(TrayMenus, OnlyAButtonGoingDownOnTheIconOpensAMenu) {
  for (const UINT other : {WM_MOUSEMOVE, WM_LBUTTONUP, WM_LBUTTONDBLCLK,
                           WM_RBUTTONUP, WM_MBUTTONDOWN}) {
    PostMessageW(main_, kIconCallback, 1, other);
  }
  EXPECT_TRUE(HoldsFor([] { return OpenMenuWindow() == nullptr; }, 1500ms));
  Choose(WM_LBUTTONDOWN, kMainCaptions, "Restore");
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(main_) != FALSE; }, 10s));
  PostMessageW(main_, kIconCallback, 1, WM_LBUTTONDOWN);
  PostMessageW(main_, kIconCallback, 1, WM_RBUTTONDOWN);
  EXPECT_TRUE(HoldsFor([] { return OpenMenuWindow() == nullptr; }, 1500ms));
}

}  // namespace
}  // namespace tavrin::e2e
