#include "win32/irc/chat_frame.h"

#include <algorithm>
#include <stdexcept>

#include "irc/chat_client.h"
#include "win32/base/dpi.h"
#include "win32/base/win32_text.h"
#include "win32/irc/chat_classes.h"

namespace tavrin::win32::chat {
namespace {

enum CommandId : WORD {
  kConnectId = 100,
  kDisconnectId,
  kExitId,
  kCascadeId,
  kTileId,
  kArrangeId,
  kFirstChildId = 1000,
};

constexpr UINT kClosePaneMessage = WM_APP + 21;

// One frame per program: the router needs its MDI area.
HWND routedMdiArea = nullptr;

std::string Folded(const std::string& channel) {
  std::string folded = channel;
  std::transform(folded.begin(), folded.end(), folded.begin(), [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  });
  return folded;
}

HMENU BuildMenu(HMENU* windowMenu) {
  HMENU bar = CreateMenu();
  HMENU chat = CreatePopupMenu();
  AppendMenuW(chat, MF_STRING, kConnectId, L"&Connect...");
  AppendMenuW(chat, MF_STRING, kDisconnectId, L"&Disconnect");
  AppendMenuW(chat, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(chat, MF_STRING, kExitId, L"E&xit");
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(chat), L"&Chat");
  *windowMenu = CreatePopupMenu();
  AppendMenuW(*windowMenu, MF_STRING, kCascadeId, L"&Cascade");
  AppendMenuW(*windowMenu, MF_STRING, kTileId, L"&Tile");
  AppendMenuW(*windowMenu, MF_STRING, kArrangeId, L"&Arrange Icons");
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(*windowMenu), L"&Window");
  return bar;
}

std::wstring FrameCaption(const std::string& server) {
  return server.empty() ? L"Tavrin Chat"
                        : L"Tavrin Chat - " + WideFromUtf8(server);
}

}  // namespace

ChatFrame::ChatFrame(const std::string& nick, const std::string& server) {
  if (!RegisterChatClasses(&BoundWindowProc<ChatFrame>, &ChildPane::Procedure)) {
    throw std::runtime_error("chat window classes not registered");
  }
  HMENU windowMenu = nullptr;
  HMENU menu = BuildMenu(&windowMenu);
  frame_ = CreateWindowExW(0, kFrameClass, FrameCaption(server).c_str(),
                           WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr,
                           menu, GetModuleHandleW(nullptr), this);
  if (frame_ == nullptr) {
    DestroyMenu(menu);
    throw std::runtime_error("chat frame not created");
  }
  CLIENTCREATESTRUCT area{windowMenu, kFirstChildId};
  mdiArea_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr,
                             WS_CHILD | WS_CLIPCHILDREN | WS_VSCROLL |
                                 WS_HSCROLL | WS_VISIBLE,
                             0, 0, 0, 0, frame_, nullptr,
                             GetModuleHandleW(nullptr), &area);
  if (mdiArea_ == nullptr) throw std::runtime_error("chat area not created");
  routedMdiArea = mdiArea_;
  // Sized once the MDI area is there to follow, so that the panes made in
  // it take their default size from a laid-out area.
  const int dpi = WindowDpi(frame_);
  SetWindowPos(frame_, nullptr, 0, 0, Scaled(860, dpi), Scaled(560, dpi),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  welcome_ = std::make_unique<WelcomePane>(*this, mdiArea_, nick);
  // Alone at first, the welcome pane fills the frame, and the rooms that
  // follow open the same way.
  SendMessageW(mdiArea_, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(welcome_->Window()), 0);
}

ChatFrame::~ChatFrame() {
  rooms_.clear();
  welcome_.reset();
  if (routedMdiArea == mdiArea_) routedMdiArea = nullptr;
  if (frame_ != nullptr) DestroyWindow(frame_);
}

void ChatFrame::SetServer(const std::string& server) {
  SetWindowTextW(frame_, FrameCaption(server).c_str());
}

RoomPane* ChatFrame::Room(const std::string& channel) {
  const auto found = rooms_.find(Folded(channel));
  return found == rooms_.end() ? nullptr : found->second.get();
}

void ChatFrame::NickChanged(const std::string& nick) { welcome_->SetNick(nick); }

void ChatFrame::RoomOpened(const std::string& channel) {
  if (RoomPane* room = Room(channel)) {
    SendMessageW(mdiArea_, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(room->Window()), 0);
    return;
  }
  auto room = std::make_unique<RoomPane>(*this, mdiArea_, channel);
  SendMessageW(mdiArea_, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(room->Window()), 0);
  rooms_[Folded(channel)] = std::move(room);
}

void ChatFrame::RoomClosed(const std::string& channel) {
  rooms_.erase(Folded(channel));
}

void ChatFrame::RoomLine(const std::string& channel, const std::string& line) {
  if (RoomPane* room = Room(channel)) room->AddLine(line);
}

void ChatFrame::PeopleChanged(const std::string& channel,
                              const std::vector<std::string>& people) {
  if (RoomPane* room = Room(channel)) room->SetPeople(people);
}

void ChatFrame::TopicChanged(const std::string& channel, const std::string& topic) {
  if (RoomPane* room = Room(channel)) room->SetTopic(topic);
}

void ChatFrame::StatusLine(const std::string& line) { welcome_->AddLine(line); }

void ChatFrame::SettingsChanged(const irc::ClientSettings& settings) {
  if (store_) store_(settings);
}

void ChatFrame::Typed(const std::string& channel, const std::string& text) {
  if (client_ != nullptr) client_->Type(channel, text);
}

void ChatFrame::Closing(HWND pane) {
  PostMessageW(frame_, kClosePaneMessage, 0, reinterpret_cast<LPARAM>(pane));
}

void ChatFrame::ClosePane(HWND pane) {
  for (auto room = rooms_.begin(); room != rooms_.end(); ++room) {
    if (room->second->Window() != pane) continue;
    const std::string channel = room->second->Channel();
    rooms_.erase(room);
    if (client_ != nullptr) client_->Type(channel, "/part " + channel);
    return;
  }
}

void ChatFrame::ChangeDpi(int dpi, const RECT& suggested) {
  SetWindowPos(frame_, nullptr, suggested.left, suggested.top,
               suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  welcome_->ApplyFont(dpi);
  for (auto& room : rooms_) room.second->ApplyFont(dpi);
}

LRESULT ChatFrame::Command(WORD id) {
  switch (id) {
    case kConnectId:
      if (askConnect_) askConnect_();
      return 0;
    case kDisconnectId:
      if (client_ != nullptr) client_->Disconnect("Leaving");
      return 0;
    case kExitId:
      PostMessageW(frame_, WM_CLOSE, 0, 0);
      return 0;
    case kCascadeId:
      SendMessageW(mdiArea_, WM_MDICASCADE, 0, 0);
      return 0;
    case kTileId:
      SendMessageW(mdiArea_, WM_MDITILE, MDITILE_VERTICAL, 0);
      return 0;
    case kArrangeId:
      SendMessageW(mdiArea_, WM_MDIICONARRANGE, 0, 0);
      return 0;
    default:
      return -1;
  }
}

LRESULT ChatFrame::HandleMessage(HWND window, UINT message, WPARAM wParam,
                                 LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (Command(LOWORD(wParam)) == 0) return 0;
      break;
    case kClosePaneMessage:
      ClosePane(reinterpret_cast<HWND>(lParam));
      return 0;
    case WM_DPICHANGED:
      ChangeDpi(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_CLOSE:
      if (client_ != nullptr) client_->Disconnect("Leaving");
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY:
      frame_ = nullptr;
      break;
    default:
      break;
  }
  return DefFrameProcW(window, mdiArea_, message, wParam, lParam);
}

bool RouteChatKeys(MSG& message) {
  return routedMdiArea != nullptr && TranslateMDISysAccel(routedMdiArea, &message);
}

}  // namespace tavrin::win32::chat
