// The mouse on a form: hit-testing the controls, the capture while a
// button is held, and the events in the order the forms expect: down, up,
// click; for the second press of a double-click: double-click, up, and no
// second click.
#include <windowsx.h>

#include "win32/win32_form_window.h"

namespace tavrin::win32 {
namespace {

using platform::MouseButton;

constexpr WPARAM kAnyButton = MK_LBUTTON | MK_RBUTTON | MK_MBUTTON;

POINT PointOf(LPARAM lParam) {
  return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

// The buttons held during a move, as a set of MouseButton bits.
MouseButton HeldButtons(WPARAM wParam) {
  int held = 0;
  if (wParam & MK_LBUTTON) held |= static_cast<int>(MouseButton::kLeft);
  if (wParam & MK_RBUTTON) held |= static_cast<int>(MouseButton::kRight);
  if (wParam & MK_MBUTTON) held |= static_cast<int>(MouseButton::kMiddle);
  return static_cast<MouseButton>(held);
}

}  // namespace

bool Win32FormWindow::HandleMouse(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDOWN: ButtonDown(MouseButton::kLeft, lParam); return true;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK: ButtonDown(MouseButton::kRight, lParam); return true;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK: ButtonDown(MouseButton::kMiddle, lParam); return true;
    case WM_LBUTTONUP: ButtonUp(MouseButton::kLeft, wParam, lParam); return true;
    case WM_RBUTTONUP: ButtonUp(MouseButton::kRight, wParam, lParam); return true;
    case WM_MBUTTONUP: ButtonUp(MouseButton::kMiddle, wParam, lParam); return true;
    case WM_LBUTTONDBLCLK: DoubleClick(lParam); return true;
    case WM_MOUSEMOVE:
      // The notification area's callback reuses the mouse-move message. A
      // hidden window gets no real mouse movement, so there it is the icon
      // speaking; a shown window's movement is only ever movement.
      if (IsWindowVisible(window_.get())) {
        MouseMoved(wParam, lParam);
      } else {
        events_.OnTrayIcon(LOWORD(lParam));
      }
      return true;
    case WM_MOUSELEAVE:
      trackingLeave_ = false;
      SetHovered({});
      return true;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lParam) != window_.get()) CaptureLost();
      return true;
    default: return false;
  }
}

void Win32FormWindow::ButtonDown(MouseButton button, LPARAM lParam) {
  const POINT point = PointOf(lParam);
  if (!press_) {
    press_ = Press{HitTest(point), button, false};
    SetCapture(window_.get());
    Invalidate(press_->target);
    if (button == MouseButton::kLeft) TakeFocus(press_->target);
  }
  const Target target = press_->target;
  events_.OnMouseDown(NameOf(target), button, TwipsX(target, point),
                      TwipsY(target, point));
}

void Win32FormWindow::DoubleClick(LPARAM lParam) {
  const POINT point = PointOf(lParam);
  const Target target = HitTest(point);
  if (!press_) {
    press_ = Press{target, MouseButton::kLeft, true};
    SetCapture(window_.get());
    Invalidate(target);
  }
  events_.OnDoubleClick(NameOf(target));
}

void Win32FormWindow::ButtonUp(MouseButton button, WPARAM wParam,
                               LPARAM lParam) {
  const POINT point = PointOf(lParam);
  const Target over = HitTest(point);
  const std::optional<Press> press = press_;
  if (press && (wParam & kAnyButton) == 0) {
    press_.reset();
    ReleaseCapture();
    Invalidate(press->target);
  }
  const Target target = press ? press->target : over;
  const std::string name = NameOf(target);
  const auto alive = alive_;
  events_.OnMouseUp(name, button, TwipsX(target, point), TwipsY(target, point));
  if (!*alive) return;
  if (press && IsClick(*press, button, over)) events_.OnClick(name);
}

bool Win32FormWindow::IsClick(const Press& press, MouseButton button,
                              Target over) const {
  return button == MouseButton::kLeft && press.button == MouseButton::kLeft &&
         !press.afterDoubleClick && press.target && over == press.target &&
         shell::ReportsClicks(model_.Controls()[*press.target].design.kind);
}

void Win32FormWindow::MouseMoved(WPARAM wParam, LPARAM lParam) {
  TrackLeave();
  const POINT point = PointOf(lParam);
  SetHovered(HitTest(point));
  // While a button is held, the control it went down on gets the moves.
  const Target target = press_ ? press_->target : hovered_;
  events_.OnMouseMove(NameOf(target), HeldButtons(wParam),
                      TwipsX(target, point), TwipsY(target, point));
}

void Win32FormWindow::CaptureLost() {
  if (!press_) return;
  const Target target = press_->target;
  press_.reset();
  Invalidate(target);
}

void Win32FormWindow::TrackLeave() {
  if (trackingLeave_) return;
  TRACKMOUSEEVENT track{};
  track.cbSize = sizeof track;
  track.dwFlags = TME_LEAVE;
  track.hwndTrack = window_.get();
  trackingLeave_ = TrackMouseEvent(&track) != FALSE;
}

void Win32FormWindow::SetHovered(Target target) {
  if (target == hovered_) return;
  Invalidate(hovered_);
  hovered_ = target;
  Invalidate(hovered_);
}

Win32FormWindow::Target Win32FormWindow::HitTest(POINT point) const {
  return model_.HitTest({point.x, point.y});
}

std::string Win32FormWindow::NameOf(Target target) const {
  return target ? model_.Controls()[*target].design.name : std::string();
}

platform::PixelRect Win32FormWindow::PlaceOf(Target target) const {
  if (target) return model_.Controls()[*target].rect;
  return {};  // the face: coordinates from the window's corner
}

float Win32FormWindow::TwipsX(Target target, POINT point) const {
  return shell::TwipsFromPixels(point.x - PlaceOf(target).left, model_.Dpi());
}

float Win32FormWindow::TwipsY(Target target, POINT point) const {
  return shell::TwipsFromPixels(point.y - PlaceOf(target).top, model_.Dpi());
}

}  // namespace tavrin::win32
