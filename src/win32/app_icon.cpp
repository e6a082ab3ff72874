#include "win32/app_icon.h"

#include "win32/resource_ids.h"

namespace tavrin::win32 {

HICON AppIcon(IconSize size) {
  const bool large = size == IconSize::kLarge;
  const int width = GetSystemMetrics(large ? SM_CXICON : SM_CXSMICON);
  const int height = GetSystemMetrics(large ? SM_CYICON : SM_CYSMICON);
  return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr),
                                       MAKEINTRESOURCEW(TAVRIN_ICON_ID),
                                       IMAGE_ICON, width, height,
                                       LR_DEFAULTCOLOR | LR_SHARED));
}

}  // namespace tavrin::win32
