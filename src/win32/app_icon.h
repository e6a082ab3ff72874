#pragma once

#include <windows.h>

namespace tavrin::win32 {

enum class IconSize { kLarge, kSmall };

// The program's icon from its resources, at the system's size for large or
// small icons; null when the module has none. The handle is shared: the
// system frees it with the module, so it is never destroyed here.
HICON AppIcon(IconSize size);

}  // namespace tavrin::win32
