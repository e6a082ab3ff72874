// The spine end to end: the program's own code with the Windows adapters,
// against the stand-in programs running as processes of their own.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "chat/chat_room.h"
#include "e2e_support.h"
#include "player/winamp_api.h"
#include "report/compiler_frm.h"
#include "settings/settings_store.h"
#include "win32/base/win32_clock.h"
#include "win32/win32_foreign_windows.h"
#include "win32/win32_launcher.h"
#include "win32/win32_profile_file.h"
#include "win32/base/win32_text.h"
#include "win32/base/win32_timers.h"

namespace tavrin::e2e {
namespace {

class Spine : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = NewTemporaryFolder();
    playerLog_ = folder_ + L"\\player.log";
    chatLog_ = folder_ + L"\\chat.log";
  }

  HWND StartPlayer() {
    player_ = Process::Start(ProgramFolder() + L"\\standin-player.exe",
                             L"--no-autoplay --log \"" + playerLog_ + L"\"");
    return WaitForTopLevel("Winamp v1.x");
  }
  HWND StartChat() {
    chat_ = Process::Start(ProgramFolder() + L"\\standin-chat.exe",
                           L"--log \"" + chatLog_ + L"\"");
    return WaitForChatClient();
  }

  // The WM_COMMAND ids the stand-in player logged, in order.
  std::vector<int> PlayerCommands() {
    return LoggedPlayerCommands(playerLog_);
  }

  // The compiler reads the fixture's settings holder; it runs its first
  // refresh at once.
  report::CompilerFRM& Compile() {
    compiler_ = std::make_unique<report::CompilerFRM>(
        windows_, timers_,
        [this]() -> const settings::SaveFRM& { return saved_; });
    return *compiler_;
  }

  // Refreshes until `shown` holds: the player answers from its own thread,
  // which a busy machine may keep waiting past a send's time-out.
  static bool Shows(report::CompilerFRM& compiler,
                    const std::function<bool()>& shown) {
    return shown() || WaitUntil(
                          [&] {
                            compiler.RefreshReport();
                            return shown();
                          },
                          10s);
  }

  void AllTogglesOn() {
    saved_.Ascii = "~~";
    saved_.WAStatusCB = saved_.SongNameCB = saved_.BitRateCB =
        saved_.ElapRemCB = saved_.SongLenCB = settings::kChecked;
  }

  std::wstring folder_, playerLog_, chatLog_;
  Process player_, chat_;
  win32::Win32Clock clock_;
  win32::Win32ForeignWindows windows_{clock_};
  win32::Win32Timers timers_;
  settings::SaveFRM saved_;
  std::unique_ptr<report::CompilerFRM> compiler_;
};

TEST_F(Spine, ReportIsBuiltFromTheRunningPlayer) {
  const HWND player = StartPlayer();
  ASSERT_NE(player, nullptr);
  // Paused before the seek, so that the position stays where it was put.
  ASSERT_TRUE(Drive(player, "play"));
  ASSERT_TRUE(Drive(player, "pause"));
  ASSERT_TRUE(Drive(player, "seek 83000"));
  AllTogglesOn();
  report::CompilerFRM& compiler = Compile();
  EXPECT_TRUE(Shows(compiler, [&] {
    return compiler.Data ==
           "~~ Paused On Song: Artist - Title BitRate: 128 - "
           "Elapsed/Remaining: 00:01:23/00:02:34 - Length: 00:03:57";
  })) << compiler.Data;
  ASSERT_TRUE(Drive(player, "next"));
  ASSERT_TRUE(Drive(player, "play"));
  compiler.RefreshReport();
  EXPECT_TRUE(Shows(compiler, [&] {
    return compiler.SongName == "Night Drive - Neon Harbour" &&
           compiler.WAStatus == "Playing" && compiler.TrackLength == "00:05:01";
  })) << compiler.Data;
}

// The auto advertiser's timer ticks through the message loop, as in the
// program, and rebuilds the report when the song's name changes.
TEST_F(Spine, AutoAdvertiseTimerFollowsTheSong) {
  const HWND player = StartPlayer();
  ASSERT_NE(player, nullptr);
  AllTogglesOn();
  report::CompilerFRM& compiler = Compile();
  EXPECT_TRUE(Shows(compiler, [&] { return compiler.WAStatus == "Stopped On"; }))
      << compiler.Data;
  std::vector<std::string> lines;
  compiler.SetAutoAdvTick([&] {
    if (auto line = compiler.NewSongLine(settings::kChecked)) {
      lines.push_back(line->text);
      compiler.SongLineDone(line->song, true);
    }
  });
  compiler.RememberSong(compiler.SongName);
  ASSERT_TRUE(Drive(player, "select 3"));
  ASSERT_TRUE(Drive(player, "play"));
  const bool followed = WaitUntil(
      [&] {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
          DispatchMessageW(&message);
        }
        return !lines.empty();
      },
      10s);
  ASSERT_TRUE(followed) << compiler.Data;
  EXPECT_EQ(compiler.SongName, "The Quiet Band - Paper Boats");
  EXPECT_EQ(lines.front().rfind("~~ Playing Song: The Quiet Band - Paper Boats", 0),
            0u)
      << lines.front();
}

TEST_F(Spine, ChatSendLandsInTheFirstRoomPastOtherWindows) {
  const HWND chat = StartChat();
  ASSERT_NE(chat, nullptr);
  ASSERT_TRUE(Drive(chat, "open Second Room"));
  ASSERT_NE(RoomTranscript(2), nullptr);
  ASSERT_TRUE(Drive(chat, "decoys 3"));
  ASSERT_TRUE(Drive(chat, "say 1 Bob hi all"));
  chat::ChatSend(windows_, "~~ Playing Song: Artist - Title");
  const std::string expected =
      "Bob:\thi all\r\nDemoUser:\t~~ Playing Song: Artist - Title\r\n";
  EXPECT_TRUE(WaitUntil([&] { return WindowText(RoomTranscript(1)) == expected; }, 10s))
      << WindowText(RoomTranscript(1));
  const HWND room = reinterpret_cast<HWND>(chat::FindChatRoom(windows_));
  const HWND entry = FindWindowExA(room, nullptr, "RICHCNTL", nullptr);
  EXPECT_TRUE(WaitUntil([&] { return WindowText(entry).empty(); }, 10s))
      << "the entry box is emptied: " << WindowText(entry);
  EXPECT_TRUE(HoldsFor([] { return WindowText(RoomTranscript(2)).empty(); }, 500ms))
      << "the second room got " << WindowText(RoomTranscript(2));
}

TEST_F(Spine, TheFiveTransportCommandsReachThePlayer) {
  ASSERT_NE(StartPlayer(), nullptr);
  player::WinampPrevious(windows_);
  player::WinampPlay(windows_);
  player::WinampPause(windows_);
  player::WinampStop(windows_);
  player::WinampNext(windows_);
  ASSERT_TRUE(WaitUntil([&] { return PlayerCommands().size() >= 5; }, 10s));
  EXPECT_EQ(PlayerCommands(), (std::vector<int>{40044, 40045, 40046, 40047, 40048}));
}

TEST_F(Spine, StartWinampStartsTheStoredPathWholeDespiteItsBlank) {
  // A decoy where a command line split at the blank would lead.
  const std::wstring installed = folder_ + L"\\Stand In";
  ASSERT_TRUE(CreateDirectoryW(installed.c_str(), nullptr));
  const std::wstring program = installed + L"\\standin-player.exe";
  ASSERT_TRUE(CopyFileW((ProgramFolder() + L"\\standin-player.exe").c_str(),
                        program.c_str(), FALSE));
  ASSERT_TRUE(CopyFileW((ProgramFolder() + L"\\standin-player.exe").c_str(),
                        (folder_ + L"\\Stand.exe").c_str(), FALSE));

  win32::Win32ProfileFile profile;
  settings::WriteSetting(profile, settings::kSettingsSection, "WinampDIR",
                         win32::Utf8FromWide(program), settings::kSettingsFile);
  settings::LoadSettings(profile, saved_);
  ASSERT_EQ(saved_.Dir, win32::Utf8FromWide(program));

  win32::Win32Launcher launcher;
  player::StartWinamp(windows_, launcher, saved_.Dir);
  const HWND started = WaitForTopLevel("Winamp v1.x");
  ASSERT_NE(started, nullptr);
  EXPECT_EQ(ModulePathOfWindow(started), program);
  // Whatever the launcher started runs by the time it returns; a window
  // of a wrongly started one might come late, so that is watched a while.
  EXPECT_EQ(ProcessesRunningFrom(folder_), std::vector<std::wstring>{program});
  EXPECT_TRUE(HoldsFor(
      [&] { return FindWindowExA(nullptr, started, "Winamp v1.x", nullptr) == nullptr; },
      1500ms))
      << "a second player started";
  PostMessageW(started, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitUntil([] { return !FindWindowA("Winamp v1.x", nullptr); }, 10s));
}

TEST_F(Spine, HungPlayerLeavesTheRefreshBounded) {
  const HWND player = StartPlayer();
  ASSERT_NE(player, nullptr);
  ASSERT_TRUE(Drive(player, "play"));
  AllTogglesOn();
  report::CompilerFRM& compiler = Compile();
  ASSERT_TRUE(Shows(compiler, [&] { return compiler.SongName == "Artist - Title"; }))
      << compiler.Data;
  ASSERT_TRUE(Drive(player, "hang 4000"));

  const auto timed = [&] {
    const auto start = std::chrono::steady_clock::now();
    compiler.RefreshReport();
    return std::chrono::steady_clock::now() - start;
  };
  const auto first = timed();
  const auto second = timed();
  EXPECT_LT(first, platform::HungPeerGuard::kSendTimeout + 250ms);
  // A refresh that waited on the player would take the whole send time-out;
  // less than that leaves room for a busy machine.
  EXPECT_LT(second, platform::HungPeerGuard::kSendTimeout)
      << "backed off: no further wait";
  EXPECT_EQ(compiler.SongName, "") << "a hung player reads as absent";
  EXPECT_TRUE(WaitUntil(
      [&] {
        compiler.RefreshReport();
        return compiler.SongName == "Artist - Title";
      },
      15s))
      << "answers again once the hang is over";
}

}  // namespace
}  // namespace tavrin::e2e
