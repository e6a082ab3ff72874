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

std::wstring WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(window, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return text;
}

}  // namespace tavrin::standins::winhost
