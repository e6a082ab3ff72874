#include "chat/chat_sender.h"

#include "chat/chat_room.h"

namespace tavrin::chat {

using platform::WindowHandle;

ChatSender::ChatSender(platform::ForeignWindows& windows,
                       platform::Timers& timers)
    : windows_(windows), timers_(timers) {}

void ChatSender::Send(std::string_view text) {
  SeeOutLateLine();
  const SentLine line = ChatSend(windows_, text);
  // Lines sent while the client was away are dropped at once; the one it
  // let time out is watched. A late line already watched (one sent inside
  // this send's pumps) keeps its place.
  if (line.delivery != platform::Delivery::kLate || late_) return;
  late_ = LateLine{line.entry, std::string(text), kWatchTicks};
  watch_ = timers_.Start(kWatchInterval, [this] { SeeOutLateLine(); });
}

void ChatSender::SeeOutLateLine() {
  if (!late_) return;
  const WindowHandle entry = late_->entry;
  if (windows_.Deliver(entry, platform::msg::kNull, 0, 0) !=
      platform::Delivery::kAnswered) {
    if (--late_->ticksLeft > 0) return;
  } else if (windows_.GetText(entry) == late_->text) {
    windows_.Send(entry, platform::msg::kChar, kEnterKey, 0);
  }
  late_.reset();
  // Stopped last: this may run inside the timer's own tick.
  watch_.reset();
}

}  // namespace tavrin::chat
