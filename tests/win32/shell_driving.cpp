#include "shell_driving.h"

// After windows.h, which it needs.
#include <shellapi.h>

#include <cstdio>

#include "e2e_support.h"
#include "forms/effects.h"
#include "settings/settings_store.h"
#include "shell/form_layout.h"
#include "ui_input.h"
#include "win32/win32_profile_file.h"

namespace tavrin::e2e {

HWND VisibleWindow(const char* className) {
  const HWND found = FindWindowA(className, nullptr);
  return found != nullptr && IsWindowVisible(found) ? found : nullptr;
}

HWND WaitForVisible(const char* className, std::chrono::milliseconds limit,
                    std::chrono::milliseconds poll) {
  WaitUntil([&] { return VisibleWindow(className) != nullptr; }, limit, poll);
  return VisibleWindow(className);
}

int AlphaOf(HWND window) {
  BYTE alpha = 0;
  DWORD flags = 0;
  if (!GetLayeredWindowAttributes(window, nullptr, &alpha, &flags)) return -1;
  return alpha;
}

POINT MiddleOf(HWND window) {
  RECT place{};
  GetWindowRect(window, &place);
  return {(place.left + place.right) / 2, (place.top + place.bottom) / 2};
}

POINT CentreOf(HWND window, const platform::FormDesign& design,
               std::string_view control, int dpi) {
  for (const auto& c : design.controls) {
    if (c.name == control) {
      return ScreenPointOf(
          window, shell::PixelsFromTwips(c.place.left + c.place.width / 2, dpi),
          shell::PixelsFromTwips(c.place.top + c.place.height / 2, dpi));
    }
  }
  return {-1, -1};
}

bool SendDpiChanged(HWND window, int dpi) {
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  const win32::UniqueKernelHandle process(
      OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, processId));
  if (!process) return false;
  RECT suggested{};
  GetWindowRect(window, &suggested);
  void* remote = VirtualAllocEx(process.get(), nullptr, sizeof suggested,
                                MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  if (remote == nullptr) return false;
  DWORD_PTR result = 0;
  const bool sent =
      WriteProcessMemory(process.get(), remote, &suggested, sizeof suggested,
                         nullptr) &&
      SendMessageTimeoutW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                          reinterpret_cast<LPARAM>(remote), SMTO_ABORTIFHUNG,
                          5000, &result) != 0;
  VirtualFreeEx(process.get(), remote, 0, MEM_RELEASE);
  return sent;
}

HWND KeyboardFocusOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) {
    return nullptr;
  }
  return info.hwndFocus;
}

bool TrayShowsTheIcon(HWND main) {
  NOTIFYICONDATAW probe{};
  probe.cbSize = sizeof probe;
  probe.hWnd = main;
  probe.uID = 1;
  return Shell_NotifyIconW(NIM_MODIFY, &probe) != FALSE;
}

StoppedTray::StoppedTray() {
  const HWND tray = FindWindowW(L"Shell_TrayWnd", nullptr);
  if (tray == nullptr) return;
  thread_.reset(OpenThread(THREAD_SUSPEND_RESUME | THREAD_GET_CONTEXT, FALSE,
                           GetWindowThreadProcessId(tray, nullptr)));
  if (!thread_) return;
  suspended_ = SuspendThread(thread_.get()) != static_cast<DWORD>(-1);
  // SuspendThread only asks the thread to stop; reading its registers
  // returns once it has.
  CONTEXT context{};
  context.ContextFlags = CONTEXT_CONTROL;
  stopped_ = suspended_ && GetThreadContext(thread_.get(), &context) != FALSE;
}

void StoppedTray::Resume() {
  if (suspended_) ResumeThread(thread_.get());
  suspended_ = stopped_ = false;
}

void StoreSettings(
    std::initializer_list<std::pair<const char*, const char*>> values) {
  win32::Win32ProfileFile profile;
  for (const auto& [key, value] : values) {
    settings::WriteSetting(profile, settings::kSettingsSection, key, value,
                           settings::kSettingsFile);
  }
}

// Says on the error stream which step failed: its callers only see nullptr.
HWND PassTheSplash() {
  const HWND splash = WaitForVisible(kSplashClass);
  if (splash == nullptr) {
    std::fputs("PassTheSplash: no splash shown\n", stderr);
    return nullptr;
  }
  if (!WaitUntil([&] { return AlphaOf(splash) == forms::kWorkingAlpha; }, 15s)) {
    std::fprintf(stderr, "PassTheSplash: the fade-in stopped at opacity %d\n",
                 AlphaOf(splash));
    return nullptr;
  }
  const POINT middle = MiddleOf(splash);
  if (!DoubleClick(middle.x, middle.y)) {
    std::fprintf(stderr, "PassTheSplash: double-click failed: %s\n",
                 LastInputFailure().c_str());
    return nullptr;
  }
  const HWND main = WaitForVisible(kMainClass);
  if (main == nullptr) {
    std::fprintf(stderr,
                 "PassTheSplash: no main window; splash %s, opacity %d\n",
                 IsWindow(splash) ? "still there" : "gone", AlphaOf(splash));
  }
  return main;
}

std::string IconGoneBeforeTheEnd(Process& program, HWND main,
                                 StoppedTray& tray) {
  if (!HoldsFor([&] { return program.Running(); }, 1s)) {
    return "ended without waiting on the tray";
  }
  if (!program.SuspendMainThread()) return "the program could not be stopped";
  tray.Resume();
  const bool gone = HoldsFor(
      [&] { return IsWindow(main) && !TrayShowsTheIcon(main); }, 500ms);
  if (!program.ResumeMainThread()) return "the program could not go on";
  if (!program.WaitForExit(15s)) return "the program did not end";
  return gone ? "" : "the icon was still there while the program ran";
}

}  // namespace tavrin::e2e
