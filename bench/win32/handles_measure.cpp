// The Windows half of tools/measure-handles: opens and closes each of the
// program's secondary windows many times, in the real program with the real
// Win32 forms, and reports the process's GDI objects, USER objects and
// private bytes before and after.
//
//   handles_measure [cycles] [--gdi=N] [--user=N] [--private-kb=N]
//
// cycles per window (default 1000) come after 10 cycles of warm-up; the
// limits are the most each figure may grow (defaults 5, 2 and 512 KB).
// Exit code 0 when every window stayed within them, 1 when one did not,
// 2 when it could not measure.
//
// The fades run on a virtual clock, so a cycle costs no real waiting: the
// clock is moved on until the window is fully shown or unloaded. The
// settings file is a private copy in a temporary folder; the user's own is
// never touched.

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "commands/commands_frm.h"
#include "forms/effects.h"
#include "forms/form.h"
#include "settings/ini_text.h"
#include "settings/options_frm.h"
#include "settings/settings_store.h"
#include "settings/song_adv_setup_frm.h"
#include "shell/about_frm.h"
#include "shell/intro_frm.h"
#include "shell/main_frm.h"
#include "shell/message_frm.h"
#include "shell/program.h"
#include "sim/virtual_clock.h"
#include "win32/base/message_pump.h"
#include "win32/base/win32_clock.h"
#include "win32/win32_file_names.h"
#include "win32/win32_foreign_windows.h"
#include "win32/win32_forms_toolkit.h"
#include "win32/base/win32_handles.h"
#include "win32/win32_launcher.h"
#include "win32/win32_local_time.h"
#include "win32/win32_profile_file.h"
#include "win32/base/win32_text.h"
#include "win32/win32_tray.h"

namespace {

using namespace tavrin;
using platform::Milliseconds;

constexpr int kWarmUpCycles = 10;
// A fade takes 23 ticks of 10 ms; a window that needs more than this has
// not faded at all.
constexpr Milliseconds kFadeLimit{2000};
constexpr Milliseconds kTick{10};

// Stops the measurement: what it would print would not be a measurement.
void Require(bool condition, const std::string& what) {
  if (!condition) throw std::runtime_error(what);
}

// The settings file kept in a folder of this run's own: the fixed path is
// written where the program names it, so every access to it is sent here.
class PrivateSettingsFile final : public platform::ProfileFile {
 public:
  PrivateSettingsFile(platform::ProfileFile& files, std::string path)
      : files_(files), path_(std::move(path)) {}

  std::string Read(std::string_view section, std::string_view key,
                   std::string_view file) override {
    return files_.Read(section, key, Mapped(file));
  }
  bool Write(std::string_view section, std::string_view key,
             std::string_view value, std::string_view file) override {
    return files_.Write(section, key, value, Mapped(file));
  }
  bool Exists(std::string_view file) override {
    return files_.Exists(Mapped(file));
  }
  bool CanWrite(std::string_view file) override {
    return files_.CanWrite(Mapped(file));
  }
  bool CreateFolderOf(std::string_view file) override {
    return files_.CreateFolderOf(Mapped(file));
  }

 private:
  std::string_view Mapped(std::string_view file) const {
    return settings::EqualsIgnoringCase(file, settings::kSettingsFile)
               ? std::string_view(path_)
               : file;
  }

  platform::ProfileFile& files_;
  std::string path_;
};

// A folder under the temporary folder, removed with what the run left in it.
class TemporaryFolder {
 public:
  TemporaryFolder() {
    wchar_t base[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 1, base);
    Require(length > 0 && length <= MAX_PATH, "no temporary folder");
    path_ = std::wstring(base) + L"tavrin-handles-" +
            std::to_wstring(GetCurrentProcessId());
    Require(CreateDirectoryW(path_.c_str(), nullptr) != FALSE,
            "the temporary folder could not be made");
  }
  ~TemporaryFolder() {
    const std::wstring file = SettingsFile();
    // The profile functions may keep the file cached until told to let go.
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, file.c_str());
    DeleteFileW(file.c_str());
    RemoveDirectoryW(path_.c_str());
  }
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;

  std::wstring SettingsFile() const { return path_ + L"\\TavrinSettings.ini"; }
  bool HoldsSettings() const {
    return GetFileAttributesW(SettingsFile().c_str()) !=
           INVALID_FILE_ATTRIBUTES;
  }

 private:
  std::wstring path_;
};

struct Figures {
  long long gdi = 0;
  long long user = 0;
  unsigned long long privateBytes = 0;
};

// Wine answers 0 to GetGuiResources and to PrivateUsage. There GDI objects
// and menus are counted by asking after every handle's low word (Wine's
// functions accept it alone), windows by enumerating them, and private bytes
// are the committed private regions of the address space.
struct Methods {
  bool guiResources = false;
  bool privateUsage = false;
};

long long CountGdiObjectsByHandle() {
  long long count = 0;
  for (ULONG_PTR handle = 0; handle < 0x10000; ++handle) {
    if (GetObjectType(reinterpret_cast<HGDIOBJ>(handle)) != 0) ++count;
  }
  return count;
}

bool OwnedHere(HWND window) {
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  return owner == GetCurrentProcessId();
}

BOOL CALLBACK KeepOwnWindow(HWND window, LPARAM list) {
  if (OwnedHere(window))
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

// This process's windows: the top-level and message-only ones and every
// window inside them.
std::vector<HWND> OwnWindows() {
  std::vector<HWND> windows;
  EnumWindows(KeepOwnWindow, reinterpret_cast<LPARAM>(&windows));
  for (HWND window = nullptr;
       (window = FindWindowExW(HWND_MESSAGE, window, nullptr, nullptr)) !=
       nullptr;) {
    if (OwnedHere(window)) windows.push_back(window);
  }
  const std::size_t roots = windows.size();
  for (std::size_t i = 0; i < roots; ++i) {
    EnumChildWindows(windows[i], KeepOwnWindow,
                     reinterpret_cast<LPARAM>(&windows));
  }
  return windows;
}

// Wine answers two low words for each window and each menu, so a scan of
// the low words meets each twice; a mark left on each one counted tells the
// second answer from another object.
constexpr DWORD kCountedMenu = 0x7A11E5;  // a help id no menu here has
constexpr wchar_t kCountedWindow[] = L"handles_measure.counted";

long long CountMenusByHandle() {
  std::vector<std::pair<HMENU, DWORD>> counted;
  for (ULONG_PTR handle = 0; handle < 0x10000; ++handle) {
    const HMENU menu = reinterpret_cast<HMENU>(handle);
    if (!IsMenu(menu)) continue;
    const DWORD helpId = GetMenuContextHelpId(menu);
    if (helpId == kCountedMenu) continue;
    counted.emplace_back(menu, helpId);
    SetMenuContextHelpId(menu, kCountedMenu);
  }
  for (const auto& [menu, helpId] : counted) SetMenuContextHelpId(menu, helpId);
  return static_cast<long long>(counted.size());
}

// Whether every window of this process that answers IsWindow by its
// handle's low word is one that OwnWindows() finds. The enumeration counts
// the windows at each measurement; asking IsWindow of every handle costs a
// round trip to the wineserver per handle (about 2 s a scan here), so that
// scan checks the enumeration once.
bool EnumerationFindsEveryWindow() {
  const std::vector<HWND> found = OwnWindows();
  for (const HWND window : found) {
    SetPropW(window, kCountedWindow, reinterpret_cast<HANDLE>(1));
  }
  long long missed = 0;
  for (ULONG_PTR handle = 0; handle < 0x10000; ++handle) {
    const HWND window = reinterpret_cast<HWND>(handle);
    if (IsWindow(window) && OwnedHere(window) &&
        GetPropW(window, kCountedWindow) == nullptr) {
      ++missed;
    }
  }
  for (const HWND window : found) RemovePropW(window, kCountedWindow);
  std::printf(
      "this process's windows at the end: %zu enumerated; low words of "
      "other windows of it answering IsWindow: %lld\n",
      found.size(), missed);
  return missed == 0;
}

unsigned long long CommittedPrivateBytes() {
  unsigned long long total = 0;
  MEMORY_BASIC_INFORMATION region{};
  const char* at = nullptr;
  while (VirtualQuery(at, &region, sizeof region) == sizeof region) {
    if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) {
      total += region.RegionSize;
    }
    const char* next =
        static_cast<const char*>(region.BaseAddress) + region.RegionSize;
    if (next <= at) break;
    at = next;
  }
  return total;
}

unsigned long long PrivateUsage() {
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(
          GetCurrentProcess(),
          reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
          sizeof counters)) {
    return 0;
  }
  return counters.PrivateUsage;
}

Methods ChooseMethods() {
  return {GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS) != 0,
          PrivateUsage() != 0};
}

Figures Measure(const Methods& methods) {
  Figures figures;
  if (methods.guiResources) {
    figures.gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    figures.user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
  } else {
    figures.gdi = CountGdiObjectsByHandle();
    figures.user =
        static_cast<long long>(OwnWindows().size()) + CountMenusByHandle();
  }
  figures.privateBytes =
      methods.privateUsage ? PrivateUsage() : CommittedPrivateBytes();
  return figures;
}

// The windows that WM_PAINT reached, recorded by a hook on this thread
// while PaintNow runs: RedrawWindow sends the messages.
std::vector<HWND>* g_painted = nullptr;

LRESULT CALLBACK RecordPaint(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && g_painted != nullptr) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (sent->message == WM_PAINT) g_painted->push_back(sent->hwnd);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

using UniqueHook = win32::UniqueHandle<HHOOK, &::UnhookWindowsHookEx>;

BOOL CALLBACK KeepVisibleWindow(HWND window, LPARAM list) {
  if (IsWindowVisible(window))
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

// Paints the window and every control in it now, as the screen would, and
// checks that each of them was painted.
void PaintNow(HWND window, std::string_view name) {
  Require(IsWindowVisible(window) != FALSE,
          std::string(name) + " is not visible after its fade-in");
  std::vector<HWND> shown{window};
  EnumChildWindows(window, KeepVisibleWindow, reinterpret_cast<LPARAM>(&shown));
  std::vector<HWND> painted;
  g_painted = &painted;
  RedrawWindow(window, nullptr, nullptr,
               RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  win32::PumpPendingMessages();
  g_painted = nullptr;
  for (const HWND part : shown) {
    Require(std::find(painted.begin(), painted.end(), part) != painted.end(),
            std::string(name) + " or a control in it was not painted");
  }
}

HWND HandleOf(forms::Form& form) {
  return reinterpret_cast<HWND>(form.Window().Handle());
}

BYTE LayeredAlpha(HWND window) {
  BYTE alpha = 0;
  DWORD flags = 0;
  if (!GetLayeredWindowAttributes(window, nullptr, &alpha, &flags)) return 0;
  return alpha;
}

// The real program's windows on the real Win32 forms; only the timers are
// virtual.
class Harness {
 public:
  explicit Harness(const std::string& settingsFile)
      : settings_(profileFiles_, settingsFile) {}

  shell::Program& program() { return program_; }

  // Moves the virtual clock on in timer ticks until `done` holds.
  void AdvanceUntil(const std::function<bool()>& done,
                    const std::string& what) {
    for (Milliseconds waited{0}; !done(); waited += kTick) {
      Require(waited < kFadeLimit, what);
      clock_.Advance(kTick);
    }
  }

  void FadeIn(forms::Form& form, std::string_view name) {
    const HWND window = HandleOf(form);
    AdvanceUntil([&] { return LayeredAlpha(window) == forms::kWorkingAlpha; },
                 std::string(name) + " did not fade in");
  }

  // Splash, its fade-in, the double-click, its fade-out: the main window.
  void StartToMainWindow() {
    program_.Start();
    Require(program_.IntroLoaded(), "no splash after the start");
    FadeIn(program_.Intro(), "the splash");
    program_.Intro().OnDoubleClick("");
    AdvanceUntil([&] { return !program_.IntroLoaded(); },
                 "the splash did not go after its double-click");
    Require(program_.MainLoaded(), "no main window after the splash");
    win32::PumpPendingMessages();
  }

 private:
  // The hung-peer guard times real sends, so it keeps the real clock.
  win32::Win32Clock realClock_;
  win32::Win32ForeignWindows windows_{realClock_};
  win32::Win32ProfileFile profileFiles_;
  PrivateSettingsFile settings_;
  win32::Win32Launcher launcher_;
  sim::VirtualClock clock_;
  win32::Win32FormsToolkit forms_;
  win32::Win32Tray tray_;
  win32::Win32LocalTime localTime_;
  win32::Win32FileNames fileNames_;
  // Declared last, so its forms and timers go before the adapters they use.
  shell::Program program_{shell::Ports{windows_, settings_, launcher_, clock_,
                                       forms_, tray_, localTime_,
                                       clock_, fileNames_}};
};

// One window's cycle as the program runs it: the way it is opened, the
// click on its close control, and whether it is loaded.
struct WindowUnderTest {
  const char* name;
  std::function<forms::Form&()> open;
  const char* closeControl;
  std::function<bool()> loaded;
  // Around the measured cycles: what the window needs open beneath it.
  std::function<void()> before = [] {};
  std::function<void()> after = [] {};
};

void Cycle(Harness& harness, const WindowUnderTest& window) {
  forms::Form& form = window.open();
  Require(window.loaded(),
          std::string(window.name) + " was not loaded by its opening");
  harness.FadeIn(form, window.name);
  PaintNow(HandleOf(form), window.name);
  form.OnClick(window.closeControl);
  harness.AdvanceUntil(
      [&] { return !window.loaded(); },
      std::string(window.name) + " was not unloaded after its fade-out");
  win32::PumpPendingMessages();
}

struct Limits {
  long long gdi = 5;
  long long user = 2;
  long long privateKb = 512;
};

std::string Megabytes(unsigned long long bytes) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f MB",
                static_cast<double>(bytes) / (1024.0 * 1024.0));
  return text;
}

// Prints the window's line; false when a figure grew beyond its limit.
bool Report(const char* name, int cycles, const Figures& start,
            const Figures& end, double seconds, const Limits& limits) {
  const long long gdi = end.gdi - start.gdi;
  const long long user = end.user - start.user;
  const long long privateKb = (static_cast<long long>(end.privateBytes) -
                               static_cast<long long>(start.privateBytes)) /
                              1024;
  const bool within =
      gdi <= limits.gdi && user <= limits.user && privateKb <= limits.privateKb;
  std::printf(
      "%-15s cycles %d  GDI %lld -> %lld (%+lld)  USER %lld -> %lld (%+lld)  "
      "private %s -> %s (%+lld KB)  %.1f s%s\n",
      name, cycles, start.gdi, end.gdi, gdi, start.user, end.user, user,
      Megabytes(start.privateBytes).c_str(),
      Megabytes(end.privateBytes).c_str(), privateKb, seconds,
      within ? "" : "  OVER LIMIT");
  std::fflush(stdout);
  return within;
}

double SecondsSince(const LARGE_INTEGER& start) {
  LARGE_INTEGER now{};
  LARGE_INTEGER frequency{};
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(now.QuadPart - start.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

int Run(int cycles, const Limits& limits) {
  const TemporaryFolder folder;
  Harness harness(win32::Utf8FromWide(folder.SettingsFile()));
  shell::Program& program = harness.program();
  const Methods methods = ChooseMethods();
  std::printf(
      "GDI and USER objects: %s\n",
      methods.guiResources
          ? "GetGuiResources"
          : "handles answering GetObjectType; this process's windows "
            "(enumerated) and the menus answering IsMenu (GetGuiResources "
            "answers 0)");
  std::printf("private bytes: %s\n",
              methods.privateUsage
                  ? "GetProcessMemoryInfo PrivateUsage"
                  : "committed private regions by VirtualQuery (PrivateUsage "
                    "answers 0)");
  std::printf("limits: GDI %+lld, USER %+lld, private %+lld KB\n", limits.gdi,
              limits.user, limits.privateKb);

  const UniqueHook hook(SetWindowsHookExW(WH_CALLWNDPROC, RecordPaint, nullptr,
                                          GetCurrentThreadId()));
  Require(hook != nullptr, "the hook that sees the paints was refused");

  harness.StartToMainWindow();

  const auto openOptions = [&program]() -> forms::Form& {
    program.Main().OnClick("OptionsLBL");
    Require(program.OptionsLoaded(), "Options was not loaded by its button");
    return program.Options();
  };
  const WindowUnderTest windows[] = {
      {"Options", openOptions, "ExitLBL",
       [&] { return program.OptionsLoaded(); }},
      {"SongAdvSetup",
       [&]() -> forms::Form& {
         program.Options().OnClick("SongAdvSetup");
         Require(program.SongAdvSetupLoaded(),
                 "SongAdvSetup was not loaded by its button");
         return program.SongAdvSetup();
       },
       "ExitLBL", [&] { return program.SongAdvSetupLoaded(); },
       // The setup window is opened from Options, which stays loaded.
       [&] { harness.FadeIn(openOptions(), "Options"); },
       [&] {
         program.Options().OnClick("ExitLBL");
         harness.AdvanceUntil([&] { return !program.OptionsLoaded(); },
                              "Options was not unloaded after its fade-out");
       }},
      {"Commands",
       [&]() -> forms::Form& {
         program.ShowCommands();
         Require(program.CommandsLoaded(),
                 "Commands was not loaded by ShowCommands");
         return program.Commands();
       },
       "ExitLBL", [&] { return program.CommandsLoaded(); }},
      {"About",
       [&]() -> forms::Form& {
         program.Main().OnClick("AboutLBL");
         Require(program.AboutLoaded(), "About was not loaded by its button");
         return program.About();
       },
       "BackToMain", [&] { return program.AboutLoaded(); }},
      // As the main window tells of the auto advertiser being switched on.
      {"Message",
       [&]() -> forms::Form& {
         shell::MessageFRM& message = program.Message();
         message.SetTMP("MAIN");
         message.Show();
         message.SetInfo(shell::MainFRM::kAutoAdvEnabledInfo);
         return message;
       },
       "ExitLBL", [&] { return program.MessageLoaded(); }},
  };

  bool within = true;
  for (const WindowUnderTest& window : windows) {
    window.before();
    for (int i = 0; i < kWarmUpCycles; ++i) Cycle(harness, window);
    const Figures start = Measure(methods);
    LARGE_INTEGER started{};
    QueryPerformanceCounter(&started);
    for (int i = 0; i < cycles; ++i) Cycle(harness, window);
    const double seconds = SecondsSince(started);
    const Figures end = Measure(methods);
    window.after();
    within = Report(window.name, cycles, start, end, seconds, limits) && within;
  }
  Require(program.MainLoaded() && program.Main().Window().IsVisible(),
          "the main window is not back after the cycles");
  // Options stores its values whenever it closes.
  Require(folder.HoldsSettings(),
          "the settings never reached the private file");
  if (!methods.guiResources) {
    Require(EnumerationFindsEveryWindow(), "the window count missed windows");
  }
  return within ? 0 : 1;
}

// "--name=<whole number>" into `value`; false when `argument` is another.
bool ParseLimit(std::string_view argument, std::string_view name,
                long long& value) {
  if (argument.substr(0, name.size()) != name) return false;
  value = std::atoll(std::string(argument.substr(name.size())).c_str());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  int cycles = 1000;
  Limits limits;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (ParseLimit(argument, "--gdi=", limits.gdi) ||
        ParseLimit(argument, "--user=", limits.user) ||
        ParseLimit(argument, "--private-kb=", limits.privateKb)) {
      continue;
    }
    cycles = std::atoi(argv[i]);
    if (cycles < 1) {
      std::fprintf(stderr,
                   "usage: handles_measure [cycles] [--gdi=N] [--user=N] "
                   "[--private-kb=N]\n");
      return 2;
    }
  }
  try {
    return Run(cycles, limits);
  } catch (const std::exception& error) {
    std::fflush(stdout);
    std::fprintf(stderr, "handles_measure: could not measure: %s\n",
                 error.what());
    return 2;
  }
}
