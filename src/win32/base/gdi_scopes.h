#pragma once

#include <windows.h>

#include "win32/base/win32_handles.h"

// Scoped uses of device contexts: each gives back what it took.
namespace tavrin::win32 {

// BeginPaint .. EndPaint.
class PaintScope {
 public:
  explicit PaintScope(HWND window);
  ~PaintScope();
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;
  HDC Dc() const { return paint_.hdc; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
};

// GetDC .. ReleaseDC; a null window stands for the screen.
class WindowDc {
 public:
  explicit WindowDc(HWND window);
  ~WindowDc();
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC Dc() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// Selects an object until the end of the scope.
class Selection {
 public:
  Selection(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
  ~Selection() { SelectObject(dc_, old_); }
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// SaveDC .. RestoreDC: clipping and modes changed inside are undone.
class SavedDcState {
 public:
  explicit SavedDcState(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
  ~SavedDcState() { RestoreDC(dc_, saved_); }
  SavedDcState(const SavedDcState&) = delete;
  SavedDcState& operator=(const SavedDcState&) = delete;

 private:
  HDC dc_;
  int saved_;
};

// An off-screen picture of an area, copied onto the target at the end of
// the scope, so that a repaint never shows half-drawn layers.
class BufferedCanvas {
 public:
  BufferedCanvas(HDC target, const RECT& area);
  ~BufferedCanvas();
  BufferedCanvas(const BufferedCanvas&) = delete;
  BufferedCanvas& operator=(const BufferedCanvas&) = delete;
  // The target itself when no buffer could be made.
  HDC Dc() const { return ready_ ? memory_.get() : target_; }

 private:
  HDC target_;
  RECT area_;
  UniqueMemoryDc memory_;
  UniqueBitmap bitmap_;
  HGDIOBJ oldBitmap_ = nullptr;
  bool ready_ = false;
};

}  // namespace tavrin::win32
