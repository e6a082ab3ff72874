// The main window's start-up and the program's exit with one step failing:
// every other step still runs, so the window shows and the program ends.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "failing_ports.h"
#include "shell/main_frm.h"
#include "shell_world.h"

namespace tavrin::shell {
namespace {

using testing::FailingProfile;
using testing::FailingTimers;
using testing::FailingTray;
using testing::FailingWindows;
using testing::ShellWorld;

constexpr char kPlayerPath[] = R"(C:\Program Files\Stand In\player.exe)";
constexpr std::uint32_t kLeftDown = 513;

// The program on ports that can fail, each noting its calls in the forms'
// journal, with settings that make every start-up step do something.
struct FailingShell {
  FailingShell() {
    world.Settings({"Ascii=~~", "AutoAdv=1", "AutoLoadWA=1",
                    std::string("WinampDIR=") + kPlayerPath});
    world.launcher.Install(kPlayerPath, [this] {
      launch.ThrowIfArmed("launch");
      world.forms.journal.push_back("launch");
    });
    world.StartChat();
  }

  sim::SimFormWindow& Main() { return world.Form("MainFRM"); }
  std::vector<std::string>& Journal() { return world.forms.journal; }

  ShellWorld world;
  FailingWindows windows{world.windows, world.forms.journal};
  FailingTimers timers{world.clock, world.forms.journal};
  FailingTray tray{world.tray, world.forms.journal};
  FailingProfile profile{world.settingsPlace};
  testing::Fault launch;
  Program program{Ports{windows, profile, world.launcher, timers, world.forms,
                        tray, world.localTime, world.clock, world.fileNames}};
};

using Arm = std::function<void(FailingShell&)>;

Arm FailForms(std::string entry) {
  return [entry](FailingShell& shell) { shell.world.forms.FailNext(entry); };
}

// The journal without the first run of the lost entries, which must be
// there.
std::vector<std::string> Without(std::vector<std::string> journal,
                                 const std::vector<std::string>& lost) {
  const auto run =
      std::search(journal.begin(), journal.end(), lost.begin(), lost.end());
  EXPECT_NE(run, journal.end()) << lost.front() << "... is never made";
  if (run != journal.end()) {
    journal.erase(run, run + static_cast<std::ptrdiff_t>(lost.size()));
  }
  return journal;
}

struct FailingStep {
  const char* step;
  Arm fail;
  // What the failed step no longer does, in the order it does it.
  std::vector<std::string> lost;
};

std::vector<std::string> StartUp(const Arm& fail) {
  FailingShell shell;
  if (fail) fail(shell);
  EXPECT_NO_THROW(shell.program.Main());
  return shell.Journal();
}

TEST(FailingStartUp, EachFailedStepLosesOnlyWhatItDoes) {
  const std::vector<std::string> clean = StartUp(nullptr);
  const std::vector<FailingStep> steps = {
      {"transport face", FailForms("MainFRM picture ControlPanel 1"),
       {"MainFRM picture ControlPanel 1"}},
      {"shape", FailForms("MainFRM shape"), {"MainFRM shape"}},
      {"topmost", FailForms("MainFRM topmost 1"), {"MainFRM topmost 1"}},
      {"start-up line", [](FailingShell& s) { s.windows.fault.armed = true; },
       {"send ~~ Tavrin By: Dunmarrow (Kestle) Successfully loaded."}},
      {"opacity", FailForms("MainFRM alpha 225"), {"MainFRM alpha 225"}},
      {"chat scan start", [](FailingShell& s) { s.timers.fault.armed = true; },
       {"timer 50 ms"}},
      // The box's first call fails, and its handler never runs.
      {"auto-advertise box", FailForms("MainFRM check AutoAdv 1"),
       {"MainFRM check AutoAdv 1", "MainFRM hide", "MainFRM topmost 0",
        "timer 150 ms", "MainFRM topmost 1"}},
      {"show", FailForms("MainFRM show"), {"MainFRM show"}},
      {"auto-start", [](FailingShell& s) { s.launch.armed = true; },
       {"launch"}},
  };
  for (const FailingStep& step : steps) {
    EXPECT_EQ(StartUp(step.fail), Without(clean, step.lost)) << step.step;
  }
}

TEST(FailingStartUp, UnreadableSettingsLeaveTheDefaultsAndTheWindowShows) {
  FailingShell shell;
  shell.profile.fault.armed = true;
  EXPECT_NO_THROW(shell.program.Main());
  EXPECT_EQ(shell.Journal(),
            (std::vector<std::string>{
                "MainFRM picture ControlPanel 1", "MainFRM shape",
                "MainFRM topmost 1",
                "send  Tavrin By: Dunmarrow (Kestle) Successfully loaded.",
                "MainFRM alpha 225", "timer 50 ms", "MainFRM show"}));
  EXPECT_TRUE(shell.Main().IsVisible());
}

struct ExitWay {
  const char* way;
  // What the user did before, and the exit itself.
  std::function<void(FailingShell&)> before;
  std::function<void(FailingShell&)> exit;
};

std::vector<std::string> Exit(const ExitWay& way, const Arm& fail) {
  FailingShell shell;
  shell.program.Main();
  way.before(shell);
  shell.Journal().clear();
  if (fail) fail(shell);
  EXPECT_NO_THROW(way.exit(shell));
  EXPECT_TRUE(shell.world.forms.Ended()) << way.way;
  return shell.Journal();
}

TEST(FailingExit, EachFailedStepLosesOnlyWhatItDoesAndTheProgramEnds) {
  const std::vector<ExitWay> ways = {
      {"exit button", [](FailingShell&) {},
       [](FailingShell& s) { s.Main().Click("ExitLBL"); }},
      {"tray menu",
       [](FailingShell& s) { s.Main().Click("MinimizeLBL"); },
       [](FailingShell& s) {
         s.world.forms.ChooseInNextMenu("ExitMNU");
         s.Main().TrayIconEvent(kLeftDown);
       }},
  };
  const std::vector<FailingStep> steps = {
      {"hide", FailForms("MainFRM hide"), {"MainFRM hide"}},
      {"farewell line", [](FailingShell& s) { s.windows.fault.armed = true; },
       {"send ~~ Tavrin By: Dunmarrow (Kestle) Session Ended."}},
      {"icon removal", [](FailingShell& s) { s.tray.fault.armed = true; },
       {"tray delete"}},
  };
  for (const ExitWay& way : ways) {
    const std::vector<std::string> clean = Exit(way, nullptr);
    for (const FailingStep& step : steps) {
      EXPECT_EQ(Exit(way, step.fail), Without(clean, step.lost))
          << way.way << ": " << step.step;
    }
  }
}

}  // namespace
}  // namespace tavrin::shell
