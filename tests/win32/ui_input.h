#pragma once

#include <windows.h>

#include <string>

// The real mouse for end-to-end tests: SendInput with absolute positions on
// the primary screen, as a user's hand would move it, so that another
// process's window gets ordinary mouse messages. Each step waits a little,
// so that Wine delivers it before the next.
namespace tavrin::e2e {

// The screen point of a place in a window's client area.
POINT ScreenPointOf(HWND window, int clientX, int clientY);

// Each returns false when the system refused an input or the pointer did
// not arrive where it was sent.
bool MoveMouse(int x, int y);
bool Click(int x, int y);
bool DoubleClick(int x, int y);
// Presses the left button at the first point, moves in steps to the
// second and lets go there.
bool Drag(int x0, int y0, int x1, int y1);

// Presses and releases a key, which goes where the keyboard focus is.
bool PressKey(WORD virtualKey);
// The same with a modifier (VK_SHIFT, ...) held down.
bool PressKeyWith(WORD modifier, WORD virtualKey);

// Why the last of the calls above on this thread returned false.
const std::string& LastInputFailure();

}  // namespace tavrin::e2e
