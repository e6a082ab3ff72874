#include "win32/irc/room_pane.h"

#include <algorithm>

#include "win32/base/dpi.h"
#include "win32/base/win32_text.h"
#include "win32/irc/chat_classes.h"

namespace tavrin::win32::chat {
namespace {

enum ControlId { kTopicId = 1, kTranscriptId, kPeopleId, kEntryId, kHistoryId };

constexpr int kHistoryLength = 20;

}  // namespace

RoomPane::RoomPane(PaneHost& host, HWND mdiArea, const std::string& channel)
    : ChildPane(host), channel_(channel) {
  Create(mdiArea, WideFromUtf8(channel));
}

void RoomPane::CreateControls() {
  topic_ = CreateControl(kTopicClass, SS_LEFTNOWORDWRAP | SS_NOPREFIX |
                                          SS_ENDELLIPSIS | SS_CENTERIMAGE,
                         kTopicId);
  transcript_ = CreateControl(
      kTranscriptClass,
      ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | ES_NOHIDESEL | WS_VSCROLL |
          WS_TABSTOP,
      kTranscriptId, WS_EX_CLIENTEDGE);
  people_ = CreateControl(kPeopleClass,
                          LBS_NOINTEGRALHEIGHT | LBS_NOTIFY | WS_VSCROLL |
                              WS_TABSTOP,
                          kPeopleId, WS_EX_CLIENTEDGE);
  entry_ = CreateControl(kEntryClass, ES_AUTOHSCROLL | WS_TABSTOP, kEntryId,
                         WS_EX_CLIENTEDGE);
  history_ = CreateControl(kHistoryClass, CBS_DROPDOWNLIST | WS_VSCROLL |
                                              WS_TABSTOP,
                           kHistoryId);
  SetReadingBox(transcript_);
}

void RoomPane::Layout(int width, int height) {
  if (entry_ == nullptr) return;
  const int gap = Scaled(4, Dpi());
  const int side = Scaled(160, Dpi());
  const int row = lineHeight_ + Scaled(10, Dpi());
  const int topicHeight = lineHeight_ + Scaled(6, Dpi());
  const int middleTop = gap + topicHeight + gap;
  const int entryTop = height - gap - row;
  const int middleHeight = std::max(0, entryTop - gap - middleTop);
  const int mainWidth = std::max(0, width - 3 * gap - side);

  MoveWindow(topic_, gap, gap, std::max(0, width - 2 * gap), topicHeight, TRUE);
  MoveWindow(transcript_, gap, middleTop, mainWidth, middleHeight, TRUE);
  MoveWindow(people_, 2 * gap + mainWidth, middleTop, side, middleHeight, TRUE);
  MoveWindow(entry_, gap, entryTop, mainWidth, row, TRUE);
  // A drop-down list's height includes its open list.
  MoveWindow(history_, 2 * gap + mainWidth, entryTop, side,
             row + Scaled(200, Dpi()), TRUE);
}

void RoomPane::SetPeople(const std::vector<std::string>& people) {
  SendMessageW(people_, WM_SETREDRAW, FALSE, 0);
  SendMessageW(people_, LB_RESETCONTENT, 0, 0);
  for (const std::string& person : people) {
    const std::wstring name = WideFromUtf8(person);
    SendMessageW(people_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
  }
  SendMessageW(people_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(people_, nullptr, TRUE);
}

void RoomPane::SetTopic(const std::string& topic) {
  SetWindowTextW(topic_, WideFromUtf8(topic).c_str());
}

void RoomPane::Entered(HWND entry) {
  const std::string text = TextOf(entry);
  // Emptied first: what the line sets off may show or send at once.
  SetWindowTextW(entry, L"");
  if (text.empty()) return;
  Remember(text);
  host_.Typed(channel_, text);
}

void RoomPane::Remember(const std::string& text) {
  const std::wstring wide = WideFromUtf8(text);
  const auto found = SendMessageW(history_, CB_FINDSTRINGEXACT,
                                  static_cast<WPARAM>(-1),
                                  reinterpret_cast<LPARAM>(wide.c_str()));
  if (found != CB_ERR) SendMessageW(history_, CB_DELETESTRING, found, 0);
  SendMessageW(history_, CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
  while (SendMessageW(history_, CB_GETCOUNT, 0, 0) > kHistoryLength) {
    SendMessageW(history_, CB_DELETESTRING, kHistoryLength, 0);
  }
}

LRESULT RoomPane::HandleMessage(HWND window, UINT message, WPARAM wParam,
                                LPARAM lParam) {
  switch (message) {
    case WM_MDIACTIVATE:
      if (reinterpret_cast<HWND>(lParam) == window) SetFocus(entry_);
      break;
    case WM_COMMAND:
      // A line picked from the history goes back into the entry line.
      if (LOWORD(wParam) == kHistoryId && HIWORD(wParam) == CBN_SELENDOK) {
        const auto index = SendMessageW(history_, CB_GETCURSEL, 0, 0);
        if (index != CB_ERR) {
          const auto length = SendMessageW(history_, CB_GETLBTEXTLEN, index, 0);
          std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
          SendMessageW(history_, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
          text.resize(static_cast<std::size_t>(length));
          SetWindowTextW(entry_, text.c_str());
          SendMessageW(entry_, EM_SETSEL, length, length);
        }
        SetFocus(entry_);
        return 0;
      }
      break;
    default:
      break;
  }
  return ChildPane::HandleMessage(window, message, wParam, lParam);
}

}  // namespace tavrin::win32::chat
