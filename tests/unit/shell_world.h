#pragma once

#include <fstream>
#include <ostream>
#include <stdexcept>
#include <string>

#include "settings/ini_profile_file.h"
#include "settings/settings_location.h"
#include "settings/settings_store.h"
#include "shell/program.h"
#include "sim/sim_file_names.h"
#include "sim/sim_forms.h"
#include "sim/sim_local_time.h"
#include "sim/sim_tray.h"
#include "sim_world.h"
#include "temp_root.h"

namespace tavrin::platform {
inline void PrintTo(const PixelPoint& point, std::ostream* out) {
  *out << "(" << point.x << ", " << point.y << ")";
}
}  // namespace tavrin::platform

namespace tavrin::testing {

// The whole program on the sim desktop, with its settings file in a
// private folder.
struct ShellWorld : SimWorld {
  TempRoot root;
  settings::IniProfileFile profile{root.Path()};
  settings::SettingsLocation settingsPlace{
      profile, R"(C:\users\tester\AppData\Roaming)"};
  sim::SimFormsToolkit forms{&clock};
  sim::SimTray tray;
  sim::SimLocalTime localTime{clock};
  sim::SimFileNames fileNames;
  shell::Program program{shell::Ports{windows, settingsPlace, launcher, clock,
                                     forms, tray, localTime,
                                     clock, fileNames}};

  // Lays down the settings file, one "key=value" per entry.
  void Settings(std::initializer_list<std::string> lines) {
    std::ofstream file(profile.HostPath(settings::kSettingsFile),
                       std::ios::binary);
    file << "[Tavrin Save]\r\n";
    for (const auto& line : lines) file << line << "\r\n";
  }

  // What the settings file holds under the key now.
  std::string StoredSetting(std::string_view key) {
    return settings::ReadSetting(settingsPlace, settings::kSettingsSection, key,
                                 settings::kSettingsFile);
  }

  // The loaded window of a form; a test that asks for one that is not
  // loaded fails (GoogleTest reports the exception).
  sim::SimFormWindow& Form(std::string_view name) {
    sim::SimFormWindow* window = forms.Find(name);
    if (window == nullptr) {
      throw std::runtime_error(std::string(name) + " is not loaded");
    }
    return *window;
  }

  // Runs timer ticks: each fade step is one 10 ms tick.
  void Ticks(int count) {
    clock.Advance(platform::Milliseconds(10 * count));
  }

  // Starts the program and takes the splash through to the main window.
  void StartToMainWindow() {
    program.Start();
    Ticks(23);
    Form("IntroFRM").DoubleClick();
    Ticks(24);
  }
};

}  // namespace tavrin::testing
