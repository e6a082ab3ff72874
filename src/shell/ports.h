#pragma once

#include "platform/clock.h"
#include "platform/file_names.h"
#include "platform/foreign_windows.h"
#include "platform/forms.h"
#include "platform/launcher.h"
#include "platform/local_time.h"
#include "platform/profile_file.h"
#include "platform/tray.h"

namespace tavrin::shell {

// Everything outside the program that the program uses.
struct Ports {
  platform::ForeignWindows& windows;
  platform::ProfileFile& profile;
  platform::Launcher& launcher;
  platform::Timers& timers;
  platform::FormsToolkit& forms;
  platform::Tray& tray;
  platform::LocalTime& localTime;
  // The time that lines and commands waiting for a stalled client age by.
  const platform::Clock& clock;
  platform::FileNames& fileNames;
};

}  // namespace tavrin::shell
