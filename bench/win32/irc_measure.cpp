// Under Wine, with real processes and a real IRC server on loopback: how
// soon tavrin.exe, through tavrin-chat.exe, answers its owner where another
// person in the channel sees it, and whether a busy channel costs it a
// reply or the client its memory.
//
//   irc_measure replies <commands>  the owner's command typed in the
//                                   client's room to the reply heard by the
//                                   other person (target p99 at most 250 ms)
//   irc_measure traffic <lines>     the other person says <lines> lines at
//                                   20 a second while the owner's commands
//                                   are answered: every reply heard once;
//                                   the client's memory after half the
//                                   lines and at the end
//
// tools/measure-irc runs both. Exit code 0 when it measured (a missed
// target is printed, not an error), 1 when it could not.

#include <winsock2.h>
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "e2e_support.h"
#include "irc_peer.h"
#include "irc_scene.h"
#include "irc_server.h"
#include "latency_report.h"
#include "shell_driving.h"

namespace {

using namespace tavrin;
using namespace tavrin::e2e;
using Clock = std::chrono::steady_clock;

constexpr char kOwner[] = "ann";
constexpr char kLoaded[] = "~~ Tavrin By: Dunmarrow (Kestle) Successfully loaded.";
constexpr unsigned long kReplyLimitMs = 10000;
// The client sends one line every 1.5 s once its burst of five is spent,
// and each command costs two (the command and its reply): one command
// every 3.2 s keeps the burst full, as a person typing commands would.
constexpr auto kCommandPeriod = 3200ms;

int Fail(const char* why) {
  std::fprintf(stderr, "irc_measure: could not measure: %s\n", why);
  return 1;
}

double MsSince(Clock::time_point start, Clock::time_point end) {
  return std::chrono::duration<double, std::milli>(end - start).count();
}

// The server, the other person, the stand-in player, the client and the
// program, started in the order the tests use.
class Scene {
 public:
  explicit Scene(IrcServer::Pacing pacing) : server_(pacing) {}

  bool Start() {
    if (!server_.Running() || !bob_.Join(server_.Port(), "bob")) return false;
    StoreRoomSettings("0");
    player_ = Process::Start(ProgramFolder() + L"\\standin-player.exe", L"");
    if (WaitForTopLevel("Winamp v1.x") == nullptr) return false;
    chat_ = Process::Start(ProgramFolder() + L"\\tavrin-chat.exe",
                           ChatArguments(server_.Port(), kOwner));
    if (!bob_.WaitForPerson(kOwner) || !WaitUntil([] { return ChatRoom() != nullptr; })) {
      return false;
    }
    program_ = Process::Start(ProgramFolder() + L"\\tavrin.exe", L"");
    return PassTheSplash() != nullptr && bob_.WaitForText(kLoaded);
  }

  IrcPeer& Bob() { return bob_; }
  DWORD ClientId() const { return chat_.Id(); }
  // The replies of the program heard so far (lines of the owner's that are
  // not commands, after the start-up line).
  std::size_t Replies() {
    const auto said = SaidBy(bob_.HeardSoFar(), kOwner);
    return static_cast<std::size_t>(std::count_if(said.begin(), said.end(), [](const auto& t) {
      return t.starts_with("~~ ") && t != kLoaded;
    }));
  }

 private:
  IrcServer server_;
  IrcPeer bob_;
  Process player_, chat_, program_;
};

int MeasureReplies(int commands) {
  Scene scene(IrcServer::Pacing::kThrottled);
  if (!scene.Start()) return Fail("the scene did not start");
  std::vector<double> ms;
  int missed = 0;
  for (int i = 0; i < commands; ++i) {
    const std::size_t before = scene.Replies();
    const auto typed = Clock::now();
    if (!TypeInRoom(i % 2 == 0 ? ".song" : ".br")) return Fail("the room took no line");
    const bool heard = scene.Bob().WaitUntil(
        [&](const std::vector<Heard>&) { return scene.Replies() > before; },
        std::chrono::milliseconds(kReplyLimitMs));
    if (heard) {
      ms.push_back(MsSince(typed, scene.Bob().HeardSoFar().back().when));
    } else {
      ++missed;
    }
    scene.Bob().Listen(std::chrono::duration_cast<std::chrono::milliseconds>(
        std::max(Clock::duration::zero(), typed + kCommandPeriod - Clock::now())));
  }
  bench::PrintLatencies("owner's command typed in tavrin-chat to the reply heard in the channel",
                        ms, missed, kReplyLimitMs, 250);
  return 0;
}

struct Memory {
  double privateMb = 0;
  double workingSetMb = 0;
};

// Wine answers 0 for PrivateUsage: the committed private regions are
// summed instead, as the system counts private bytes.
double CommittedPrivateMb(HANDLE process) {
  double bytes = 0;
  MEMORY_BASIC_INFORMATION region{};
  for (const char* at = nullptr;
       VirtualQueryEx(process, at, &region, sizeof region) == sizeof region;
       at = static_cast<const char*>(region.BaseAddress) + region.RegionSize) {
    if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) {
      bytes += static_cast<double>(region.RegionSize);
    }
  }
  return bytes / (1024.0 * 1024.0);
}

Memory MemoryOf(DWORD processId) {
  Memory memory;
  const HANDLE process =
      OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
  if (process == nullptr) return memory;
  memory.privateMb = CommittedPrivateMb(process);
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (GetProcessMemoryInfo(process, &counters, sizeof counters)) {
    memory.workingSetMb = static_cast<double>(counters.WorkingSetSize) / (1024.0 * 1024.0);
  }
  CloseHandle(process);
  return memory;
}

int MeasureTraffic(int lines) {
  // The other person talks faster than a server lets one client: this
  // server keeps no pace, so that the channel really carries 20 lines a
  // second.
  Scene scene(IrcServer::Pacing::kUnthrottled);
  if (!scene.Start()) return Fail("the scene did not start");
  const auto start = Clock::now();
  auto nextCommand = start;
  int commands = 0;
  Memory half, end;
  for (int i = 1; i <= lines; ++i) {
    const auto due = start + std::chrono::milliseconds(50 * (i - 1));
    scene.Bob().Listen(std::chrono::duration_cast<std::chrono::milliseconds>(
        std::max(Clock::duration::zero(), due - Clock::now())));
    scene.Bob().Say("line " + std::to_string(i) + " of the channel's busy talk");
    if (Clock::now() >= nextCommand) {
      if (!TypeInRoom(commands % 2 == 0 ? ".song" : ".br")) return Fail("the room took no line");
      ++commands;
      nextCommand += kCommandPeriod;
    }
    if (i == lines / 2) half = MemoryOf(scene.ClientId());
  }
  const double talkSeconds = MsSince(start, Clock::now()) / 1000.0;
  const bool all = scene.Bob().WaitUntil(
      [&](const std::vector<Heard>&) {
        return scene.Replies() >= static_cast<std::size_t>(commands);
      },
      60s);
  scene.Bob().Listen(2s);
  end = MemoryOf(scene.ClientId());
  const std::size_t replies = scene.Replies();
  const std::string transcript =
      WindowText(FindWindowExW(ChatRoom(), nullptr, L"RICHCNTLREADONLY", nullptr));
  const auto kept = std::count(transcript.begin(), transcript.end(), '\n');
  std::printf("channel traffic: %d lines said in %.1f s (%.1f a second), %d owner's "
              "commands\n",
              lines, talkSeconds, lines / talkSeconds, commands);
  std::printf("  replies heard: %zu of %d: %s\n", replies, commands,
              all && replies == static_cast<std::size_t>(commands) ? "each once" : "MISSED");
  std::printf("  the client's transcript keeps %ld lines\n", static_cast<long>(kept));
  std::printf("  tavrin-chat.exe committed private %.2f MB after %d lines, %.2f MB after %d "
              "(%+.1f %%); working set %.2f MB, %.2f MB\n",
              half.privateMb, lines / 2, end.privateMb, lines,
              half.privateMb > 0 ? 100.0 * (end.privateMb - half.privateMb) / half.privateMb : 0.0,
              half.workingSetMb, end.workingSetMb);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string what = argc > 1 ? argv[1] : "";
  const int count = argc > 2 ? std::atoi(argv[2]) : 0;
  if (what == "replies" && count > 0) return MeasureReplies(count);
  if (what == "traffic" && count > 0) return MeasureTraffic(count);
  std::fprintf(stderr, "usage: irc_measure replies <commands> | traffic <lines>\n");
  return 1;
}
