#include "sim/sim_foreign_windows.h"

#include "sim/cp1252.h"

namespace tavrin::sim {

using platform::HungWindowGuard;

bool SimForeignWindows::Answers(WindowHandle window) {
  if (!desktop_.Exists(window) || !guard_.MayWait(window)) return false;
  const platform::Milliseconds hung = desktop_.HungFor(window);
  if (hung >= HungWindowGuard::kSendTimeout) {
    desktop_.Clock().Stall(HungWindowGuard::kSendTimeout);
    guard_.RecordTimeout(window);
    return false;
  }
  desktop_.Clock().Stall(hung);
  guard_.RecordAnswer(window);
  return true;
}

WindowHandle SimForeignWindows::FindTopLevel(std::string_view className) {
  return desktop_.FindWindow(className);
}

WindowHandle SimForeignWindows::FindChild(WindowHandle parent,
                                          WindowHandle after,
                                          std::string_view className) {
  return desktop_.FindWindowEx(parent, after, className);
}

std::intptr_t SimForeignWindows::Send(WindowHandle window, unsigned message,
                                      std::uintptr_t wParam,
                                      std::intptr_t lParam) {
  if (!Answers(window)) return 0;
  return desktop_.SendMessage(window, message, wParam, lParam);
}

void SimForeignWindows::Post(WindowHandle window, unsigned message,
                             std::uintptr_t wParam, std::intptr_t lParam) {
  desktop_.PostMessage(window, message, wParam, lParam);
}

std::string SimForeignWindows::GetText(WindowHandle window) {
  // WM_GETTEXTLENGTH, then WM_GETTEXT: two sends, each bounded.
  if (!Answers(window)) return {};
  const std::size_t length = desktop_.AnsiText(window).size();
  if (!Answers(window)) return {};
  return Utf8FromCp1252(desktop_.AnsiText(window).substr(0, length));
}

void SimForeignWindows::SetText(WindowHandle window, std::string_view text) {
  if (Answers(window)) desktop_.SetAnsiText(window, Cp1252FromUtf8(text));
}

void SimForeignWindows::PumpOnce() { desktop_.PumpOnce(); }

}  // namespace tavrin::sim
