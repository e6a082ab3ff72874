// Under Wine, with the stand-in programs as real processes: the cost of one
// report refresh next to the bare lookups and messages it makes, measured in
// alternating blocks in one run, and the cost of one chat send with 1 and
// with 20 windows that are no rooms in front of the room.
//
//   wine build/win64/bin/refresh_measure.exe [blocks]     (tools/bench runs it)

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bare_refresh_messages.h"
#include "chat/chat_room.h"
#include "e2e_support.h"
#include "report/compiler_frm.h"
#include "settings/save_frm.h"
#include "win32/base/win32_clock.h"
#include "win32/win32_foreign_windows.h"
#include "win32/base/win32_timers.h"

namespace {

using namespace tavrin;
using Clock = std::chrono::steady_clock;

constexpr int kBlock = 100;

template <typename Work>
double MicrosecondsPerCall(int calls, Work work) {
  const auto start = Clock::now();
  for (int i = 0; i < calls; ++i) work();
  return std::chrono::duration<double, std::micro>(Clock::now() - start).count() /
         calls;
}

}  // namespace

int main(int argc, char** argv) {
  const int blocks = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
  const std::wstring folder = e2e::ProgramFolder();
  const e2e::Process player =
      e2e::Process::Start(folder + L"\\standin-player.exe", L"");
  const e2e::Process chat =
      e2e::Process::Start(folder + L"\\standin-chat.exe", L"--no-buddy-list");
  const HWND playerWindow = e2e::WaitForTopLevel("Winamp v1.x");
  const HWND chatWindow = e2e::WaitForTopLevel("AOL Frame25");
  if (!playerWindow || !chatWindow) {
    std::fprintf(stderr, "the stand-ins did not start\n");
    return 2;
  }

  win32::Win32Clock clock;
  win32::Win32ForeignWindows windows(clock);
  win32::Win32Timers timers;
  settings::SaveFRM saved;
  saved.Ascii = "~~";
  saved.WAStatusCB = saved.SongNameCB = saved.BitRateCB = saved.ElapRemCB =
      saved.SongLenCB = settings::kChecked;
  // Its timers never tick here: nothing pumps messages during the run.
  report::CompilerFRM compiler(windows, timers,
                               [&]() -> const settings::SaveFRM& { return saved; });

  double refresh = 0;
  double bare = 0;
  std::intptr_t sink = 0;
  MicrosecondsPerCall(kBlock, [&] { compiler.RefreshReport(); });  // warm-up
  for (int block = 0; block < blocks; ++block) {
    refresh += MicrosecondsPerCall(kBlock, [&] { compiler.RefreshReport(); });
    bare += MicrosecondsPerCall(kBlock, [&] {
      sink += bench::MakeBareRefreshMessages(windows);
    });
  }
  refresh /= blocks;
  bare /= blocks;
  std::printf("report line: %s\n", compiler.Data.c_str());
  std::printf("RefreshReport:          %8.1f us per call\n", refresh);
  std::printf("bare lookups and sends: %8.1f us per call (17 lookups, 10 messages)\n",
              bare);
  std::printf("ratio:                  %8.3f (target at most 1.3)\n", refresh / bare);

  const int sends = 10 * blocks;
  const std::string line = compiler.Data;
  const double sendOne = MicrosecondsPerCall(sends, [&] { chat::ChatSend(windows, line); });
  e2e::Drive(chatWindow, "decoys 19");
  const double sendTwenty =
      MicrosecondsPerCall(sends, [&] { chat::ChatSend(windows, line); });
  std::printf("ChatSend,  1 window that is no room in front: %8.1f us per call\n",
              sendOne);
  std::printf("ChatSend, 20 windows that are no room in front: %8.1f us per call\n",
              sendTwenty);
  return sink == 42 ? 3 : 0;
}
