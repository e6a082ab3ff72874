#pragma once

#include <windows.h>

#include <chrono>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

#include "platform/forms.h"
#include "win32/base/win32_handles.h"

// Driving tavrin.exe's own windows from outside, with the real mouse: for
// the end-to-end tests and the measurements.
namespace tavrin::e2e {

class Process;

using namespace std::chrono_literals;

inline constexpr char kSplashClass[] = "TavrinSplashForm";
inline constexpr char kMainClass[] = "TavrinMainForm";
inline constexpr char kAboutClass[] = "TavrinAboutForm";
inline constexpr char kCommandsClass[] = "TavrinCommandsForm";
inline constexpr char kOptionsClass[] = "TavrinOptionsForm";
inline constexpr char kSetupClass[] = "TavrinSongAdvSetupForm";

// The first top-level window of the class when it is visible, else nullptr.
HWND VisibleWindow(const char* className);

// The first visible top-level window of the class, once there is one.
HWND WaitForVisible(const char* className,
                    std::chrono::milliseconds limit = 30s,
                    std::chrono::milliseconds poll = 20ms);

// The layered opacity of a window, -1 when it has none.
int AlphaOf(HWND window);

// The screen point at the middle of a window.
POINT MiddleOf(HWND window);

// The screen point at the centre of a control, as the form designs it, in
// a window laid out at `dpi` (at 96, 15 twips to the pixel).
POINT CentreOf(HWND window, const platform::FormDesign& design,
               std::string_view control, int dpi = 96);

// Tells the window, as the system does, that its monitor's scale is now
// `dpi`, suggesting its place as it is; false when it could not be sent.
// The message's place is read through a pointer in the receiver, so it is
// written into the receiver's memory.
bool SendDpiChanged(HWND window, int dpi);

// The window that has the keyboard in the thread that owns the window.
HWND KeyboardFocusOf(HWND window);

// Whether the shell holds the program's notification icon of the main
// window: changing nothing in it succeeds only then.
bool TrayShowsTheIcon(HWND main);

// The notification area's thread, stopped while this lives or until
// Resume: a program's request to the tray waits meanwhile, and is answered
// before anything asked of the tray after it. Under Wine the tray drops the
// icons of a window that is gone by itself, so a program's own removal of
// its icon at its end can only be seen while its window still exists.
class StoppedTray {
 public:
  StoppedTray();
  ~StoppedTray() { Resume(); }
  StoppedTray(const StoppedTray&) = delete;
  StoppedTray& operator=(const StoppedTray&) = delete;

  // True once the tray's thread has really stopped.
  bool Stopped() const { return stopped_; }
  void Resume();

 private:
  win32::UniqueKernelHandle thread_;
  bool suspended_ = false;
  bool stopped_ = false;
};

// The program said goodbye while the tray was stopped: it waits on the tray
// to take its icon away, and the icon is gone while its window still
// exists, before the process ends. What went otherwise, or "".
std::string IconGoneBeforeTheEnd(Process& program, HWND main,
                                 StoppedTray& tray);

// Stores the values in the program's settings file, key by key.
void StoreSettings(
    std::initializer_list<std::pair<const char*, const char*>> values);

// Waits for the splash to finish fading in (a double-click before that is
// ignored), double-clicks it and returns the main window, or nullptr.
HWND PassTheSplash();

}  // namespace tavrin::e2e
