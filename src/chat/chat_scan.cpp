#include "chat/chat_scan.h"

#include <algorithm>
#include <optional>
#include <vector>
#include <utility>

#include "chat/chat_room.h"

namespace tavrin::chat {
namespace {

using platform::kNoWindow;
using platform::WindowHandle;

constexpr std::string_view kLineEnds = "\r\n";

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

// Past the line end at `end`: CR LF is one line end, a lone CR or LF too.
std::size_t PastLineEnd(const std::string& text, std::size_t end) {
  return text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n'
             ? end + 2
             : end + 1;
}

// The LF of a CR LF whose CR ended a line at the end of an earlier read.
std::size_t PastSplitLineEnd(const std::string& text, std::size_t at) {
  return at > 0 && at < text.size() && text[at - 1] == '\r' && text[at] == '\n'
             ? at + 1
             : at;
}

}  // namespace

ChatScan::ChatScan(platform::ForeignWindows& windows, platform::Timers& timers,
                   const platform::Clock& clock)
    : windows_(windows),
      clock_(clock),
      poll_(timers, [this] { Poll(); }),
      reports_(windows, [this] { Poll(); }) {}

void ChatScan::SetLineHandler(LineHandler handler) {
  onLine_ = std::move(handler);
}

void ChatScan::Start() {
  if (poll_.Running()) return;
  // What the room holds at the start is history.
  room_ = kNoWindow;
  Poll();
  poll_.Every(kPollInterval);
}

void ChatScan::Quiet() {
  ++quietPolls_;
  if (reports_.ReportsAll()) {
    if (quietPolls_ >= kReportedQuietPolls) {
      PollEvery(kReportedQuietPollInterval);
    }
  } else if (quietPolls_ >= kQuietPolls) {
    PollEvery(kQuietPollInterval);
  }
}

void ChatScan::PollEvery(platform::Milliseconds interval) {
  // Not before the start: a poll that runs first sets no pace.
  if (poll_.Running()) poll_.Every(interval);
}

void ChatScan::FindRoom() {
  if (room_ != kNoWindow &&
      windows_.FindChild(room_, kNoWindow, kRoomChildClasses[0]) ==
          transcript_) {
    return;
  }
  const WindowHandle room = FindChatRoom(windows_, Pump::kNever);
  const WindowHandle transcript =
      room == kNoWindow
          ? kNoWindow
          : windows_.FindChild(room, kNoWindow, kRoomChildClasses[0]);
  if (room == room_ && transcript == transcript_) return;
  room_ = room;
  transcript_ = transcript;
  unread_ = true;
  trimmed_ = false;
  reports_.Follow(transcript);
  quietPolls_ = 0;
  PollEvery(kPollInterval);
}

void ChatScan::TakeAllAsSeen(std::string text) {
  unread_ = false;
  text_ = std::move(text);
  seen_ = text_.size();
  // An unfinished last line is history too, up to its line end yet to come.
  inHistoryLine_ = seen_ != 0 && !IsLineEnd(text_.back());
}

void ChatScan::Poll() {
  std::optional<std::size_t> length;
  if (transcript_ != kNoWindow) length = windows_.GetTextLength(transcript_);
  if (!length) {
    // Gone, no longer a room's, or not answering: a room that does not
    // answer is asked again at the next poll.
    FindRoom();
    if (transcript_ == kNoWindow) {
      Quiet();
      return;
    }
    length = windows_.GetTextLength(transcript_);
    if (!length) return;
  }
  const bool sameLength = !unread_ && *length == length_;
  // A reported change is read even at the same length: a client that
  // drops a line as long as the one it adds keeps it.
  const bool told = reports_.TakeReport();
  if (sameLength && !told && !RereadDue()) {
    Quiet();
    return;
  }
  readAt_ = clock_.Now();
  length_ = *length;
  if (*length == 0) {
    TakeAllAsSeen({});
    return;
  }
  std::string text = windows_.GetText(transcript_);
  // A read that fails after the length was answered changes nothing; the
  // next poll reads whatever length it finds.
  if (text.empty()) {
    length_ = std::string::npos;
    return;
  }
  if (sameLength && text == text_) {
    Quiet();
    return;
  }
  reports_.Changed(told, poll_.Interval() == kReportedQuietPollInterval);
  quietPolls_ = 0;
  PollEvery(kPollInterval);
  const std::size_t from = unread_ ? std::string::npos : Resume(text);
  if (from == std::string::npos) {
    // A new room, or a transcript the client cleared or rewrote: what is
    // there now is history.
    TakeAllAsSeen(std::move(text));
    return;
  }
  text_ = std::move(text);
  seen_ = from;
  QueueCompleteLines();
  RaiseQueuedLines();
}

bool ChatScan::RereadDue() {
  const auto kibs = static_cast<platform::Milliseconds::rep>(length_ / 1024);
  // A client that reports its changes reports a trim too: the reread is
  // only the safety net's.
  const bool often = trimmed_ && !reports_.ReportsAll();
  const platform::Milliseconds after = std::max(
      often ? kRereadAfterTrimmed : kRereadAfter, kRereadTimePerKiB * kibs);
  return clock_.Now() - readAt_ >= after;
}

std::size_t ChatScan::Resume(const std::string& text) {
  if (text.compare(0, seen_, text_, 0, seen_) == 0) return seen_;
  // The client dropped its oldest lines: the longest part of what was seen
  // that begins a line and that the transcript now begins with is where
  // the scan left off. One line alike is too little to tell a trim from a
  // rewrite that happens to begin with it (old lines would come again), so
  // two lines must stay, unless no more than two were seen.
  std::vector<std::size_t> starts;
  for (std::size_t end = text_.find_first_of(kLineEnds);
       end != std::string::npos && end < seen_;
       end = text_.find_first_of(kLineEnds, starts.back())) {
    starts.push_back(PastLineEnd(text_, end));
  }
  const std::size_t lines = starts.size();
  for (std::size_t i = 0; i < lines && starts[i] < seen_; ++i) {
    const std::size_t kept = lines - 1 - i;
    if (kept < 2 && lines > 2) break;
    const std::size_t overlap = seen_ - starts[i];
    if (text.compare(0, overlap, text_, starts[i], overlap) == 0) {
      trimmed_ = true;
      return overlap;
    }
  }
  return std::string::npos;
}

void ChatScan::QueueCompleteLines() {
  for (;;) {
    seen_ = PastSplitLineEnd(text_, seen_);
    const std::size_t end = text_.find_first_of(kLineEnds, seen_);
    if (end == std::string::npos) return;
    const std::string_view line =
        std::string_view(text_).substr(seen_, end - seen_);
    seen_ = PastLineEnd(text_, end);
    if (std::exchange(inHistoryLine_, false)) continue;
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos || colon + 1 >= line.size() ||
        line[colon + 1] != '\t') {
      continue;
    }
    queued_.push_back({std::string(line.substr(0, colon)),
                       std::string(line.substr(colon + 2))});
  }
}

void ChatScan::RaiseQueuedLines() {
  // Each line leaves the queue before it is raised: a poll inside the
  // handler raises the ones after it, in order, and the lines it read
  // itself after those.
  while (!queued_.empty()) {
    const Line line = std::move(queued_.front());
    queued_.pop_front();
    if (!onLine_) continue;
    const LineHandler handler = onLine_;
    handler(line.speaker, line.text);
  }
}

}  // namespace tavrin::chat
