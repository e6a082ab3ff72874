#include "chat_classes.h"

#include <string>

#include "chat_painting.h"
#include "gdi_paint.h"
#include "guarded_window_proc.h"
#include "win32/base/window_binding.h"
#include "window_support.h"

namespace tavrin::standins::winhost {
namespace {

using Painter = void (*)(HWND, HDC, const RECT&);

// A window that keeps its text with DefWindowProc and draws it.
template <Painter Paint>
LRESULT PaintedControl(HWND window, UINT message, WPARAM wParam,
                       LPARAM lParam) {
  switch (message) {
    case WM_SETTEXT: {
      const LRESULT result = DefWindowProcW(window, message, wParam, lParam);
      InvalidateRect(window, nullptr, FALSE);
      return result;
    }
    case WM_ERASEBKGND:
      return 1;  // painted whole, through a buffer
    case WM_PAINT:
      PaintBuffered(window, [window](HDC dc, const RECT& client) {
        Paint(window, dc, client);
      });
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

void Type(HWND entry, wchar_t character) {
  std::wstring text = WideWindowText(entry);
  if (character == L'\b') {
    if (!text.empty()) text.pop_back();
  } else {
    text.push_back(character);
  }
  SetWindowTextW(entry, text.c_str());
}

// "AOL Child": its caption cannot be dragged, so the layout and the sibling
// order stay as created.
LRESULT ChildWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCLBUTTONDOWN || message == WM_NCLBUTTONDBLCLK) return 0;
  return PaintedControl<&PaintChildWindow>(window, message, wParam, lParam);
}

LRESULT EntryBox(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE: {
      const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
      SetWindowLongPtrW(window, GWLP_USERDATA,
                        reinterpret_cast<LONG_PTR>(create->lpCreateParams));
      break;
    }
    case WM_CHAR:
      if (wParam == VK_RETURN) {
        auto* sink = reinterpret_cast<EntrySink*>(
            GetWindowLongPtrW(window, GWLP_USERDATA));
        if (sink != nullptr) sink->EnterPressed(window);
      } else if (wParam == L'\b' || wParam >= L' ') {
        Type(window, static_cast<wchar_t>(wParam));
      }
      return 0;
    case WM_SETTEXT: {
      const LRESULT result =
          PaintedControl<&PaintEntryBox>(window, message, wParam, lParam);
      auto* sink = reinterpret_cast<EntrySink*>(
          GetWindowLongPtrW(window, GWLP_USERDATA));
      if (sink != nullptr) sink->TextTaken(window);
      return result;
    }
    case WM_LBUTTONDOWN:
      SetFocus(window);
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      InvalidateRect(window, nullptr, FALSE);
      return 0;
    default:
      break;
  }
  return PaintedControl<&PaintEntryBox>(window, message, wParam, lParam);
}

}  // namespace

bool RegisterChatChildClasses() {
  using tavrin::win32::RegisterWindowClass;
  return RegisterWindowClass(kChildClassName,
                             &GuardedWindowProc<&ChildWindow>) &&
         RegisterWindowClass(
             kTranscriptClassName,
             &GuardedWindowProc<&PaintedControl<&PaintTranscript>>) &&
         RegisterWindowClass(
             kListClassName,
             &GuardedWindowProc<&PaintedControl<&PaintNameList>>) &&
         RegisterWindowClass(
             kComboClassName,
             &GuardedWindowProc<&PaintedControl<&PaintComboBox>>) &&
         RegisterWindowClass(
             kStaticClassName,
             &GuardedWindowProc<&PaintedControl<&PaintStaticLabel>>) &&
         RegisterWindowClass(kEntryClassName, &GuardedWindowProc<&EntryBox>);
}

}  // namespace tavrin::standins::winhost
