#pragma once

#include <windows.h>

// How each custom class of the stand-in chat client draws itself; each
// shows its own window text.
namespace tavrin::standins::winhost {

inline constexpr COLORREF kChildBackground = RGB(232, 238, 248);

// "AOL Child": a plain backdrop; one without children (the welcome window)
// shows its caption large.
void PaintChildWindow(HWND window, HDC dc, const RECT& client);
// "RICHCNTLREADONLY": "<speaker>:<TAB><text>" lines, newest at the bottom.
void PaintTranscript(HWND window, HDC dc, const RECT& client);
// "_AOL_Listbox": one name per line of its text.
void PaintNameList(HWND window, HDC dc, const RECT& client);
void PaintComboBox(HWND window, HDC dc, const RECT& client);
void PaintStaticLabel(HWND window, HDC dc, const RECT& client);
// "RICHCNTL": the text being typed, with a caret while focused.
void PaintEntryBox(HWND window, HDC dc, const RECT& client);

}  // namespace tavrin::standins::winhost
