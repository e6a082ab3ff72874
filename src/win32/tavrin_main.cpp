// tavrin.exe: wires the Windows adapters to the portable program, starts it
// with its splash window and runs the message loop.
#include <windows.h>

#include <chrono>

#include "settings/settings_location.h"
#include "shell/program.h"
#include "win32/base/message_pump.h"
#include "win32/single_instance.h"
#include "win32/base/win32_clock.h"
#include "win32/win32_file_names.h"
#include "win32/win32_foreign_windows.h"
#include "win32/win32_forms_toolkit.h"
#include "win32/win32_launcher.h"
#include "win32/win32_local_time.h"
#include "win32/win32_profile_file.h"
#include "win32/base/win32_timers.h"
#include "win32/win32_tray.h"

namespace {

using namespace tavrin;

int RunTavrin() {
  win32::Win32Clock clock;
  win32::Win32ForeignWindows windows(clock);
  win32::Win32ProfileFile profileFiles;
  // Where the settings live is settled when the first one is read, after
  // the splash has shown.
  settings::SettingsLocation profile(profileFiles, &win32::RoamingAppDataFolder);
  win32::Win32Launcher launcher;
  win32::Win32Timers timers;
  win32::Win32FormsToolkit forms;
  win32::Win32Tray tray;
  win32::Win32LocalTime localTime;
  win32::Win32FileNames fileNames;
  // Declared last, so its forms and timers go before the adapters they use.
  shell::Program program(
      shell::Ports{windows, profile, launcher, timers, forms, tray, localTime,
                   clock, fileNames});
  const win32::InstanceCalls calls([&program] { program.BringForward(); });
  win32::SetMessageRouter(&win32::RouteKeysToForms);
  program.Start();
  return win32::RunMessageLoop();
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  try {
    const tavrin::win32::InstanceClaim claim;
    if (!claim.Held()) {
      // Another copy runs: it comes forward instead, and this one posts
      // nothing and leaves no window behind.
      tavrin::win32::CallRunningCopy(std::chrono::seconds(10));
      return 0;
    }
    return RunTavrin();
  } catch (...) {
    return 1;
  }
}
