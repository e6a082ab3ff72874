// What one report refresh costs next to the bare window lookups and sends it
// makes, and what one chat send costs with non-room windows in front of the
// room, on the sim desktop. Run: build/native/bench/tavrin_bench
// --benchmark_repetitions=5 (the ratio then compares the medians).

#include <benchmark/benchmark.h>

#include <iostream>
#include <map>
#include <string>

#include "bare_refresh_messages.h"
#include "chat/chat_room.h"
#include "player/winamp_api.h"
#include "report/compiler_frm.h"
#include "settings/save_frm.h"
#include "sim/sim_desktop.h"
#include "sim/sim_foreign_windows.h"
#include "sim/sim_player.h"
#include "sim/virtual_clock.h"

namespace {

using namespace tavrin;

struct PlayingDesktop {
  sim::VirtualClock clock;
  sim::SimDesktop desktop{clock};
  sim::SimForeignWindows windows{desktop};
  sim::SimPlayer player{desktop};
  settings::SaveFRM saved;

  PlayingDesktop() {
    player.Drive("play");
    player.Drive("seek 83000");
    saved.Ascii = "~~";
    saved.WAStatusCB = saved.SongNameCB = saved.BitRateCB = saved.ElapRemCB =
        saved.SongLenCB = settings::kChecked;
  }
};

void RefreshReport(benchmark::State& state) {
  PlayingDesktop world;
  report::CompilerFRM compiler(world.windows, world.clock,
                               [&]() -> const settings::SaveFRM& {
                                 return world.saved;
                               });
  for (auto _ : state) {
    compiler.RefreshReport();
    benchmark::DoNotOptimize(compiler.Data.data());
  }
}
BENCHMARK(RefreshReport);

void BareRefreshMessages(benchmark::State& state) {
  PlayingDesktop world;
  for (auto _ : state) {
    benchmark::DoNotOptimize(bench::MakeBareRefreshMessages(world.windows));
  }
}
BENCHMARK(BareRefreshMessages);

// A chat client whose room stands behind `nonRooms` children that are no
// rooms (each with a transcript and an entry box, like a message window).
void ChatSend(benchmark::State& state) {
  sim::VirtualClock clock;
  sim::SimDesktop desktop{clock};
  sim::SimForeignWindows windows{desktop};
  const auto process = desktop.NewProcess();
  const auto frame = desktop.Create(process, chat::kFrameClass, "");
  const auto mdi = desktop.Create(process, chat::kMdiClass, "", frame);
  for (std::int64_t i = 0; i < state.range(0); ++i) {
    const auto other = desktop.Create(process, chat::kChildClass, "", mdi);
    desktop.Create(process, chat::kRoomChildClasses[0], "", other);
    desktop.Create(process, chat::kEntryClass, "", other);
  }
  const auto room = desktop.Create(process, chat::kChildClass, "", mdi);
  for (const auto childClass : chat::kRoomChildClasses) {
    desktop.Create(process, childClass, "", room);
  }
  std::int64_t lines = 0;
  desktop.Create(process, chat::kEntryClass, "", room,
                 [&](platform::WindowHandle, unsigned, std::uintptr_t,
                     std::intptr_t) -> std::intptr_t {
                   ++lines;
                   return 0;
                 });
  for (auto _ : state) {
    chat::ChatSend(windows, "~~ Playing Song: Artist - Title BitRate: 128 -");
  }
  if (lines != state.iterations()) state.SkipWithError("a line was lost");
}
BENCHMARK(ChatSend)->Arg(1)->Arg(20);

// Prints the refresh's cost as a multiple of its bare messages after the
// usual table.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      nanoseconds_[run.benchmark_name()] = run.GetAdjustedRealTime();
    }
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    const double refresh = Typical("RefreshReport");
    const double bare = Typical("BareRefreshMessages");
    if (refresh > 0 && bare > 0) {
      std::cout << "RefreshReport / bare messages: " << refresh / bare
                << " (target at most 1.3)\n";
    }
  }

 private:
  // The median over repetitions when there are several, else the one run.
  double Typical(const std::string& name) {
    const auto median = nanoseconds_.find(name + "_median");
    return median != nanoseconds_.end() ? median->second : nanoseconds_[name];
  }

  std::map<std::string, double> nanoseconds_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
