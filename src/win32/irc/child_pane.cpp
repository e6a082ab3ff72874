#include "win32/irc/child_pane.h"

#include <stdexcept>

#include "win32/base/dpi.h"
#include "win32/base/win32_text.h"
#include "win32/base/window_text.h"
#include "win32/irc/chat_classes.h"
#include "win32/irc/chat_font.h"

namespace tavrin::win32::chat {

ChildPane::~ChildPane() {
  if (window_ != nullptr) {
    SendMessageW(mdiArea_, WM_MDIDESTROY, reinterpret_cast<WPARAM>(window_), 0);
  }
}

void ChildPane::Create(HWND mdiArea, const std::wstring& caption) {
  mdiArea_ = mdiArea;
  MDICREATESTRUCTW create{};
  create.szClass = kChildClass;
  create.szTitle = caption.c_str();
  create.hOwner = GetModuleHandleW(nullptr);
  create.x = create.y = create.cx = create.cy = CW_USEDEFAULT;
  create.lParam = reinterpret_cast<LPARAM>(this);
  SendMessageW(mdiArea, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create));
  if (window_ == nullptr) throw std::runtime_error("chat window not created");
}

HWND ChildPane::CreateControl(const wchar_t* className, DWORD style, int id,
                              DWORD extendedStyle) {
  return CreateWindowExW(extendedStyle, className, L"",
                         WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, window_,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         GetModuleHandleW(nullptr), nullptr);
}

void ChildPane::SetReadingBox(HWND box) {
  reading_ = box;
  lines_ = std::make_unique<TranscriptBox>(box);
}

void ChildPane::AddLine(const std::string& line) {
  if (lines_) lines_->Append(line);
}

void ChildPane::ApplyFont(int dpi) {
  dpi_ = dpi;
  font_ = MessageFont(dpi);
  lineHeight_ = LineHeight(window_, font_.get());
  SetChildrenFont();
  RECT client{};
  GetClientRect(window_, &client);
  Layout(client.right, client.bottom);
}

void ChildPane::SetChildrenFont() {
  for (HWND child = GetWindow(window_, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), TRUE);
  }
}

std::string ChildPane::TextOf(HWND control) {
  return Utf8FromWide(WideWindowText(control));
}

LRESULT ChildPane::HandleMessage(HWND window, UINT message, WPARAM wParam,
                                 LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      window_ = window;
      CreateControls();
      ApplyFont(WindowDpi(window));
      break;
    case WM_SIZE:
      Layout(LOWORD(lParam), HIWORD(lParam));
      break;  // the MDI area needs it too
    case WM_SETFOCUS:
      if (entry_ != nullptr) SetFocus(entry_);
      return 0;
    case WM_CTLCOLORSTATIC:
      if (reinterpret_cast<HWND>(lParam) == reading_ && reading_ != nullptr) {
        SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOW));
        SetTextColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOWTEXT));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
      }
      break;
    case kEntryEnteredMessage:
      Entered(reinterpret_cast<HWND>(lParam));
      return 0;
    case WM_CLOSE:
      host_.Closing(window);
      return 0;
    default:
      break;
  }
  return DefMDIChildProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK ChildPane::Procedure(HWND window, UINT message, WPARAM wParam,
                                      LPARAM lParam) noexcept {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    const auto* mdi = static_cast<const MDICREATESTRUCTW*>(create->lpCreateParams);
    SetWindowLongPtrW(window, GWLP_USERDATA, mdi->lParam);
  }
  auto* pane = reinterpret_cast<ChildPane*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    if (pane != nullptr) pane->window_ = nullptr;
  }
  if (pane != nullptr) {
    try {
      return pane->HandleMessage(window, message, wParam, lParam);
    } catch (...) {
      // Unwinding into the system's dispatch is undefined.
    }
  }
  return DefMDIChildProcW(window, message, wParam, lParam);
}

}  // namespace tavrin::win32::chat
