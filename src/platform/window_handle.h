#pragma once

#include <cstdint>

namespace tavrin::platform {

// Names a window of another program. The program never keeps one between
// calls: every operation looks its window up again. 0 means "not found".
using WindowHandle = std::uintptr_t;
inline constexpr WindowHandle kNoWindow = 0;

// The window messages the program sends, by their Windows numbers.
namespace msg {
inline constexpr unsigned kNull = 0x0000;
inline constexpr unsigned kSetText = 0x000C;
inline constexpr unsigned kGetText = 0x000D;
inline constexpr unsigned kGetTextLength = 0x000E;
inline constexpr unsigned kChar = 0x0102;
inline constexpr unsigned kCommand = 0x0111;
inline constexpr unsigned kUser = 0x0400;
}  // namespace msg

}  // namespace tavrin::platform
