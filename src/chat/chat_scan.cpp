#include "chat/chat_scan.h"

#include <optional>
#include <utility>

#include "chat/chat_room.h"

namespace tavrin::chat {

using platform::kNoWindow;
using platform::WindowHandle;

ChatScan::ChatScan(platform::ForeignWindows& windows, platform::Timers& timers)
    : windows_(windows), timers_(timers) {}

void ChatScan::SetLineHandler(LineHandler handler) {
  onLine_ = std::move(handler);
}

void ChatScan::Start() {
  if (poll_) return;
  // What the room holds at the start is history.
  room_ = kNoWindow;
  Poll();
  poll_ = timers_.Start(kPollInterval, [this] { Poll(); });
}

void ChatScan::TakeAllAsSeen(WindowHandle room, std::size_t length,
                             std::string text) {
  room_ = room;
  length_ = length;
  text_ = std::move(text);
  seen_ = text_.size();
  // An unfinished last line is history too, up to its line end yet to come.
  inHistoryLine_ = seen_ >= 2 ? text_.compare(seen_ - 2, 2, "\r\n") != 0
                              : seen_ != 0;
}

void ChatScan::Poll() {
  // The search pumps messages, and a poll may run inside it. That poll
  // looked later and has the newer view: this one then leaves it be.
  const std::uint64_t poll = ++polls_;
  const WindowHandle room = FindChatRoom(windows_);
  if (polls_ != poll) return;
  const WindowHandle transcript =
      room == kNoWindow ? kNoWindow
                        : windows_.FindChild(room, kNoWindow, kRoomChildClasses[0]);
  if (transcript == kNoWindow) {
    TakeAllAsSeen(kNoWindow, 0, {});
    return;
  }
  // A room that does not answer is asked again at the next poll.
  const std::optional<std::size_t> length = windows_.GetTextLength(transcript);
  if (!length || (room == room_ && *length == length_)) return;
  std::string text = windows_.GetText(transcript);
  if (text.empty() && *length != 0) return;
  if (room != room_ || *length < length_ || text.size() < seen_ ||
      text.compare(0, seen_, text_, 0, seen_) != 0) {
    // Another room, or a transcript the client cut or rewrote: what is
    // there now is history.
    TakeAllAsSeen(room, *length, std::move(text));
    return;
  }
  length_ = *length;
  text_ = std::move(text);
  RaiseCompleteLines();
}

void ChatScan::RaiseCompleteLines() {
  // Each line is marked as seen before it is raised: the handler may pump
  // and run a poll that reads past it.
  if (inHistoryLine_) {
    // Its line end may have begun before what was taken as seen ends.
    const std::size_t from =
        seen_ > 0 && text_[seen_ - 1] == '\r' ? seen_ - 1 : seen_;
    const std::size_t end = text_.find("\r\n", from);
    if (end == std::string::npos) return;
    seen_ = end + 2;
    inHistoryLine_ = false;
  }
  for (;;) {
    const std::size_t end = text_.find("\r\n", seen_);
    if (end == std::string::npos) return;
    const std::string line = text_.substr(seen_, end - seen_);
    seen_ = end + 2;
    const std::size_t colon = line.find(':');
    if (colon == std::string::npos || colon + 1 >= line.size() ||
        line[colon + 1] != '\t' || !onLine_) {
      continue;
    }
    const LineHandler handler = onLine_;
    handler(std::string_view(line).substr(0, colon),
            std::string_view(line).substr(colon + 2));
  }
}

}  // namespace tavrin::chat
