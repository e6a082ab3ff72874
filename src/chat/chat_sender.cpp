#include "chat/chat_sender.h"

#include <utility>

#include "chat/chat_room.h"

namespace tavrin::chat {

using platform::Delivery;
using platform::WindowHandle;

namespace {

void Tell(ChatSender::OnDone& onDone, ChatSender::Outcome outcome) {
  if (onDone) std::exchange(onDone, {})(outcome);
}

}  // namespace

ChatSender::ChatSender(platform::ForeignWindows& windows,
                       const platform::Clock& clock, platform::Timers& timers)
    : windows_(windows), clock_(clock), timers_(timers) {}

void ChatSender::Send(std::string_view text, OnDone onDone) {
  waiting_.push_back({std::string(text), clock_.Now(), std::move(onDone)});
  Flush();
}

void ChatSender::Flush() {
  // A send pumps, and a line sent inside it joins the queue that the round
  // under way goes on with.
  if (flushing_) return;
  flushing_ = true;
  SeeOutLateLine();
  while (!late_ && !waiting_.empty()) {
    Line line = std::move(waiting_.front());
    waiting_.pop_front();
    if (clock_.Now() - line.since >= kPatience) {
      Tell(line.onDone, Outcome::kLost);
      continue;
    }
    if (!Post(line)) {
      waiting_.push_front(std::move(line));
      break;
    }
  }
  flushing_ = false;
  KeepTimer();
}

bool ChatSender::Post(Line& line) {
  const SentLine sent = ChatSend(windows_, line.text);
  if (sent.entry == platform::kNoWindow) {
    Tell(line.onDone, Outcome::kNoRoom);
    return true;
  }
  switch (sent.delivery) {
    case Delivery::kAnswered:
      Tell(line.onDone, Outcome::kPosted);
      return true;
    case Delivery::kLate:
      late_ = LateLine{sent.entry, std::move(line), sent.textAnswered,
                       clock_.Now()};
      return true;
    case Delivery::kNotSent:
      break;
  }
  // The room is there but its client is backed off.
  return false;
}

void ChatSender::SeeOutLateLine() {
  if (!late_) return;
  const WindowHandle entry = late_->entry;
  if (windows_.Deliver(entry, platform::msg::kNull, 0, 0) !=
      Delivery::kAnswered) {
    if (clock_.Now() - late_->watchedSince < kPatience) return;
    Tell(late_->line.onDone, Outcome::kLost);
  } else {
    const std::string box = windows_.GetText(entry);
    if (box == late_->line.text) {
      windows_.Send(entry, platform::msg::kChar, kEnterKey, 0);
      Tell(late_->line.onDone, Outcome::kPosted);
    } else if (box.empty() && late_->textAnswered) {
      // Its Enter was taken late: the client posted the line.
      Tell(late_->line.onDone, Outcome::kPosted);
    } else if (box.empty()) {
      // The client never took the text: it goes again, first.
      waiting_.push_front(std::move(late_->line));
    } else {
      Tell(late_->line.onDone, Outcome::kLost);
    }
  }
  late_.reset();
}

void ChatSender::KeepTimer() {
  if (late_ || !waiting_.empty()) {
    if (!retry_) retry_ = timers_.Start(kWatchInterval, [this] { Flush(); });
    return;
  }
  // Stopped last: this may run inside the timer's own tick.
  retry_.reset();
}

}  // namespace tavrin::chat
