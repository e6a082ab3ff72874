// The Options and advertisement-setup windows end to end: opened from the
// main window with the real mouse, typed into with the real keyboard, the
// system's Open dialog cancelled by a click, and what the settings file
// holds afterwards, read as the file it is.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "e2e_support.h"
#include "forms/effects.h"
#include "settings/options_frm.h"
#include "settings/song_adv_setup_frm.h"
#include "shell/main_frm.h"
#include "shell_driving.h"
#include "standin_client.h"
#include "ui_input.h"
#include "win32/win32_file_names.h"
#include "win32/base/win32_text.h"

namespace tavrin::e2e {
namespace {

using standins::winhost::SendBounded;

constexpr wchar_t kSettingsFile[] = L"C:\\windows\\system32\\TavrinSettings.ini";
constexpr char kPath[] = R"(C:\nowhere\winamp.exe)";

// Read with the wide messages, as from any other program; nothing when the
// box did not answer.
std::optional<std::string> BoxText(HWND box) {
  const std::optional<std::wstring> text = standins::winhost::ReadWindowText(box);
  if (!text) return std::nullopt;
  return win32::Utf8FromWide(*text);
}

// The path with each short name made long again, to compare paths however
// they were named.
std::wstring LongPath(const std::wstring& path) {
  std::wstring longPath(32768, L'\0');
  const DWORD length = GetLongPathNameW(path.c_str(), longPath.data(),
                                        static_cast<DWORD>(longPath.size()));
  if (length == 0 || length >= longPath.size()) return path;
  longPath.resize(length);
  return longPath;
}

// Closes a window of another program when the test is done with it,
// however the test ends.
struct ClosedAtTheEnd {
  HWND window = nullptr;
  ~ClosedAtTheEnd() {
    if (window != nullptr) PostMessageW(window, WM_CLOSE, 0, 0);
  }
};

bool ReadOnly(HWND box) {
  return (GetWindowLongW(box, GWL_STYLE) & ES_READONLY) != 0;
}

// A visible Open dialog owned by the window.
HWND OpenDialogOf(HWND owner) {
  HWND found = nullptr;
  for (HWND w = FindWindowExW(nullptr, nullptr, L"#32770", nullptr);
       w != nullptr; w = FindWindowExW(nullptr, w, L"#32770", nullptr)) {
    if (IsWindowVisible(w) && GetWindow(w, GW_OWNER) == owner) found = w;
  }
  return found;
}

class OptionsWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    DeleteFileW(kSettingsFile);
    StoreSettings({{"Ascii", "~~"}, {"AutoAdv", "0"}, {"AutoLoadWA", "1"},
                   {"WinampDIR", kPath}, {"UseWAStatus", "1"},
                   {"UseSongName", "1"}, {"UseBitRate", "0"}});
    chat_ = Process::Start(ProgramFolder() + L"\\standin-chat.exe", L"");
    player_ = Process::Start(ProgramFolder() + L"\\standin-player.exe", L"");
    chatWindow_ = WaitForChatClient();
    ASSERT_NE(chatWindow_, nullptr);
    ASSERT_NE(WaitForTopLevel("Winamp v1.x"), nullptr);
    program_ = Process::Start(ProgramFolder() + L"\\tavrin.exe", L"");
    main_ = PassTheSplash();
    ASSERT_NE(main_, nullptr);
  }

  void ClickAt(POINT at) { ASSERT_TRUE(Click(at.x, at.y)) << LastInputFailure(); }
  void Press(WORD key) { ASSERT_TRUE(PressKey(key)) << LastInputFailure(); }

  // The main window's Options button; the Options window once it has
  // faded in, with its two boxes.
  HWND OpenOptions() {
    ClickAt(CentreOf(main_, shell::MainFRM::Design(), "OptionsLBL"));
    const HWND options = WaitForVisible(kOptionsClass, 15s);
    if (options == nullptr) {
      ADD_FAILURE() << "no Options window";
      return nullptr;
    }
    ascii_ = FindWindowExW(options, nullptr, L"Edit", nullptr);
    dir_ = FindWindowExW(options, ascii_, L"Edit", nullptr);
    if (ascii_ == nullptr || dir_ == nullptr) ADD_FAILURE() << "no text boxes";
    if (!WaitUntil([&] { return AlphaOf(options) == forms::kWorkingAlpha; }, 10s)) {
      ADD_FAILURE() << "the fade-in stopped at " << AlphaOf(options);
    }
    return options;
  }

  bool BoxHolds(HWND box, const std::string& text) {
    return WaitUntil([&] { return BoxText(box) == text; }, 10s);
  }

  static std::string SettingsText() { return ReadWholeFile(kSettingsFile); }
  static bool SettingsHold(const std::string& text) {
    return WaitUntil([&] { return SettingsText() == text; }, 10s);
  }

  void Type(const std::string& line) {
    ASSERT_TRUE(Drive(chatWindow_, "say 1 DemoUser " + line));
  }
  std::string Transcript() { return WindowText(RoomTranscript(1)); }

  Process chat_, player_, program_;
  HWND chatWindow_ = nullptr;
  HWND main_ = nullptr;
  HWND ascii_ = nullptr;
  HWND dir_ = nullptr;
};

TEST_F(OptionsWindows, TypingCancellingSwitchingOffAndClosingStoreWhatTheUserDid) {
  const HWND options = OpenOptions();
  ASSERT_NE(options, nullptr);
  EXPECT_EQ(WindowText(options), "Options");
  EXPECT_TRUE(HoldsFor([&] { return !IsWindowVisible(main_); }, 500ms));
  EXPECT_EQ(BoxText(ascii_), "~~");
  EXPECT_EQ(BoxText(dir_), kPath);
  EXPECT_FALSE(ReadOnly(dir_));
  EXPECT_EQ(SendBounded(ascii_, EM_GETLIMITTEXT, 0, 0), 24);
  const std::string loaded = SettingsText();

  // Typed into the decoration box, then Tab past the start switch to the
  // path box.
  RECT box{};
  GetWindowRect(ascii_, &box);
  ClickAt({box.right - 3, (box.top + box.bottom) / 2});
  ASSERT_TRUE(WaitUntil([&] { return KeyboardFocusOf(options) == ascii_; }, 10s));
  Press(VK_END);
  Press('A');
  Press('B');
  EXPECT_TRUE(BoxHolds(ascii_, "~~ab")) << BoxText(ascii_).value_or("?");
  Press(VK_TAB);
  ASSERT_TRUE(WaitUntil([&] { return KeyboardFocusOf(options) == options; }, 10s))
      << "Tab left the keyboard at " << KeyboardFocusOf(options);
  Press(VK_TAB);
  ASSERT_TRUE(WaitUntil([&] { return KeyboardFocusOf(options) == dir_; }, 10s))
      << "Tab left the keyboard at " << KeyboardFocusOf(options);
  Press(VK_END);
  Press('X');
  EXPECT_TRUE(BoxHolds(dir_, std::string(kPath) + "x"));
  EXPECT_TRUE(HoldsFor([&] { return SettingsText() == loaded; }, 500ms))
      << "typing alone stores nothing";

  // The system's Open dialog, cancelled: the box keeps what it held.
  ClickAt(CentreOf(options, settings::OptionsFRM::Design(), "SelectDIR"));
  HWND dialog = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (dialog = OpenDialogOf(options)) != nullptr; },
                        15s));
  const HWND cancel = FindWindowExW(dialog, nullptr, L"Button", L"Cancel");
  ASSERT_NE(cancel, nullptr);
  RECT button{};
  GetWindowRect(cancel, &button);
  ClickAt({(button.left + button.right) / 2, (button.top + button.bottom) / 2});
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 15s));
  EXPECT_TRUE(BoxHolds(dir_, std::string(kPath) + "x"));
  EXPECT_TRUE(WaitUntil([&] { return KeyboardFocusOf(options) == dir_; }, 10s));
  EXPECT_TRUE(HoldsFor([&] { return SettingsText() == loaded; }, 500ms))
      << "the dialog stores nothing";

  // Switching auto-start off commits at once, with the path forgotten.
  ClickAt(CentreOf(options, settings::OptionsFRM::Design(), "AutoStartWA"));
  EXPECT_TRUE(BoxHolds(dir_, ""));
  EXPECT_TRUE(WaitUntil([&] { return ReadOnly(dir_); }, 10s));
  EXPECT_TRUE(SettingsHold(
      "[Tavrin Save]\r\nAscii=~~ab\r\nAutoAdv=0\r\nAutoLoadWA=0\r\n"
      "WinampDIR=\r\nUseWAStatus=1\r\nUseSongName=1\r\nUseBitRate=0\r\n"))
      << SettingsText();
  GetWindowRect(dir_, &box);
  ClickAt({box.right - 3, (box.top + box.bottom) / 2});
  Press('Q');
  EXPECT_TRUE(HoldsFor([&] { return BoxText(dir_) == ""; }, 500ms))
      << "the locked box took a key";

  ClickAt(CentreOf(options, settings::OptionsFRM::Design(), "ExitLBL"));
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(options); }, 15s));
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(main_) != FALSE; }, 10s));
  EXPECT_EQ(SettingsText(),
            "[Tavrin Save]\r\nAscii=~~ab\r\nAutoAdv=0\r\nAutoLoadWA=0\r\n"
            "WinampDIR=\r\nUseWAStatus=1\r\nUseSongName=1\r\nUseBitRate=0\r\n");
}

// Text put into the boxes by another program and by a paste: a line break
// in it never reaches the file as one.
TEST_F(OptionsWindows, LineBreaksInTheBoxesAreStoredOnOneLine) {
  const HWND options = OpenOptions();
  ASSERT_NE(options, nullptr);
  const std::wstring set = L"a\r\nAutoAdv=1";
  ASSERT_TRUE(SendBounded(ascii_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(set.c_str())));
  ASSERT_TRUE(BoxHolds(ascii_, "a\r\nAutoAdv=1"));

  const std::wstring pasted = L"D:\\x\r\nUseBitRate=1";
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  const HGLOBAL memory =
      GlobalAlloc(GMEM_MOVEABLE, (pasted.size() + 1) * sizeof(wchar_t));
  ASSERT_NE(memory, nullptr);
  std::copy_n(pasted.c_str(), pasted.size() + 1,
              static_cast<wchar_t*>(GlobalLock(memory)));
  GlobalUnlock(memory);
  ASSERT_NE(SetClipboardData(CF_UNICODETEXT, memory), nullptr);
  CloseClipboard();
  SendBounded(dir_, EM_SETSEL, 0, -1);
  SendBounded(dir_, WM_PASTE, 0, 0);
  std::string pastedText;
  ASSERT_TRUE(WaitUntil(
      [&] {
        pastedText = BoxText(dir_).value_or("");
        return pastedText.rfind("D:\\x", 0) == 0;
      },
      10s))
      << pastedText;

  ClickAt(CentreOf(options, settings::OptionsFRM::Design(), "ExitLBL"));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(options); }, 15s));
  std::string oneLine = pastedText;
  for (std::size_t at = oneLine.find("\r\n"); at != std::string::npos;
       at = oneLine.find("\r\n", at)) {
    oneLine.replace(at, 2, " ");
  }
  EXPECT_EQ(SettingsText(),
            "[Tavrin Save]\r\nAscii=a AutoAdv=1\r\nAutoAdv=0\r\nAutoLoadWA=1\r\n"
            "WinampDIR=" + oneLine + "\r\nUseWAStatus=1\r\nUseSongName=1\r\n"
            "UseBitRate=0\r\n");
}

TEST_F(OptionsWindows, SetupTogglesAreStoredAtOnceAndChangeTheNextReport) {
  const HWND options = OpenOptions();
  ASSERT_NE(options, nullptr);
  Press(VK_END);
  Press('Z');
  ASSERT_TRUE(BoxHolds(ascii_, "~~z"));

  ClickAt(CentreOf(options, settings::OptionsFRM::Design(), "SongAdvSetup"));
  const HWND setup = WaitForVisible(kSetupClass, 15s);
  ASSERT_NE(setup, nullptr);
  EXPECT_EQ(WindowText(setup), "Song Advertise Setup");
  EXPECT_TRUE(HoldsFor([&] { return !IsWindowVisible(options); }, 500ms));
  ASSERT_TRUE(WaitUntil([&] { return AlphaOf(setup) == forms::kWorkingAlpha; }, 10s));

  const auto& design = settings::SongAdvSetupFRM::Design();
  ClickAt(CentreOf(setup, design, "SongNameCB"));
  ClickAt(CentreOf(setup, design, "BitRateCB"));
  EXPECT_TRUE(WaitUntil(
      [&] {
        const std::string text = SettingsText();
        return text.find("UseSongName=0\r\n") != std::string::npos &&
               text.find("UseBitRate=1\r\n") != std::string::npos;
      },
      10s))
      << SettingsText();

  const std::size_t before = Transcript().size();
  Type(".adv");
  std::string reply;
  ASSERT_TRUE(WaitUntil(
      [&] {
        const std::string text = Transcript();
        const std::size_t at = text.find("DemoUser:\t.adv\r\nDemoUser:\t", before);
        const std::size_t end = at == std::string::npos ? at : text.find("\r\n", at + 16);
        if (end == std::string::npos) return false;
        reply = text.substr(at + 16, end - at - 16);
        return true;
      },
      15s))
      << Transcript();
  EXPECT_EQ(reply.rfind("DemoUser:\t~~ Playing", 0), 0u) << reply;
  EXPECT_NE(reply.find("BitRate: 128"), std::string::npos) << reply;
  EXPECT_EQ(reply.find("Artist - Title"), std::string::npos) << reply;

  // Closed, it hands back to the Options window as it was left.
  ClickAt(CentreOf(setup, design, "ExitLBL"));
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(setup); }, 15s));
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(options) != FALSE; }, 10s));
  EXPECT_EQ(BoxText(ascii_), "~~z");
  EXPECT_TRUE(HoldsFor(
      [&] {
        return !IsWindowVisible(main_) &&
               SettingsText().find("Ascii=~~\r\n") != std::string::npos;
      },
      500ms))
      << "the main window stays hidden and the typed text uncommitted";
}

// A decoration with blanks and quotes at its ends, and a player in a folder
// whose name the ANSI code page cannot hold, put into the boxes from
// outside: after the program starts again, its start-up line carries the
// decoration whole and auto-start runs that player, by its short path.
TEST_F(OptionsWindows, TypedValuesComeBackAfterARestart) {
  const std::wstring folder = NewTemporaryFolder() + L"\\Плеер 播放器";
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  const std::wstring player = folder + L"\\winamp.exe";
  ASSERT_TRUE(CopyFileW((ProgramFolder() + L"\\standin-player.exe").c_str(),
                        player.c_str(), FALSE));
  win32::Win32FileNames names;
  const std::string typedPath = win32::Utf8FromWide(player);
  ASSERT_FALSE(names.FitsCodePage(typedPath));
  const std::optional<std::string> shortPath = names.ShortPath(typedPath);
  ASSERT_TRUE(shortPath.has_value()) << "GetShortPathNameW: error " << GetLastError();
  ASSERT_TRUE(names.FitsCodePage(*shortPath)) << *shortPath;

  const HWND options = OpenOptions();
  ASSERT_NE(options, nullptr);
  const std::wstring decoration = L" \"~~\" ";
  ASSERT_TRUE(SendBounded(ascii_, WM_SETTEXT, 0,
                          reinterpret_cast<LPARAM>(decoration.c_str())));
  ASSERT_TRUE(SendBounded(dir_, WM_SETTEXT, 0,
                          reinterpret_cast<LPARAM>(player.c_str())));
  ASSERT_TRUE(BoxHolds(ascii_, " \"~~\" "));
  ASSERT_TRUE(BoxHolds(dir_, typedPath));
  ClickAt(CentreOf(options, settings::OptionsFRM::Design(), "ExitLBL"));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(options); }, 15s));
  const std::string stored = SettingsText();
  EXPECT_NE(stored.find("Ascii=\" \"~~\" \"\r\n"), std::string::npos) << stored;
  EXPECT_NE(stored.find("WinampDIR=" + *shortPath + "\r\n"), std::string::npos)
      << stored;

  // The program ends, the player too, and the program starts again.
  Type(".exit");
  ASSERT_TRUE(program_.WaitForExit(15s));
  player_.End();
  ASSERT_TRUE(WaitUntil(
      [] { return FindWindowA("Winamp v1.x", nullptr) == nullptr; }, 10s));
  const std::size_t before = Transcript().size();
  program_ = Process::Start(ProgramFolder() + L"\\tavrin.exe", L"");
  main_ = PassTheSplash();
  ASSERT_NE(main_, nullptr);
  ClosedAtTheEnd started{WaitForTopLevel("Winamp v1.x")};
  ASSERT_NE(started.window, nullptr);
  EXPECT_EQ(LongPath(ModulePathOfWindow(started.window)), player);
  EXPECT_TRUE(WaitUntil(
      [&] {
        return Transcript().find("DemoUser:\t \"~~\"  Tavrin By: Dunmarrow "
                                 "(Kestle) Successfully loaded.\r\n",
                                 before) != std::string::npos;
      },
      15s))
      << Transcript();
}

}  // namespace
}  // namespace tavrin::e2e
