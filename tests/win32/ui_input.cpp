#include "ui_input.h"

#include <chrono>
#include <string>
#include <thread>
#include <utility>

#include "e2e_support.h"

namespace tavrin::e2e {
namespace {

using namespace std::chrono_literals;

// Long enough for Wine to hand an input to the window under the pointer,
// short enough that two clicks still make a double-click.
constexpr auto kSettle = 40ms;
constexpr auto kPointerWait = 5s;
constexpr int kDragSteps = 8;
constexpr int kNormalisedRange = 65536;

// Absolute positions run 0 to 65535 over the primary screen, and the system
// takes pixel = position * size / 65536, rounded down: the position is
// rounded up so that it lands inside the wanted pixel.
LONG Normalised(int pixel, int screenSize) {
  return static_cast<LONG>(
      (static_cast<long long>(pixel) * kNormalisedRange + screenSize - 1) /
      screenSize);
}

thread_local std::string lastFailure;

bool Failed(std::string what) {
  lastFailure = std::move(what);
  return false;
}

bool Send(DWORD flags, int x, int y) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = Normalised(x, GetSystemMetrics(SM_CXSCREEN));
  input.mi.dy = Normalised(y, GetSystemMetrics(SM_CYSCREEN));
  input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
  if (SendInput(1, &input, sizeof input) != 1) {
    return Failed("SendInput refused flags " + std::to_string(flags) +
                  ", error " + std::to_string(GetLastError()));
  }
  std::this_thread::sleep_for(kSettle);
  return true;
}

bool SendKey(WORD virtualKey, DWORD flags) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = flags;
  if (SendInput(1, &input, sizeof input) != 1) {
    return Failed("SendInput refused key " + std::to_string(virtualKey) +
                  ", error " + std::to_string(GetLastError()));
  }
  std::this_thread::sleep_for(kSettle);
  return true;
}

std::string PointerText() {
  POINT at{};
  if (!GetCursorPos(&at)) return "unknown";
  return std::to_string(at.x) + "," + std::to_string(at.y);
}

bool PointerArrives(int x, int y) {
  return WaitUntil(
      [&] {
        POINT at{};
        return GetCursorPos(&at) && at.x == x && at.y == y;
      },
      kPointerWait);
}

}  // namespace

POINT ScreenPointOf(HWND window, int clientX, int clientY) {
  POINT point{clientX, clientY};
  ClientToScreen(window, &point);
  return point;
}

// One move, as a user makes it: a pointer that does not get there is a
// fault to find, never a move to make again.
bool MoveMouse(int x, int y) {
  if (!Send(0, x, y)) return false;
  if (PointerArrives(x, y)) return true;
  return Failed("pointer at " + PointerText() + ", sent to " +
                std::to_string(x) + "," + std::to_string(y));
}

const std::string& LastInputFailure() { return lastFailure; }

bool Click(int x, int y) {
  return MoveMouse(x, y) && Send(MOUSEEVENTF_LEFTDOWN, x, y) &&
         Send(MOUSEEVENTF_LEFTUP, x, y);
}

bool DoubleClick(int x, int y) {
  return MoveMouse(x, y) && Send(MOUSEEVENTF_LEFTDOWN, x, y) &&
         Send(MOUSEEVENTF_LEFTUP, x, y) && Send(MOUSEEVENTF_LEFTDOWN, x, y) &&
         Send(MOUSEEVENTF_LEFTUP, x, y);
}

bool PressKey(WORD virtualKey) {
  return SendKey(virtualKey, 0) && SendKey(virtualKey, KEYEVENTF_KEYUP);
}

bool PressKeyWith(WORD modifier, WORD virtualKey) {
  if (!SendKey(modifier, 0)) return false;
  const bool pressed = PressKey(virtualKey);
  // Let go of the modifier even when the key failed, so that none stays down.
  return SendKey(modifier, KEYEVENTF_KEYUP) && pressed;
}

bool Drag(int x0, int y0, int x1, int y1) {
  if (!MoveMouse(x0, y0) || !Send(MOUSEEVENTF_LEFTDOWN, x0, y0)) return false;
  bool moved = true;
  for (int step = 1; step <= kDragSteps; ++step) {
    moved = Send(0, x0 + (x1 - x0) * step / kDragSteps,
                 y0 + (y1 - y0) * step / kDragSteps) && moved;
  }
  // Let go even when a step failed, so that no button stays down.
  if (!Send(MOUSEEVENTF_LEFTUP, x1, y1) || !moved) return false;
  return PointerArrives(x1, y1) ||
         Failed("drag ended with the pointer at " + PointerText());
}

}  // namespace tavrin::e2e
