#include "win32/base/gdi_scopes.h"

namespace tavrin::win32 {

PaintScope::PaintScope(HWND window) : window_(window) {
  BeginPaint(window_, &paint_);
}

PaintScope::~PaintScope() { EndPaint(window_, &paint_); }

WindowDc::WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}

WindowDc::~WindowDc() {
  if (dc_ != nullptr) ReleaseDC(window_, dc_);
}

BufferedCanvas::BufferedCanvas(HDC target, const RECT& area)
    : target_(target),
      area_(area),
      memory_(CreateCompatibleDC(target)),
      bitmap_(CreateCompatibleBitmap(target, area.right - area.left,
                                     area.bottom - area.top)) {
  if (!memory_ || !bitmap_) return;
  oldBitmap_ = SelectObject(memory_.get(), bitmap_.get());
  SetViewportOrgEx(memory_.get(), -area.left, -area.top, nullptr);
  ready_ = true;
}

BufferedCanvas::~BufferedCanvas() {
  if (!ready_) return;
  SetViewportOrgEx(memory_.get(), 0, 0, nullptr);
  BitBlt(target_, area_.left, area_.top, area_.right - area_.left,
         area_.bottom - area_.top, memory_.get(), 0, 0, SRCCOPY);
  SelectObject(memory_.get(), oldBitmap_);
}

}  // namespace tavrin::win32
