#include "chat_client.h"

#include <utility>

#include "chat_layout.h"
#include "driver_message.h"
#include "standins/chat_model.h"
#include "win32/base/win32_text.h"
#include "win32/base/window_binding.h"
#include "window_support.h"

namespace tavrin::standins::winhost {
namespace {

using tavrin::win32::Utf8FromWide;
using tavrin::win32::WideFromUtf8;

constexpr DWORD kChildWindowStyle = WS_CAPTION | WS_CLIPCHILDREN;
constexpr UINT kFirstMdiChildId = 50000;
constexpr wchar_t kRoomRegulars[] = L"\nBob\nCarol";

SIZE ClientSize(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  return {client.right, client.bottom};
}

HWND CreateChildWindow(HWND mdi, std::wstring_view caption,
                       const Placement& place) {
  return CreateChild(kChildClassName, caption, kChildWindowStyle, place, mdi);
}

}  // namespace

ChatClient::ChatClient(std::string screenName, const std::wstring& logPath,
                       std::size_t transcriptCap)
    : screenName_(std::move(screenName)), log_(logPath), cap_(transcriptCap) {}

bool ChatClient::Open(int showCommand, bool withBuddyList) {
  if (!RegisterChatChildClasses() ||
      !tavrin::win32::RegisterWindowClass(
          kFrameClassName, &tavrin::win32::BoundWindowProc<ChatClient>)) {
    return false;
  }
  frame_.reset(CreateWindowExW(0, kFrameClassName, L"Stand-in Chat",
                               WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                               kFramePlace.x, kFramePlace.y, kFramePlace.width,
                               kFramePlace.height, nullptr, nullptr,
                               GetModuleHandleW(nullptr), this));
  if (!frame_) return false;
  CLIENTCREATESTRUCT mdiCreate{nullptr, kFirstMdiChildId};
  mdi_ = CreateWindowExW(WS_EX_CLIENTEDGE, kMdiClassName, nullptr,
                         WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0, 0,
                         frame_.get(), nullptr, GetModuleHandleW(nullptr),
                         &mdiCreate);
  if (mdi_ == nullptr) return false;
  FitMdiClient();
  if (withBuddyList) CreateBuddyList();
  CreateWelcome();
  OpenRoom(kFirstRoomName);
  ShowWindow(frame_.get(), showCommand);
  UpdateWindow(frame_.get());
  return true;
}

LRESULT ChatClient::HandleMessage(HWND window, UINT message, WPARAM wParam,
                                  LPARAM lParam) {
  switch (message) {
    case WM_COPYDATA: {
      const auto command = DriverCommandFrom(lParam);
      return command && ApplyChatCommand(*this, *command) ? TRUE : FALSE;
    }
    case WM_SIZE:
      FitMdiClient();
      return 0;
    case WM_CLOSE:
      Close();
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY:
      static_cast<void>(frame_.release());  // Windows has destroyed it
      mdi_ = welcome_ = nullptr;
      rooms_.clear();
      break;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void ChatClient::FitMdiClient() {
  if (mdi_ == nullptr || !frame_) return;
  const SIZE size = ClientSize(frame_.get());
  MoveWindow(mdi_, 0, 0, size.cx, size.cy, TRUE);
}

void ChatClient::CreateBuddyList() {
  const HWND buddies = CreateChildWindow(mdi_, L"Buddy List", BuddyListPlace());
  const SIZE size = ClientSize(buddies);
  const Placement list = Inset(size.cx, size.cy, 8);
  CreateChild(kListClassName, L"Bob\nCarol\nDave", 0, list, buddies);
}

void ChatClient::CreateWelcome() {
  welcome_ = CreateChildWindow(mdi_, WideFromUtf8(WelcomeCaption(screenName_)),
                               WelcomePlace());
}

std::wstring ChatClient::PeopleText() const {
  return WideFromUtf8(screenName_) + kRoomRegulars;
}

void ChatClient::OpenRoom(std::string_view name) {
  if (mdi_ == nullptr) return;
  // A later child goes behind the earlier ones: rooms stay in opening order.
  const HWND window =
      CreateChildWindow(mdi_, WideFromUtf8(name), RoomPlace(rooms_.size() + 1));
  const SIZE size = ClientSize(window);
  const RoomLayout layout = LayoutRoom(size.cx, size.cy);
  Room room{};
  room.transcript =
      CreateChild(kTranscriptClassName, L"", 0, layout.transcript, window);
  room.people =
      CreateChild(kListClassName, PeopleText(), 0, layout.people, window);
  CreateChild(kComboClassName, L"Tahoma 10", 0, layout.style, window);
  CreateChild(kStaticClassName, L"3 people here", 0, layout.label, window);
  room.entry = CreateChild(kEntryClassName, L"", 0, layout.entry, window,
                           static_cast<EntrySink*>(this));
  rooms_.push_back(room);
}

bool ChatClient::AddLine(std::size_t room, std::string_view speaker,
                         std::string_view text) {
  if (room == 0 || room > rooms_.size()) return false;
  const std::string line = TranscriptLine(speaker, text);
  const HWND transcript = rooms_[room - 1].transcript;
  const std::wstring whole = WideFromUtf8(
      AddToTranscript(Utf8FromWide(WideWindowText(transcript)), line, cap_));
  SetWindowTextW(transcript, whole.c_str());
  // Windows reports a window's new text by itself; Wine 8 does not.
  if (reportChanges_) {
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, transcript, OBJID_WINDOW,
                   CHILDID_SELF);
  }
  // The log holds the line without its CR LF.
  log_.Line("room " + std::to_string(room) + ": " +
            line.substr(0, line.size() - 2));
  return true;
}

void ChatClient::EnterPressed(HWND entry) {
  for (std::size_t i = 0; i < rooms_.size(); ++i) {
    if (rooms_[i].entry != entry) continue;
    AddLine(i + 1, screenName_, Utf8FromWide(WideWindowText(entry)));
    SetWindowTextW(entry, L"");
    return;
  }
}

void ChatClient::SignOn(std::string_view screenName) {
  screenName_ = screenName;
  if (welcome_ != nullptr) {
    const std::wstring caption = WideFromUtf8(WelcomeCaption(screenName_));
    SetWindowTextW(welcome_, caption.c_str());
  }
  for (const Room& room : rooms_) {
    SetWindowTextW(room.people, PeopleText().c_str());
  }
}

void ChatClient::CreateDecoy(std::size_t index) {
  // An instant-message window: a transcript and an entry box, but no room.
  const HWND window =
      CreateChildWindow(mdi_, L"Instant Message", DecoyPlace(index));
  const SIZE size = ClientSize(window);
  const MessageLayout layout = LayoutMessageWindow(size.cx, size.cy);
  CreateChild(kTranscriptClassName, L"Bob:\tare you there?\r\n", 0,
              layout.transcript, window);
  CreateChild(kEntryClassName, L"", 0, layout.entry, window);
  SetWindowPos(window, HWND_TOP, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void ChatClient::AddDecoys(std::size_t count) {
  if (mdi_ == nullptr) return;
  for (std::size_t i = 0; i < count; ++i) CreateDecoy(decoys_++);
}

void ChatClient::SlowDown(std::chrono::milliseconds duration) {
  slowOverNextText_ = duration;
}

// Busy inside the sent message: its sender may give up waiting, but the
// text stands.
void ChatClient::TextTaken(HWND) {
  const auto busy = std::exchange(slowOverNextText_, std::chrono::milliseconds(0));
  if (busy.count() > 0) Sleep(static_cast<DWORD>(busy.count()));
}

void ChatClient::Hang(std::chrono::milliseconds duration) {
  ReplyThenHang(duration);
}

void ChatClient::Close() { frame_.reset(); }

}  // namespace tavrin::standins::winhost
