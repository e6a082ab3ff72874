#pragma once

#include <windows.h>

#include <chrono>
#include <optional>
#include <string>

// The driver channel of the stand-in programs: a WM_COPYDATA whose dwData is
// this tag carries one driver command as UTF-8 bytes.
namespace tavrin::standins::winhost {

inline constexpr ULONG_PTR kDriverTag = 0x54415652;

// The command carried by a WM_COPYDATA's lParam, or nothing when the data is
// not a driver command.
std::optional<std::string> DriverCommandFrom(LPARAM lParam);

// Answers the message being handled with TRUE, then keeps this thread from
// handling any message for the given time.
void ReplyThenHang(std::chrono::milliseconds duration);

}  // namespace tavrin::standins::winhost
