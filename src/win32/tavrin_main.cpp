// tavrin.exe: wires the Windows adapters to the portable program and runs
// the message loop.
#include <windows.h>

#include "chat/aol8chatsend.h"
#include "report/compiler_frm.h"
#include "settings/save_frm.h"
#include "settings/settings_store.h"
#include "win32/message_pump.h"
#include "win32/spine_window.h"
#include "win32/win32_clock.h"
#include "win32/win32_foreign_windows.h"
#include "win32/win32_profile_file.h"
#include "win32/win32_text.h"
#include "win32/win32_timers.h"

namespace {

using namespace tavrin;

int RunTavrin() {
  win32::Win32Clock clock;
  win32::Win32ForeignWindows windows(clock);
  win32::Win32ProfileFile profile;
  win32::Win32Timers timers;

  settings::SaveFRM saved;
  settings::LoadSettings(profile, saved);
  report::CompilerFRM compiler(
      windows, timers, [&saved]() -> const settings::SaveFRM& { return saved; });
  chat::ChatSend(windows, compiler.Data);

  // Made last: once a script sees it, the report line has been sent.
  const win32::SpineWindow spine(
      win32::WideFromUtf8(report::CompilerFRM::kCaption).c_str());
  return win32::RunMessageLoop();
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  try {
    return RunTavrin();
  } catch (...) {
    return 1;
  }
}
