// The Windows half of tools/measure-shell: drives tavrin.exe with the real
// mouse, times its start and reads what Wine reports about a process.
//
//   shell_measure open-main        splash -> main window -> Advertise; prints
//                                  the report line the chat room received
//   shell_measure answers          the owner types ".song" in the room; prints
//                                  the reply (so the chat scan runs)
//   shell_measure advertises       the player goes to its next song; prints
//                                  the line the auto advertiser posted
//   shell_measure startup <runs> [<program> <class>]
//                                  CreateProcessW of tavrin.exe (or of the
//                                  program beside it) until its splash (or
//                                  its window of that class) is visible, in
//                                  milliseconds
//   shell_measure peak-memory <class>
//                                  PeakWorkingSetSize in bytes of the process
//                                  that owns a window of that class
//
// Exit code 0 when it measured, 1 when it could not.

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "e2e_support.h"
#include "shell/main_frm.h"
#include "shell_driving.h"
#include "win32/base/win32_text.h"
#include "ui_input.h"

namespace {

using namespace tavrin;
using namespace std::chrono_literals;

int Fail(const char* why) {
  std::fprintf(stderr, "shell_measure: %s\n", why);
  return 1;
}

int OpenMain() {
  const HWND main = e2e::PassTheSplash();
  if (main == nullptr) return Fail("no main window after the splash");

  const std::string before = e2e::WindowText(e2e::RoomTranscript(1));
  const POINT advertise =
      e2e::CentreOf(main, shell::MainFRM::Design(), "AdvSongLBL");
  if (!e2e::Click(advertise.x, advertise.y)) {
    return Fail("the click on Advertise was refused");
  }

  // The report is the line the room got after the click.
  std::string added;
  e2e::WaitUntil(
      [&] {
        const std::string now = e2e::WindowText(e2e::RoomTranscript(1));
        added = now.size() > before.size() ? now.substr(before.size()) : "";
        return added.find("Song: ") != std::string::npos;
      },
      10s);
  if (added.find("Song: ") == std::string::npos) {
    return Fail("the room got no report line after Advertise");
  }
  while (!added.empty() && (added.back() == '\n' || added.back() == '\r')) {
    added.pop_back();
  }
  std::printf("%s\n", added.c_str());
  return 0;
}

// The lines the room's transcript got after `before`, once they hold
// `wanted` and end with a line end; empty if that did not come in 10 s.
std::string RoomAddsLine(const std::string& before, const std::string& wanted) {
  std::string added;
  e2e::WaitUntil(
      [&] {
        const std::string now = e2e::WindowText(e2e::RoomTranscript(1));
        added = now.size() > before.size() ? now.substr(before.size()) : "";
        const std::size_t at = added.find(wanted);
        return at != std::string::npos && added.find("\r\n", at) != std::string::npos;
      },
      10s);
  const std::size_t at = added.find(wanted);
  if (at == std::string::npos) return {};
  return added.substr(at, added.find("\r\n", at) - at);
}

int Answers() {
  const HWND chat = FindWindowA("AOL Frame25", nullptr);
  if (chat == nullptr) return Fail("no chat client");
  const std::string before = e2e::WindowText(e2e::RoomTranscript(1));
  if (!e2e::Drive(chat, "say 1 DemoUser .song")) return Fail("the chat client refused the line");
  const std::string reply = RoomAddsLine(before, "DemoUser:\t~~ Song Name: ");
  if (reply.empty()) return Fail("no reply to .song in the room");
  std::printf("%s\n", reply.c_str());
  return 0;
}

int Advertises() {
  const HWND player = FindWindowA("Winamp v1.x", nullptr);
  if (player == nullptr) return Fail("no player");
  const std::string before = e2e::WindowText(e2e::RoomTranscript(1));
  if (!e2e::Drive(player, "next")) return Fail("the player refused next");
  const std::string line = RoomAddsLine(before, "DemoUser:\t~~ Playing Song: ");
  if (line.empty()) return Fail("no advertised line after the song changed");
  std::printf("%s\n", line.c_str());
  return 0;
}

int Startup(int runs, const std::string& programName, const char* className) {
  const std::wstring program =
      e2e::ProgramFolder() + L"\\" + win32::WideFromUtf8(programName);
  LARGE_INTEGER frequency{};
  QueryPerformanceFrequency(&frequency);
  std::vector<double> times;
  for (int run = 0; run < runs; ++run) {
    if (!e2e::WaitUntil([&] { return FindWindowA(className, nullptr) == nullptr; }, 10s)) {
      return Fail("a window from before is still there");
    }
    LARGE_INTEGER start{};
    QueryPerformanceCounter(&start);
    bool seen = false;
    LARGE_INTEGER shown{};
    {
      // Ended again as soon as its window is seen.
      const e2e::Process started = e2e::Process::Start(program, L"");
      if (started.Id() == 0) return Fail("CreateProcessW of tavrin.exe failed");
      for (int polls = 0; polls < 30000 && !seen; ++polls) {
        QueryPerformanceCounter(&shown);
        seen = e2e::VisibleWindow(className) != nullptr;
        if (!seen) Sleep(1);
      }
    }
    if (!seen) return Fail("the window was not shown within 30 s");
    const double ms = 1000.0 * static_cast<double>(shown.QuadPart - start.QuadPart) /
                      static_cast<double>(frequency.QuadPart);
    times.push_back(ms);
    std::printf("run %d: %.1f ms\n", run + 1, ms);
    Sleep(500);
  }
  std::vector<double> sorted = times;
  std::sort(sorted.begin(), sorted.end());
  const std::size_t n = sorted.size();
  const double median = n % 2 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
  std::printf("median: %.1f ms\n", median);
  return 0;
}

int PeakMemory(const char* className) {
  const HWND window = FindWindowA(className, nullptr);
  if (window == nullptr) return Fail("no window of that class");
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  const win32::UniqueKernelHandle process(
      OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
  if (!process) return Fail("OpenProcess failed");
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(process.get(), &counters, sizeof counters)) {
    return Fail("GetProcessMemoryInfo failed");
  }
  std::printf("%llu\n", static_cast<unsigned long long>(counters.PeakWorkingSetSize));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "open-main" && argc == 2) return OpenMain();
  if (command == "answers" && argc == 2) return Answers();
  if (command == "advertises" && argc == 2) return Advertises();
  if (command == "startup" && (argc == 3 || argc == 5)) {
    return Startup(std::max(1, std::atoi(argv[2])),
                   argc == 5 ? argv[3] : "tavrin.exe",
                   argc == 5 ? argv[4] : e2e::kSplashClass);
  }
  if (command == "peak-memory" && argc == 3) return PeakMemory(argv[2]);
  std::fprintf(stderr,
               "usage: shell_measure open-main | answers | advertises |\n"
               "       startup <runs> [<program> <class>] |\n"
               "       peak-memory <class>\n");
  return 2;
}
