#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// What standin-ctl does. Each returns the tool's exit code.
namespace tavrin::standins::winhost {

inline constexpr int kExitDone = 0;
inline constexpr int kExitRefused = 1;   // the stand-in answered FALSE
inline constexpr int kExitNoAnswer = 2;  // no window, or it did not answer
inline constexpr int kExitUsage = 3;

// Sends a driver command (UTF-8) to the first window of the class.
int SendDriverCommand(const std::wstring& className, std::string_view command);

// Polls every 50 ms for a top-level window of the class.
int WaitForWindow(const std::wstring& className,
                  std::chrono::milliseconds patience);

// Writes room n's transcript (1-based) to standard output as UTF-8.
int PrintTranscript(std::size_t room);

// Posts WM_CLOSE to the first top-level window of the class.
int PostClose(const std::wstring& className);

// Tells the first top-level window of the class what the shell tells the
// owner of notification icon 1 when the mouse does something on it: its
// callback message (the mouse-move message here) carrying the mouse
// message. The owner may take the foreground, as the shell allows it.
int PostTrayEvent(const std::wstring& className, unsigned mouseMessage);

// Sends WM_USER (wParam, lParam) to the player; prints the answer.
int PrintPlayerAnswer(unsigned long long wParam, long long lParam);

}  // namespace tavrin::standins::winhost
