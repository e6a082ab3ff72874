#include "ctl_actions.h"

#include <windows.h>

#include <thread>

#include "player_class.h"
#include "standin_client.h"
#include "win32/base/win32_text.h"

namespace tavrin::standins::winhost {
namespace {

constexpr std::chrono::milliseconds kPollInterval(50);

int ExitCodeOf(DriveResult result) {
  switch (result) {
    case DriveResult::kApplied:
      return kExitDone;
    case DriveResult::kRefused:
      return kExitRefused;
    case DriveResult::kNoAnswer:
      break;
  }
  return kExitNoAnswer;
}

void WriteOut(std::string_view bytes) {
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(),
            static_cast<DWORD>(bytes.size()), &written, nullptr);
}

}  // namespace

int SendDriverCommand(const std::wstring& className, std::string_view command) {
  return ExitCodeOf(Drive(FindWindowW(className.c_str(), nullptr), command));
}

int WaitForWindow(const std::wstring& className,
                  std::chrono::milliseconds patience) {
  const auto deadline = std::chrono::steady_clock::now() + patience;
  for (;;) {
    if (FindWindowW(className.c_str(), nullptr) != nullptr) return kExitDone;
    if (std::chrono::steady_clock::now() >= deadline) return kExitNoAnswer;
    std::this_thread::sleep_for(kPollInterval);
  }
}

int PrintTranscript(std::size_t room) {
  const HWND transcript = FindRoomTranscript(room);
  if (transcript == nullptr) return kExitNoAnswer;
  const auto text = ReadWindowText(transcript);
  if (!text) return kExitNoAnswer;
  WriteOut(tavrin::win32::Utf8FromWide(*text));
  return kExitDone;
}

int PostClose(const std::wstring& className) {
  const HWND window = FindWindowW(className.c_str(), nullptr);
  if (window == nullptr) return kExitNoAnswer;
  return PostMessageW(window, WM_CLOSE, 0, 0) ? kExitDone : kExitNoAnswer;
}

int PostTrayEvent(const std::wstring& className, unsigned mouseMessage) {
  const HWND window = FindWindowW(className.c_str(), nullptr);
  if (window == nullptr) return kExitNoAnswer;
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  AllowSetForegroundWindow(owner);
  return PostMessageW(window, WM_MOUSEMOVE, 1, mouseMessage) ? kExitDone
                                                            : kExitNoAnswer;
}

int PrintPlayerAnswer(unsigned long long wParam, long long lParam) {
  const HWND window = FindWindowW(kPlayerClassName, nullptr);
  if (window == nullptr) return kExitNoAnswer;
  const auto answer = SendBounded(window, WM_USER, static_cast<WPARAM>(wParam),
                                  static_cast<LPARAM>(lParam));
  if (!answer) return kExitNoAnswer;
  WriteOut(std::to_string(static_cast<long long>(*answer)) + "\n");
  return kExitDone;
}

}  // namespace tavrin::standins::winhost
