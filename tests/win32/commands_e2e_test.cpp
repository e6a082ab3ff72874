// The commands reference window end to end: opened by the signed-on user
// typing ".commands" in the stand-in chat client's room, its list box read
// from outside as any program's, and used with the real keyboard and mouse.

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "commands/commands_frm.h"
#include "e2e_support.h"
#include "forms/effects.h"
#include "shell/main_frm.h"
#include "shell_driving.h"
#include "standin_client.h"
#include "ui_input.h"
#include "win32/base/gdi_scopes.h"
#include "win32/base/win32_text.h"

namespace tavrin::e2e {
namespace {

using standins::winhost::SendBounded;

// Written out here rather than taken from the program, so that a changed
// letter or blank shows.
const std::vector<std::string> kCaptions = {
    ".time",
    ".date",
    ".adv",
    ".song",
    ".bitrate OR .br",
    ".eandr OR .e&r",
    ".len OR .length",
    ".stat OR .status",
    ".mini OR .minimize",
    ".res OR .restore",
    ".exit OR .end",
    ".play",
    ".pause",
    ".next OR .>",
    ".prev OR .< OR .previous",
    ".stop",
    ".commands OR .cmds",
    ".help",
    ".about OR .?",
};

using Pixels = std::vector<std::uint32_t>;

HWND ListOf(HWND commands) {
  return FindWindowExW(commands, nullptr, L"ListBox", nullptr);
}

std::optional<int> ItemCount(HWND list) {
  const auto count = SendBounded(list, LB_GETCOUNT, 0, 0);
  if (!count || *count == LB_ERR) return std::nullopt;
  return static_cast<int>(*count);
}

// Asked with the wide messages: under Wine the ANSI form comes back
// garbled from another process.
std::vector<std::string> Items(HWND list) {
  std::vector<std::string> items;
  const int count = ItemCount(list).value_or(0);
  for (int i = 0; i < count; ++i) {
    const auto length =
        SendBounded(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
    if (!length || *length == LB_ERR) return items;
    std::wstring text(static_cast<std::size_t>(*length) + 1, L'\0');
    const auto copied = SendBounded(list, LB_GETTEXT, static_cast<WPARAM>(i),
                                    reinterpret_cast<LPARAM>(text.data()));
    if (!copied || *copied == LB_ERR) return items;
    text.resize(static_cast<std::size_t>(*copied));
    items.push_back(win32::Utf8FromWide(text));
  }
  return items;
}

// -2 when the list did not answer.
int Selected(HWND list) {
  const auto index = SendBounded(list, LB_GETCURSEL, 0, 0);
  if (!index) return -2;
  return *index == LB_ERR ? -1 : static_cast<int>(*index);
}

// The screen point at the middle of the list's item, while it is in view.
std::optional<POINT> ItemPoint(HWND list, int item) {
  const auto top = SendBounded(list, LB_GETTOPINDEX, 0, 0);
  const auto height = SendBounded(list, LB_GETITEMHEIGHT, 0, 0);
  if (!top || !height || *height <= 0) return std::nullopt;
  RECT client{};
  GetClientRect(list, &client);
  const int y = static_cast<int>((item - *top) * *height + *height / 2);
  if (y < 0 || y >= client.bottom) return std::nullopt;
  return ScreenPointOf(list, 30, y);
}

// What the screen shows at the Information label's place.
Pixels InformationPixels(HWND commands) {
  for (const auto& control : commands::CommandsFRM::Design().controls) {
    if (control.name != "Information") continue;
    const POINT at =
        ScreenPointOf(commands, control.place.left / 15, control.place.top / 15);
    const int width = control.place.width / 15;
    const int height = control.place.height / 15;
    const win32::WindowDc screen(nullptr);
    const win32::UniqueMemoryDc memory(CreateCompatibleDC(screen.Dc()));
    const win32::UniqueBitmap bitmap(
        CreateCompatibleBitmap(screen.Dc(), width, height));
    if (!memory || !bitmap) return {};
    {
      const win32::Selection chosen(memory.get(), bitmap.get());
      BitBlt(memory.get(), 0, 0, width, height, screen.Dc(), at.x, at.y,
             SRCCOPY);
    }
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    Pixels pixels(static_cast<std::size_t>(width) * height);
    if (GetDIBits(memory.get(), bitmap.get(), 0, static_cast<UINT>(height),
                  pixels.data(), &format, DIB_RGB_COLORS) != height) {
      return {};
    }
    return pixels;
  }
  return {};
}

class CommandsWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    // No auto-advertise window and no player started over the main window.
    StoreSettings({{"Ascii", "~~"}, {"AutoAdv", "0"}, {"AutoLoadWA", "0"}});
    chat_ = Process::Start(ProgramFolder() + L"\\standin-chat.exe", L"");
    ASSERT_NE(WaitForChatClient(), nullptr);
    program_ = Process::Start(ProgramFolder() + L"\\tavrin.exe", L"");
    main_ = PassTheSplash();
    ASSERT_NE(main_, nullptr);
  }

  // The signed-on user types the line into the room.
  static void Type(const std::string& line) {
    ASSERT_TRUE(Drive(FindWindowA("AOL Frame25", nullptr),
                      "say 1 DemoUser " + line));
  }

  // Typed ".commands"; the window once it is shown and filled.
  HWND Open(const std::string& command = ".commands") {
    Type(command);
    const HWND commands = WaitForVisible(kCommandsClass, 15s);
    if (commands == nullptr) {
      ADD_FAILURE() << "no commands window after " << command;
      return nullptr;
    }
    const HWND list = ListOf(commands);
    if (list == nullptr || !WaitUntil([&] { return ItemCount(list) == 19; }, 10s)) {
      ADD_FAILURE() << "the list was not filled: " << ItemCount(list).value_or(-1);
      return nullptr;
    }
    return commands;
  }

  // What the Information label shows once two looks in a row agree, or
  // nothing.
  static std::optional<Pixels> Settled(HWND commands) {
    Pixels last = InformationPixels(commands);
    Pixels now;
    if (!WaitUntil(
            [&] {
              now = InformationPixels(commands);
              const bool same = !now.empty() && now == last;
              last = now;
              return same;
            },
            10s, 100ms)) {
      return std::nullopt;
    }
    return now;
  }

  // Waits until the label shows something other than `before`; that, or
  // nothing.
  static std::optional<Pixels> ChangedFrom(HWND commands, const Pixels& before) {
    if (!WaitUntil([&] { return InformationPixels(commands) != before; }, 10s)) {
      return std::nullopt;
    }
    return Settled(commands);
  }

  static bool Shows(HWND commands, const Pixels& expected) {
    return WaitUntil([&] { return InformationPixels(commands) == expected; }, 10s);
  }

  static void ClickItem(HWND list, int item) {
    const std::optional<POINT> at = ItemPoint(list, item);
    ASSERT_TRUE(at) << "item " << item << " is out of view";
    ASSERT_TRUE(Click(at->x, at->y)) << LastInputFailure();
  }

  Process chat_, program_;
  HWND main_ = nullptr;
};

TEST_F(CommandsWindow, ListsTheNineteenCommandsInASystemListBox) {
  const HWND commands = Open();
  ASSERT_NE(commands, nullptr);
  EXPECT_EQ(WindowText(commands), "Chat Commands");
  RECT frame{};
  GetWindowRect(commands, &frame);
  EXPECT_EQ(frame.right - frame.left, 308);
  EXPECT_EQ(frame.bottom - frame.top, 224);
  EXPECT_TRUE(WaitUntil(
      [&] { return (GetWindowLongW(commands, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; },
      10s));
  const win32::UniqueRegion expected(CreateRectRgn(0, 0, 0, 0));
  for (const auto& r : forms::CommandsFRMShape()) {
    const win32::UniqueRegion piece(CreateRectRgn(r.left, r.top, r.right, r.bottom));
    CombineRgn(expected.get(), expected.get(), piece.get(), RGN_OR);
  }
  const win32::UniqueRegion actual(CreateRectRgn(0, 0, 0, 0));
  EXPECT_TRUE(GetWindowRgn(commands, actual.get()) != ERROR &&
              EqualRgn(actual.get(), expected.get()));

  const HWND list = ListOf(commands);
  EXPECT_TRUE(IsWindowVisible(list));
  EXPECT_EQ(GetWindowLongW(list, GWL_STYLE) & LBS_SORT, 0) << "never sorted";
  RECT place{};
  GetWindowRect(list, &place);
  MapWindowPoints(nullptr, commands, reinterpret_cast<POINT*>(&place), 2);
  EXPECT_EQ(place.left, 10);
  EXPECT_EQ(place.top, 40);
  EXPECT_EQ(place.right, 136);
  EXPECT_EQ(place.bottom, 211);
  EXPECT_EQ(Items(list), kCaptions);
  EXPECT_EQ(Selected(list), -1);
  EXPECT_TRUE(WaitUntil([&] { return AlphaOf(commands) == forms::kWorkingAlpha; },
                        10s))
      << "opacity " << AlphaOf(commands);
}

// The keyboard reaches the list as soon as the window is shown; what the
// label shows is told apart by its pixels, and the same selection made with
// the mouse shows the same.
TEST_F(CommandsWindow, KeysAndClicksSelectAndTheLabelTellsTheCommand) {
  const HWND commands = Open();
  ASSERT_NE(commands, nullptr);
  const HWND list = ListOf(commands);
  ASSERT_TRUE(WaitUntil([&] { return KeyboardFocusOf(commands) == list; }, 10s))
      << "the keyboard is at " << KeyboardFocusOf(commands);
  const std::optional<Pixels> prompt = Settled(commands);
  ASSERT_TRUE(prompt) << "the label never settled";

  ASSERT_TRUE(PressKey(VK_HOME)) << LastInputFailure();
  ASSERT_TRUE(WaitUntil([&] { return Selected(list) == 0; }, 10s)) << Selected(list);
  const std::optional<Pixels> time = ChangedFrom(commands, *prompt);
  ASSERT_TRUE(time) << "the label did not change for the first command";

  ASSERT_TRUE(PressKey(VK_DOWN)) << LastInputFailure();
  ASSERT_TRUE(PressKey(VK_DOWN)) << LastInputFailure();
  ASSERT_TRUE(WaitUntil([&] { return Selected(list) == 2; }, 10s)) << Selected(list);
  const std::optional<Pixels> adv = ChangedFrom(commands, *time);
  ASSERT_TRUE(adv) << "the label did not change for the third command";

  ASSERT_TRUE(PressKey(VK_END)) << LastInputFailure();
  ASSERT_TRUE(WaitUntil([&] { return Selected(list) == 18; }, 10s)) << Selected(list);
  const std::optional<Pixels> about = ChangedFrom(commands, *adv);
  ASSERT_TRUE(about) << "the label did not change for the last command";
  EXPECT_NE(*about, *prompt);
  EXPECT_NE(*about, *time);

  ASSERT_TRUE(PressKey(VK_HOME)) << LastInputFailure();
  ASSERT_TRUE(WaitUntil([&] { return Selected(list) == 0; }, 10s)) << Selected(list);
  EXPECT_TRUE(Shows(commands, *time)) << "the first command's text again";

  ClickItem(list, 2);
  ASSERT_TRUE(WaitUntil([&] { return Selected(list) == 2; }, 10s)) << Selected(list);
  EXPECT_TRUE(Shows(commands, *adv)) << "the third command's text, clicked";
}

TEST_F(CommandsWindow, OpeningItAgainActivatesTheSameWindowAsItWas) {
  const HWND commands = Open();
  ASSERT_NE(commands, nullptr);
  const HWND list = ListOf(commands);
  ClickItem(list, 4);
  ASSERT_TRUE(WaitUntil([&] { return Selected(list) == 4; }, 10s)) << Selected(list);
  ASSERT_TRUE(WaitUntil([&] { return AlphaOf(commands) == forms::kWorkingAlpha; },
                        10s));

  // The chat client comes to the front meanwhile. Asked for directly: on
  // the virtual display without a window manager, a click on the client
  // did not make it the foreground window.
  const HWND chat = FindWindowA("AOL Frame25", nullptr);
  SetForegroundWindow(chat);
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == chat; }, 10s))
      << "foreground " << GetForegroundWindow();

  Type(".cmds");
  EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == commands; }, 15s))
      << "foreground " << GetForegroundWindow();
  EXPECT_TRUE(WaitUntil([&] { return KeyboardFocusOf(commands) == list; }, 10s));
  EXPECT_TRUE(HoldsFor(
      [&] {
        return FindWindowA(kCommandsClass, nullptr) == commands &&
               FindWindowExA(nullptr, commands, kCommandsClass, nullptr) ==
                   nullptr &&
               ItemCount(list) == 19 && Selected(list) == 4 &&
               AlphaOf(commands) == forms::kWorkingAlpha;
      },
      1s))
      << "one window: " << (FindWindowA(kCommandsClass, nullptr) == commands)
      << ", count " << ItemCount(list).value_or(-1) << ", selected "
      << Selected(list) << ", opacity " << AlphaOf(commands);
}

TEST_F(CommandsWindow, ExitClosesItAloneAndTheNextOpeningStartsAfresh) {
  HWND commands = Open();
  ASSERT_NE(commands, nullptr);
  const std::optional<Pixels> prompt = Settled(commands);
  ASSERT_TRUE(prompt);
  ClickItem(ListOf(commands), 6);
  ASSERT_TRUE(WaitUntil([&] { return Selected(ListOf(commands)) == 6; }, 10s));
  ASSERT_TRUE(ChangedFrom(commands, *prompt));
  ASSERT_TRUE(WaitUntil([&] { return AlphaOf(commands) == forms::kWorkingAlpha; },
                        10s));

  const POINT exit =
      CentreOf(commands, commands::CommandsFRM::Design(), "ExitLBL");
  ASSERT_TRUE(Click(exit.x, exit.y)) << LastInputFailure();
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(commands); }, 10s))
      << "opacity " << AlphaOf(commands);
  EXPECT_TRUE(HoldsFor(
      [&] {
        return IsWindowVisible(main_) &&
               FindWindowA(kCommandsClass, nullptr) == nullptr;
      },
      500ms))
      << "the main window stays as it was, and nothing else comes";

  commands = Open();
  ASSERT_NE(commands, nullptr);
  EXPECT_EQ(Items(ListOf(commands)), kCaptions);
  EXPECT_EQ(Selected(ListOf(commands)), -1);
  // The label's first text again is checked natively: on the screen the
  // see-through window shows the room behind it, whose lines have moved on
  // since the first opening.
}

}  // namespace
}  // namespace tavrin::e2e
