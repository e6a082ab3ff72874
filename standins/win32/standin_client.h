#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The other side of the stand-ins' driver channel and of their windows, for
// whoever drives them from outside: standin-ctl and the end-to-end tests.
namespace tavrin::standins::winhost {

// A send that waits at most five seconds and gives up at once on a hung
// window; nothing when it got no answer.
std::optional<LRESULT> SendBounded(HWND window, UINT message, WPARAM wParam,
                                   LPARAM lParam);

enum class DriveResult { kApplied, kRefused, kNoAnswer };

// Sends one driver command (UTF-8) to a stand-in's window.
DriveResult Drive(HWND window, std::string_view command);

// The transcript window of room n (1-based) of the stand-in chat client, or
// nullptr.
HWND FindRoomTranscript(std::size_t room);

// A window's text, asked with the wide messages (under Wine the ANSI length
// query ignores its time-out); nothing when the window does not answer.
std::optional<std::wstring> ReadWindowText(HWND window);

}  // namespace tavrin::standins::winhost
