// Under Wine, with real processes: how soon tavrin.exe answers its owner in
// the room and advertises a change of song, and what one look of the chat
// scan at the room costs with a short and with a long transcript.
//
//   chat_measure replies <commands>  the owner's command line to the reply
//                                    line in the room (tavrin.exe, auto
//                                    advertise off)
//   chat_measure advertise <changes> the player's change of song to the
//                                    advertised line (auto advertise on)
//   chat_measure scan [blocks]       chat::ChatScan::Poll in this process
//                                    against standin-chat.exe: 1 KB against
//                                    200 KB with nothing new, in alternating
//                                    blocks, and a poll that finds one line
//
// A line is seen in the room through the chat stand-in's log, which its
// room writes each added line to right after showing it: watching that
// file every millisecond costs the stand-in nothing, whereas asking its
// transcript that often would keep it busy and slow what is measured.
//
// tools/measure-chat runs all three. Exit code 0 when it measured (a missed
// target is printed, not an error), 1 when it could not.

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "chat/chat_room.h"
#include "chat/chat_scan.h"
#include "e2e_support.h"
#include "latency_report.h"
#include "shell_driving.h"
#include "win32/base/win32_clock.h"
#include "win32/win32_foreign_windows.h"
#include "win32/base/win32_timers.h"

namespace {

using namespace tavrin;
using namespace std::chrono_literals;
using bench::Mean;
using bench::Percentile;

constexpr char kOwner[] = "DemoUser";
constexpr char kStartupLine[] = "Successfully loaded.\r\n";
// A reply or a line that has not come after this is counted as missed.
constexpr DWORD kReplyLimitMs = 5000;

int Fail(const char* why) {
  std::fprintf(stderr, "chat_measure: could not measure: %s\n", why);
  return 1;
}

class Stopwatch {
 public:
  Stopwatch() { QueryPerformanceFrequency(&frequency_); }
  LARGE_INTEGER Now() const {
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    return now;
  }
  double Ms(LARGE_INTEGER from, LARGE_INTEGER to) const {
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) /
           static_cast<double>(frequency_.QuadPart);
  }

 private:
  LARGE_INTEGER frequency_{};
};

// Asked with the wide message: under Wine the ANSI length query ignores
// its time-out.
std::optional<std::size_t> TextLength(HWND window) {
  DWORD_PTR length = 0;
  if (SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG,
                          kReplyLimitMs, &length) == 0) {
    return std::nullopt;
  }
  return static_cast<std::size_t>(length);
}

void PrintLatencies(const char* what, std::vector<double> ms, int missed,
                    double targetP99) {
  bench::PrintLatencies(what, std::move(ms), missed, kReplyLimitMs, targetP99);
}

// The stand-ins and tavrin.exe past its splash, its chat scan running.
class RunningProgram {
 public:
  // Empty when it all came up; else what did not.
  std::string Start(const char* autoAdvertise) {
    e2e::StoreSettings({{"Ascii", "~~"}, {"UseWAStatus", "1"},
                        {"UseSongName", "1"}, {"UseBitRate", "1"},
                        {"UseElapRem", "0"}, {"UseSongLen", "1"},
                        {"AutoAdv", autoAdvertise}, {"AutoLoadWA", "0"},
                        {"WinampDIR", ""}});
    const std::wstring folder = e2e::ProgramFolder();
    logPath_ = e2e::NewTemporaryFolder() + L"\\chat.log";
    chat_ = e2e::Process::Start(folder + L"\\standin-chat.exe",
                                L"--log \"" + logPath_ + L"\"");
    player_ = e2e::Process::Start(folder + L"\\standin-player.exe", L"");
    chatWindow = e2e::WaitForChatClient();
    playerWindow = e2e::WaitForTopLevel("Winamp v1.x");
    transcript = e2e::RoomTranscript(1);
    if (!chatWindow || !playerWindow || !transcript) return "the stand-ins did not start";
    DWORD_PTR state = 0;
    if (!SendMessageTimeoutW(playerWindow, WM_USER, 0, 104, SMTO_ABORTIFHUNG, 5000,
                             &state) ||
        state != 1) {
      return "the stand-in player is not playing";
    }
    const HANDLE log = CreateFileW(logPath_.c_str(), GENERIC_READ,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log == INVALID_HANDLE_VALUE) return "no log of the chat stand-in";
    log_.reset(log);
    program_ = e2e::Process::Start(folder + L"\\tavrin.exe", L"");
    if (e2e::PassTheSplash() == nullptr) return "tavrin.exe did not get past its splash";
    // The scan starts right after the start-up line is sent.
    if (!e2e::WaitUntil([&] { return Transcript().find(kStartupLine) != std::string::npos; },
                        15s)) {
      return "no start-up line in the room";
    }
    Sleep(1000);
    return {};
  }

  std::string Transcript() const { return e2e::WindowText(transcript); }

  // The size of the chat stand-in's log: where the next line will start.
  std::size_t LogSize() const {
    LARGE_INTEGER size{};
    GetFileSizeEx(log_.get(), &size);
    return static_cast<std::size_t>(size.QuadPart);
  }

  // The log from byte `from` on, as far as it is written.
  std::string LogFrom(std::size_t from) const {
    std::string text(LogSize() > from ? LogSize() - from : 0, '\0');
    LARGE_INTEGER at{};
    at.QuadPart = static_cast<LONGLONG>(from);
    DWORD read = 0;
    if (text.empty() || !SetFilePointerEx(log_.get(), at, nullptr, FILE_BEGIN) ||
        !ReadFile(log_.get(), text.data(), static_cast<DWORD>(text.size()), &read,
                  nullptr)) {
      return {};
    }
    text.resize(read);
    return text;
  }

  // Waits, looking every millisecond, until room 1 got a line that starts
  // with `line`, after log byte `from`; the time it was seen.
  std::optional<LARGE_INTEGER> WaitForLine(const Stopwatch& clock,
                                           std::size_t from,
                                           const std::string& line,
                                           std::size_t& polls) const {
    const std::string wanted = "room 1: " + line;
    const LARGE_INTEGER start = clock.Now();
    std::size_t lastSize = from;
    for (;;) {
      const LARGE_INTEGER now = clock.Now();
      ++polls;
      const std::size_t size = LogSize();
      if (size != lastSize) {
        lastSize = size;
        const std::string added = LogFrom(from);
        // Whole lines only: the log ends each with a line feed.
        const std::size_t at = added.find(wanted);
        if (at != std::string::npos && added.find('\n', at) != std::string::npos) {
          return now;
        }
      }
      if (clock.Ms(start, now) > kReplyLimitMs) return std::nullopt;
      Sleep(1);
    }
  }

  HWND chatWindow = nullptr;
  HWND playerWindow = nullptr;
  HWND transcript = nullptr;

 private:
  std::wstring logPath_;
  win32::UniqueKernelHandle log_;
  e2e::Process chat_, player_, program_;
};

// What the room got after log byte `from`, for a line that came late or
// not at all.
void PrintRoomLines(const RunningProgram& running, std::size_t from) {
  const std::string added = running.LogFrom(from);
  std::printf("    the room got:%s\n", added.empty() ? " nothing" : "");
  std::size_t start = 0;
  for (std::size_t end = added.find('\n'); end != std::string::npos;
       start = end + 1, end = added.find('\n', start)) {
    std::printf("      %s\n", added.substr(start, end - start).c_str());
  }
}

struct Sample {
  int index;
  double atSeconds;  // since the first command or change
  double ms;
};

// The slowest few, so that a long tail can be told from steady slowness.
void PrintSlowest(std::vector<Sample> samples) {
  std::sort(samples.begin(), samples.end(),
            [](const Sample& a, const Sample& b) { return a.ms > b.ms; });
  std::printf("  slowest:");
  for (std::size_t i = 0; i < samples.size() && i < 5; ++i) {
    std::printf(" #%d at %.1f s: %.1f ms;", samples[i].index + 1,
                samples[i].atSeconds, samples[i].ms);
  }
  std::printf("\n");
}

struct ReplyCommand {
  const char* command;
  const char* reply;  // the start of the reply's text, after the decoration
};

// Commands whose replies are plain text built from the report or the clock;
// none of them changes anything at the player.
constexpr ReplyCommand kReplyCommands[] = {
    {".song", " Song Name: "},
    {".br", " BitRate: "},
    {".len", " Track Length: "},
    {".stat", " Winamp Status: "},
    {".time", " The Time is: "},
};

// Spaced apart at random so that the commands do not keep one phase of the
// scan's 50 ms poll.
DWORD RandomGap(std::mt19937& random) {
  return std::uniform_int_distribution<DWORD>(100, 300)(random);
}

int MeasureReplies(int commands) {
  RunningProgram running;
  if (const std::string failed = running.Start("0"); !failed.empty()) {
    return Fail(failed.c_str());
  }
  const unsigned seed = GetTickCount();
  std::mt19937 random(seed);
  Stopwatch clock;
  const LARGE_INTEGER first = clock.Now();
  std::vector<double> latencies, driveMs;
  std::vector<Sample> samples;
  std::size_t polls = 0;
  int missed = 0;
  for (int i = 0; i < commands; ++i) {
    Sleep(RandomGap(random));
    const ReplyCommand& c = kReplyCommands[i % std::size(kReplyCommands)];
    const std::size_t before = running.LogSize();
    const std::string reply = std::string(kOwner) + ":\t~~" + c.reply;
    const LARGE_INTEGER start = clock.Now();
    if (!e2e::Drive(running.chatWindow, std::string("say 1 ") + kOwner + " " + c.command)) {
      return Fail("the chat stand-in refused a line");
    }
    driveMs.push_back(clock.Ms(start, clock.Now()));
    const std::optional<LARGE_INTEGER> seen = running.WaitForLine(clock, before, reply, polls);
    if (seen) {
      latencies.push_back(clock.Ms(start, *seen));
      samples.push_back({i, clock.Ms(first, start) / 1000, latencies.back()});
    } else {
      ++missed;
    }
    if (!seen || latencies.back() > 1000) {
      std::printf("  command #%d \"%s\": %s\n", i + 1, c.command,
                  seen ? "answered after more than 1 s" : "no answer");
      PrintRoomLines(running, before);
    }
  }
  std::printf("owner's command to its reply in the room, %d commands (%zu kinds, "
              "100-300 ms apart, seed %u)\n",
              commands, std::size(kReplyCommands), seed);
  PrintLatencies("latency", latencies, missed, 120);
  std::printf("  mean %.1f ms; the driver's say itself: median %.2f ms; "
              "%zu looks at the log\n",
              Mean(latencies), Percentile(driveMs, 0.5), polls);
  PrintSlowest(samples);
  return 0;
}

// The song's name as the player's caption shows it: "<n>. <name> - Winamp".
std::string SongNameOf(std::string caption) {
  constexpr std::string_view kSuffix = " - Winamp";
  if (caption.size() >= kSuffix.size() &&
      caption.compare(caption.size() - kSuffix.size(), kSuffix.size(), kSuffix) == 0) {
    caption.resize(caption.size() - kSuffix.size());
  }
  const std::size_t dot = caption.find(". ");
  if (dot != std::string::npos &&
      caption.find_first_not_of("0123456789") == dot) {
    caption.erase(0, dot + 2);
  }
  return caption;
}

std::size_t CountOf(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos;
       at = text.find(part, at + part.size())) {
    ++count;
  }
  return count;
}

int MeasureAdvertise(int changes) {
  RunningProgram running;
  if (const std::string failed = running.Start("1"); !failed.empty()) {
    return Fail(failed.c_str());
  }
  const std::size_t logStart = running.LogSize();
  const unsigned seed = GetTickCount();
  std::mt19937 random(seed);
  Stopwatch clock;
  const LARGE_INTEGER first = clock.Now();
  std::vector<double> latencies;
  std::vector<Sample> samples;
  std::size_t polls = 0;
  int missed = 0;
  for (int i = 0; i < changes; ++i) {
    Sleep(RandomGap(random));
    const std::size_t before = running.LogSize();
    const LARGE_INTEGER start = clock.Now();
    if (!e2e::Drive(running.playerWindow, "next")) {
      return Fail("the player stand-in refused next");
    }
    const std::string song = SongNameOf(e2e::WindowText(running.playerWindow));
    const std::string line = std::string(kOwner) + ":\t~~ Playing Song: " + song + " ";
    const std::optional<LARGE_INTEGER> seen = running.WaitForLine(clock, before, line, polls);
    if (seen) {
      latencies.push_back(clock.Ms(start, *seen));
      samples.push_back({i, clock.Ms(first, start) / 1000, latencies.back()});
    } else {
      ++missed;
    }
    if (!seen || latencies.back() > 1000) {
      std::printf("  change #%d to \"%s\": %s\n", i + 1, song.c_str(),
                  seen ? "advertised after more than 1 s" : "not advertised");
      PrintRoomLines(running, before);
    }
  }
  // Each change posts one line: no more, once the last one has come.
  Sleep(500);
  const std::size_t posted = CountOf(running.LogFrom(logStart),
                                     "room 1: " + std::string(kOwner) + ":\t~~ ");
  std::printf("change of song to the advertised line, %d changes (100-300 ms apart, "
              "seed %u)\n",
              changes, seed);
  PrintLatencies("latency", latencies, missed, 200);
  std::printf("  mean %.1f ms; %zu lines posted for %d changes; %zu looks at the log\n",
              Mean(latencies), posted, changes, polls);
  PrintSlowest(samples);
  return 0;
}

// --- the scan's own cost, in this process.

HWND RoomOf(HWND transcript) { return transcript ? GetParent(transcript) : nullptr; }

// Puts room `front` where room `back` stands among the chat client's
// windows, as a user bringing the other room forward would: the search
// then walks the same windows before it and finds `front`.
bool PutRoomInPlaceOf(HWND front, HWND back) {
  const HWND before = GetWindow(back, GW_HWNDPREV);
  return SetWindowPos(front, before ? before : HWND_TOP, 0, 0, 0, 0,
                      SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE) != FALSE;
}

// Adds lines of about 100 bytes from someone else until the transcript of
// room n holds at least `bytes`.
bool FillRoom(HWND chat, std::size_t room, std::size_t bytes, int& serial) {
  const HWND transcript = e2e::RoomTranscript(room);
  for (;;) {
    const std::optional<std::size_t> length = TextLength(transcript);
    if (!length) return false;
    if (*length >= bytes) return true;
    char text[160];
    std::snprintf(text, sizeof text,
                  "say %zu Bob line %05d: what a day for a drive, the radio on and the "
                  "windows down all the way",
                  room, ++serial);
    if (!e2e::Drive(chat, text)) return false;
  }
}

int MeasureScan(int blocks) {
  constexpr int kBlock = 100;
  constexpr int kNewLinePolls = 50;
  const e2e::Process chat =
      e2e::Process::Start(e2e::ProgramFolder() + L"\\standin-chat.exe", L"");
  const HWND chatWindow = e2e::WaitForChatClient();
  if (!chatWindow) return Fail("the chat stand-in did not start");
  if (!e2e::Drive(chatWindow, "open Long Room")) return Fail("no second room");
  if (!e2e::WaitUntil([] { return e2e::RoomTranscript(2) != nullptr; }, 10s)) {
    return Fail("the second room did not open");
  }
  const HWND shortRoom = RoomOf(e2e::RoomTranscript(1));
  const HWND longRoom = RoomOf(e2e::RoomTranscript(2));
  int serial = 0;
  Stopwatch clock;
  const LARGE_INTEGER fillStart = clock.Now();
  if (!FillRoom(chatWindow, 1, 1024, serial) ||
      !FillRoom(chatWindow, 2, 200 * 1024, serial)) {
    return Fail("could not fill the rooms");
  }
  const double fillSeconds = clock.Ms(fillStart, clock.Now()) / 1000;
  const std::size_t shortBytes = *TextLength(e2e::RoomTranscript(1));
  const std::size_t longBytes = *TextLength(e2e::RoomTranscript(2));

  win32::Win32Clock winClock;
  win32::Win32ForeignWindows windows(winClock);
  win32::Win32Timers timers;
  std::optional<chat::ChatScan> scan;
  int raised = 0;

  // Brings the room forward, lets its painting pass and has a new scan find
  // it and take its lines as history (it reads the whole transcript once):
  // a scan keeps the room it found.
  const auto lookAt = [&](HWND front, HWND back) {
    if (!PutRoomInPlaceOf(front, back)) return false;
    if (reinterpret_cast<HWND>(chat::FindChatRoom(windows)) != front) return false;
    Sleep(30);
    scan.emplace(windows, timers, winClock);
    scan->SetLineHandler([&](std::string_view, std::string_view) { ++raised; });
    scan->Poll();
    scan->Poll();
    return true;
  };
  const auto timeBlock = [&](std::vector<double>& us) {
    for (int i = 0; i < kBlock; ++i) {
      const LARGE_INTEGER start = clock.Now();
      scan->Poll();
      us.push_back(1000 * clock.Ms(start, clock.Now()));
    }
  };

  std::vector<double> shortUs, longUs;
  for (int block = 0; block < blocks; ++block) {
    if (!lookAt(shortRoom, longRoom)) return Fail("the short room is not the one found");
    timeBlock(shortUs);
    if (!lookAt(longRoom, shortRoom)) return Fail("the long room is not the one found");
    timeBlock(longUs);
  }
  if (raised != 0) return Fail("a poll with nothing new raised a line");

  // One new line in the long room, then one poll.
  std::vector<double> newLineUs;
  for (int i = 0; i < kNewLinePolls; ++i) {
    char text[80];
    std::snprintf(text, sizeof text, "say 2 Bob one more line %05d", ++serial);
    if (!e2e::Drive(chatWindow, text)) return Fail("the chat stand-in refused a line");
    Sleep(30);
    const int raisedBefore = raised;
    const LARGE_INTEGER start = clock.Now();
    scan->Poll();
    newLineUs.push_back(1000 * clock.Ms(start, clock.Now()));
    if (raised != raisedBefore + 1) return Fail("a poll did not raise exactly the new line");
  }

  // Medians: on a busy machine a few polls wait for the processor many
  // times as long as the others, and one such block swings a mean.
  const double shortMedian = Percentile(shortUs, 0.5), longMedian = Percentile(longUs, 0.5);
  const double ratio = longMedian / shortMedian;
  std::printf("chat scan poll in this process against standin-chat.exe "
              "(rooms filled in %.1f s)\n",
              fillSeconds);
  std::printf("  nothing new, %6zu-byte transcript: median %7.1f us, mean %7.1f us, "
              "p99 %7.1f us\n",
              shortBytes, shortMedian, Mean(shortUs), Percentile(shortUs, 0.99));
  std::printf("  nothing new, %6zu-byte transcript: median %7.1f us, mean %7.1f us, "
              "p99 %7.1f us\n",
              longBytes, longMedian, Mean(longUs), Percentile(longUs, 0.99));
  std::printf("  ratio long/short of the medians: %.3f (of the means %.3f; %d alternating "
              "blocks of %d polls each)\n",
              ratio, Mean(longUs) / Mean(shortUs), blocks, kBlock);
  std::printf("  ratio target at most 1.5: %s\n", ratio <= 1.5 ? "met" : "MISSED");
  std::printf("  one new line at %zu bytes: median %.1f us, mean %.1f us, "
              "max %.1f us (%d polls, each after one line was added)\n",
              longBytes, Percentile(newLineUs, 0.5), Mean(newLineUs),
              Percentile(newLineUs, 1.0), kNewLinePolls);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  const int count = argc > 2 ? std::max(1, std::atoi(argv[2])) : 0;
  if (mode == "replies" && argc == 3) return MeasureReplies(count);
  if (mode == "advertise" && argc == 3) return MeasureAdvertise(count);
  if (mode == "scan" && argc <= 3) return MeasureScan(count ? count : 20);
  std::fprintf(stderr,
               "usage: chat_measure replies <commands> | advertise <changes> | "
               "scan [blocks]\n");
  return 2;
}
