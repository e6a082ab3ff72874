#include "win32/irc/chat_classes.h"

#include <map>
#include <string>

#include "win32/base/window_text.h"

namespace tavrin::win32::chat {
namespace {

WNDPROC systemEdit = nullptr;

// What the user had typed when another program put its own line into the
// box, by entry box; given back once that line is sent.
std::map<HWND, std::wstring> setAside;
// While a line is handed on, the box is emptied by its own pane.
bool handingOn = false;

// The entry line is a single-line edit box that sends on Enter. Enter is
// handled as a character, so that WM_CHAR 13 sent by another program sends
// too, as typing does. A program that posts a line this way sets its text
// first: the words the user was typing are kept aside meanwhile.
LRESULT CALLBACK EntryProcedure(HWND window, UINT message, WPARAM wParam,
                                LPARAM lParam) {
  if (message == WM_CHAR && wParam == VK_RETURN) {
    handingOn = true;
    SendMessageW(GetParent(window), kEntryEnteredMessage, 0,
                 reinterpret_cast<LPARAM>(window));
    handingOn = false;
    const auto kept = setAside.find(window);
    if (kept != setAside.end()) {
      const std::wstring text = std::move(kept->second);
      setAside.erase(kept);
      CallWindowProcW(systemEdit, window, WM_SETTEXT, 0,
                      reinterpret_cast<LPARAM>(text.c_str()));
      CallWindowProcW(systemEdit, window, EM_SETSEL, text.size(), text.size());
    }
    return 0;
  }
  if (message == WM_SETTEXT && !handingOn && InSendMessage() &&
      !setAside.contains(window)) {
    std::wstring typed = WideWindowText(window);
    if (!typed.empty()) setAside.emplace(window, std::move(typed));
  }
  if (message == WM_NCDESTROY) setAside.erase(window);
  // Asked for, so that the dialog manager leaves Enter to the box.
  if (message == WM_GETDLGCODE) {
    return CallWindowProcW(systemEdit, window, message, wParam, lParam) |
           DLGC_WANTALLKEYS;
  }
  return CallWindowProcW(systemEdit, window, message, wParam, lParam);
}

// A system control class again under another name; `procedure` replaces
// its window procedure when given.
bool Superclass(const wchar_t* systemClass, const wchar_t* name,
                WNDPROC procedure, WNDPROC* systemProcedure) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  if (!GetClassInfoExW(nullptr, systemClass, &windowClass)) return false;
  if (systemProcedure != nullptr) *systemProcedure = windowClass.lpfnWndProc;
  if (procedure != nullptr) windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = name;
  // The system's class may be global; ours belongs to this program only.
  windowClass.style &= ~CS_GLOBALCLASS;
  return RegisterClassExW(&windowClass) != 0 ||
         GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

bool RegisterOwn(const wchar_t* name, WNDPROC procedure, HBRUSH background) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  windowClass.hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
  windowClass.hbrBackground = background;
  windowClass.lpszClassName = name;
  return RegisterClassExW(&windowClass) != 0 ||
         GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

bool RegisterChatClasses(WNDPROC frameProcedure, WNDPROC childProcedure) {
  return RegisterOwn(kFrameClass, frameProcedure,
                     reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1)) &&
         RegisterOwn(kChildClass, childProcedure,
                     reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)) &&
         Superclass(L"EDIT", kTranscriptClass, nullptr, nullptr) &&
         Superclass(L"LISTBOX", kPeopleClass, nullptr, nullptr) &&
         Superclass(L"COMBOBOX", kHistoryClass, nullptr, nullptr) &&
         Superclass(L"STATIC", kTopicClass, nullptr, nullptr) &&
         Superclass(L"EDIT", kEntryClass, &EntryProcedure, &systemEdit);
}

}  // namespace tavrin::win32::chat
