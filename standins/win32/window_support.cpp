#include "window_support.h"

namespace tavrin::standins::winhost {

HWND CreateChild(const wchar_t* className, std::wstring_view text, DWORD style,
                 const Placement& place, HWND parent, void* binding) {
  const std::wstring caption(text);
  // No WM_PARENTNOTIFY: the MDI client would raise a clicked child to the
  // top and so change the order FindWindowEx sees.
  return CreateWindowExW(WS_EX_NOPARENTNOTIFY, className, caption.c_str(),
                         WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style,
                         place.x, place.y, place.width, place.height, parent,
                         nullptr, GetModuleHandleW(nullptr), binding);
}

}  // namespace tavrin::standins::winhost
