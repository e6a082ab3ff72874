#include "win32/irc/welcome_pane.h"

#include <algorithm>

#include "win32/base/dpi.h"
#include "win32/base/win32_text.h"
#include "win32/irc/chat_classes.h"

namespace tavrin::win32::chat {
namespace {

enum ControlId { kStatusId = 1, kEntryId };

// Before anyone signs on there is nobody to welcome: a caption without
// "!" names nobody to the song reporter.
std::wstring Caption(const std::string& nick) {
  return nick.empty() ? L"Welcome" : L"Welcome, " + WideFromUtf8(nick) + L"!";
}

}  // namespace

WelcomePane::WelcomePane(PaneHost& host, HWND mdiArea, const std::string& nick)
    : ChildPane(host) {
  Create(mdiArea, Caption(nick));
}

void WelcomePane::SetNick(const std::string& nick) {
  SetWindowTextW(Window(), Caption(nick).c_str());
}

void WelcomePane::CreateControls() {
  status_ = CreateControl(L"EDIT",
                          ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL |
                              ES_NOHIDESEL | WS_VSCROLL | WS_TABSTOP,
                          kStatusId, WS_EX_CLIENTEDGE);
  entry_ = CreateControl(kEntryClass, ES_AUTOHSCROLL | WS_TABSTOP, kEntryId,
                         WS_EX_CLIENTEDGE);
  SetReadingBox(status_);
}

void WelcomePane::Layout(int width, int height) {
  if (entry_ == nullptr) return;
  const int gap = Scaled(4, Dpi());
  const int row = lineHeight_ + Scaled(10, Dpi());
  const int entryTop = height - gap - row;
  MoveWindow(status_, gap, gap, std::max(0, width - 2 * gap),
             std::max(0, entryTop - 2 * gap), TRUE);
  MoveWindow(entry_, gap, entryTop, std::max(0, width - 2 * gap), row, TRUE);
}

void WelcomePane::Entered(HWND entry) {
  const std::string text = TextOf(entry);
  SetWindowTextW(entry, L"");
  if (!text.empty()) host_.Typed(std::string(), text);
}

LRESULT WelcomePane::HandleMessage(HWND window, UINT message, WPARAM wParam,
                                   LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      // The sign-on's window stays while the program runs: the song
      // reporter reads the nick from its caption.
      ShowWindow(window, SW_MINIMIZE);
      return 0;
    default:
      break;
  }
  return ChildPane::HandleMessage(window, message, wParam, lParam);
}

}  // namespace tavrin::win32::chat
