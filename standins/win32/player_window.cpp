#include "player_window.h"

#include "driver_message.h"
#include "gdi_paint.h"
#include "player_class.h"
#include "player_face.h"
#include "standins/peer_interface.h"
#include "win32/base/win32_text.h"
#include "win32/base/window_binding.h"

namespace tavrin::standins::winhost {
namespace {

constexpr UINT_PTR kDisplayTimer = 1;
constexpr UINT kDisplayIntervalMs = 100;
constexpr int kClientWidth = 400;
constexpr int kClientHeight = 160;

}  // namespace

PlayerWindow::PlayerWindow(const StandinOptions& options)
    : model_(clock_), log_(options.logPath),
      reportChanges_(options.reportChanges) {
  if (options.autoplay) model_.Command(peer::kPlayButton);
}

bool PlayerWindow::Open(int showCommand) {
  if (!tavrin::win32::RegisterWindowClass(
          kPlayerClassName, &tavrin::win32::BoundWindowProc<PlayerWindow>)) {
    return false;
  }
  constexpr DWORD kStyle =
      WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  RECT frame{0, 0, kClientWidth, kClientHeight};
  AdjustWindowRectEx(&frame, kStyle, FALSE, 0);
  const std::wstring caption = tavrin::win32::WideFromUtf8(model_.Caption());
  window_.reset(CreateWindowExW(0, kPlayerClassName, caption.c_str(), kStyle,
                                24, 40, frame.right - frame.left,
                                frame.bottom - frame.top, nullptr, nullptr,
                                GetModuleHandleW(nullptr), this));
  if (!window_) return false;
  shownCaption_ = caption;

  wchar_t path[MAX_PATH]{};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  log_.Line("started " + tavrin::win32::Utf8FromWide(path));

  SetTimer(window_.get(), kDisplayTimer, kDisplayIntervalMs, nullptr);
  ShowWindow(window_.get(), showCommand);
  UpdateWindow(window_.get());
  return true;
}

LRESULT PlayerWindow::HandleMessage(HWND window, UINT message, WPARAM wParam,
                                    LPARAM lParam) {
  switch (message) {
    case WM_USER:
      return model_.AnswerQuery(wParam, lParam);
    case WM_COMMAND:
      OnCommand(wParam);
      return 0;
    case WM_COPYDATA:
      return OnCopyData(lParam);
    case WM_TIMER:
      if (wParam == kDisplayTimer) TitleChanged();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the face paints every pixel
    case WM_PAINT:
      PaintBuffered(window, [this](HDC dc, const RECT& client) {
        PaintPlayerFace(dc, client, FaceOf(model_));
      });
      return 0;
    case WM_CLOSE:
      Close();
      return 0;
    case WM_DESTROY:
      KillTimer(window, kDisplayTimer);
      PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY:
      static_cast<void>(window_.release());  // Windows has destroyed it
      break;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void PlayerWindow::OnCommand(WPARAM wParam) {
  // The id is the low word; the whole wParam is logged as received.
  log_.Line("command " +
            std::to_string(static_cast<unsigned long long>(wParam)));
  model_.Command(LOWORD(wParam));
  TitleChanged();
}

LRESULT PlayerWindow::OnCopyData(LPARAM lParam) {
  const auto command = DriverCommandFrom(lParam);
  if (!command) return FALSE;
  return ApplyPlayerCommand(*this, *command) ? TRUE : FALSE;
}

void PlayerWindow::TitleChanged() {
  if (!window_) return;
  const std::wstring caption = tavrin::win32::WideFromUtf8(model_.Caption());
  if (caption != shownCaption_) {
    SetWindowTextW(window_.get(), caption.c_str());
    shownCaption_ = caption;
    // Windows reports a window's new text by itself; Wine 8 does not.
    if (reportChanges_) {
      NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window_.get(), OBJID_WINDOW,
                     CHILDID_SELF);
    }
  }
  InvalidateRect(window_.get(), nullptr, FALSE);
}

void PlayerWindow::Hang(std::chrono::milliseconds duration) {
  ReplyThenHang(duration);
}

void PlayerWindow::Close() { window_.reset(); }

}  // namespace tavrin::standins::winhost
