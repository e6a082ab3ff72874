// Text and hung peers end to end: the program's own code with the Windows
// adapters against the stand-in programs, which are Unicode windows.

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "chat/chat_room.h"
#include "chat/chat_sender.h"
#include "e2e_support.h"
#include "platform/hung_peer_guard.h"
#include "player/winamp_api.h"
#include "win32/base/win32_clock.h"
#include "win32/win32_foreign_windows.h"
#include "win32/win32_profile_file.h"
#include "win32/base/win32_timers.h"
#include "win32/base/win32_text.h"

namespace tavrin::e2e {
namespace {

// Titles in several scripts, as a player shows them.
constexpr char kJapanese[] = "坂本龍一 - Ｅｎｅｒｇｙ Ｆｌｏｗ";
constexpr char kCyrillic[] = "Кино - Группа крови";
constexpr char kAccented[] = "Céline Dion - Pour que tu m'aimes encore";

class PeerText : public ::testing::Test {
 protected:
  void SetUp() override {
    chat_ = Process::Start(ProgramFolder() + L"\\standin-chat.exe", L"");
    ASSERT_NE(chat = WaitForChatClient(), nullptr);
  }

  static std::string Line(const std::string& text) {
    return "DemoUser:\t" + text + "\r\n";
  }
  static HWND EntryBox() {
    return FindWindowExW(GetParent(RoomTranscript(1)), nullptr, L"RICHCNTL",
                         nullptr);
  }
  static void PumpWaitingMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      DispatchMessageW(&message);
    }
  }
  bool TranscriptBecomes(const std::string& expected) {
    return WaitUntil([&] { return WindowText(RoomTranscript(1)) == expected; },
                     10s);
  }

  Process chat_, player_;
  HWND chat = nullptr;
  win32::Win32Clock clock_;
  win32::Win32ForeignWindows windows_{clock_};
};

TEST_F(PeerText, PlayerTitlesInAnyScriptReachTheRoomWhole) {
  player_ = Process::Start(ProgramFolder() + L"\\standin-player.exe",
                           L"--no-autoplay");
  const HWND player = WaitForTopLevel("Winamp v1.x");
  ASSERT_NE(player, nullptr);
  ASSERT_TRUE(Drive(player, "clear"));
  std::string expected;
  for (const std::string title : {kJapanese, kCyrillic, kAccented}) {
    ASSERT_TRUE(Drive(player, "add 200 128 " + title));
  }
  for (const std::string title : {kJapanese, kCyrillic, kAccented}) {
    ASSERT_TRUE(WaitUntil([&] { return player::GetSongName(windows_) == title; }, 10s))
        << player::GetSongName(windows_);
    chat::ChatSend(windows_, player::GetSongName(windows_));
    expected += Line(title);
    ASSERT_TRUE(Drive(player, "next"));
  }
  EXPECT_TRUE(TranscriptBecomes(expected)) << WindowText(RoomTranscript(1));
}

TEST_F(PeerText, LineLeftInTheBoxBySlowClientGoesOutWhenItAnswersAgain) {
  win32::Win32Timers timers;
  chat::ChatSender sender(windows_, clock_, timers);
  ASSERT_TRUE(Drive(chat, "slow 1500"));
  const auto start = std::chrono::steady_clock::now();
  sender.Send("~~ Playing Song: Artist - Title");
  const auto took = std::chrono::steady_clock::now() - start;
  EXPECT_LT(took, platform::HungPeerGuard::kSendTimeout + 250ms)
      << "one bounded wait";
  // The watch ticks through this thread's message loop, as in the program.
  const bool sent = WaitUntil(
      [&] {
        PumpWaitingMessages();
        return WindowText(RoomTranscript(1)) ==
               Line("~~ Playing Song: Artist - Title");
      },
      10s);
  EXPECT_TRUE(sent) << WindowText(RoomTranscript(1));
  EXPECT_TRUE(WaitUntil([&] { return WindowText(EntryBox()).empty(); }, 10s))
      << "nothing is left in the entry box: " << WindowText(EntryBox());
}

TEST_F(PeerText, HungClientNeverGetsAnEnterWithoutTheText) {
  win32::Win32Timers timers;
  chat::ChatSender sender(windows_, clock_, timers);
  ASSERT_EQ(windows_.SetText(reinterpret_cast<platform::WindowHandle>(EntryBox()),
                             "half-typed words"),
            platform::Delivery::kAnswered);
  ASSERT_TRUE(Drive(chat, "hang 1500"));
  sender.Send("~~ Playing Song: Artist - Title");
  // Seen out once the client answers again, past the back-off.
  ASSERT_TRUE(WaitUntil(
      [&] {
        PumpWaitingMessages();
        return !sender.Watching();
      },
      15s));
  // An Enter left waiting in the client's queue would come late.
  EXPECT_TRUE(HoldsFor(
      [&] {
        return WindowText(EntryBox()) == "half-typed words" &&
               WindowText(RoomTranscript(1)).empty();
      },
      1s))
      << "entry box: " << WindowText(EntryBox())
      << ", room: " << WindowText(RoomTranscript(1));
}

// The settings file is written in the code page: what it cannot hold
// becomes "?", never a look-alike letter or a path separator.
TEST(ProfileText, CharactersTheCodePageLacksBecomeQuestionMarks) {
  const std::wstring folder = NewTemporaryFolder();
  const std::string file = win32::Utf8FromWide(folder) + "\\text.ini";
  win32::Win32ProfileFile profile;
  ASSERT_TRUE(profile.Write("Tavrin Save", "Ascii", "Ｅｎｅｒｇｙ＼é", file));
  const std::string stored = profile.Read("Tavrin Save", "Ascii", file);
  EXPECT_EQ(stored.find("Energy"), std::string::npos) << stored;
  EXPECT_EQ(stored.find('\\'), std::string::npos) << stored;
  if (GetACP() == 1252) {
    EXPECT_EQ(stored, "???????é");
  }
}

}  // namespace
}  // namespace tavrin::e2e

namespace tavrin::e2e {
namespace {

// A window on a thread of its own whose text grows between its length and
// its reading, as a player's title does when the song changes just then.
class GrowingTitle {
 public:
  GrowingTitle() {
    thread_ = CreateThread(nullptr, 0, &GrowingTitle::Run, this, 0, nullptr);
    WaitUntil([&] { return window_ != nullptr; }, 10s);
  }
  ~GrowingTitle() {
    if (window_ != nullptr) PostMessageW(window_, WM_CLOSE, 0, 0);
    WaitForSingleObject(thread_, 10000);
    CloseHandle(thread_);
  }
  HWND Window() const { return window_; }

 private:
  static constexpr wchar_t kShort[] = L"1. Artist - Title - Winamp";
  static constexpr wchar_t kLong[] =
      L"2. Night Drive - Neon Harbour - Winamp";

  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam,
                               LPARAM lParam) {
    auto* self = reinterpret_cast<GrowingTitle*>(
        GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self != nullptr && message == WM_GETTEXTLENGTH) {
      // The first length is the old title's; by the reading it has grown.
      return self->lengthsAsked_++ == 0 ? lstrlenW(kShort) : lstrlenW(kLong);
    }
    if (message == WM_GETTEXT) {
      lstrcpynW(reinterpret_cast<wchar_t*>(lParam), kLong,
                static_cast<int>(wParam));
      return lstrlenW(reinterpret_cast<wchar_t*>(lParam));
    }
    if (message == WM_CLOSE) {
      DestroyWindow(window);
      PostQuitMessage(0);
      return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }

  static DWORD WINAPI Run(void* parameter) {
    auto* self = static_cast<GrowingTitle*>(parameter);
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &GrowingTitle::Proc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"GrowingTitleWindow";
    RegisterClassW(&windowClass);
    const HWND window =
        CreateWindowExW(0, windowClass.lpszClassName, L"", WS_POPUP, 0, 0, 10,
                        10, nullptr, nullptr, windowClass.hInstance, nullptr);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->window_ = window;
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    return 0;
  }

  HANDLE thread_ = nullptr;
  HWND window_ = nullptr;
  int lengthsAsked_ = 0;
};

TEST(PeerTitle, TitleThatGrowsWhileItIsReadComesWhole) {
  GrowingTitle title;
  ASSERT_NE(title.Window(), nullptr);
  win32::Win32Clock clock;
  win32::Win32ForeignWindows windows(clock);
  EXPECT_EQ(windows.GetText(reinterpret_cast<platform::WindowHandle>(title.Window())),
            "2. Night Drive - Neon Harbour - Winamp");
}

}  // namespace
}  // namespace tavrin::e2e
