// The chat scan against the stand-in chat client, driven by the fuzzer's
// bytes: lines by anyone with any bytes, halves of lines, cuts, rewrites,
// a client that keeps only its last lines, rooms opened and closed, a
// client that hangs, closes and comes back, and time passing. A model kept here says of every line of every transcript
// whether the scan must raise it, may raise it, or must never raise it;
// every raised line is held against it, and once the client answers again
// after a quiet spell every line that must be raised has been, once.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "chat/chat_scan.h"
#include "forwarding_windows.h"
#include "fuzz_input.h"
#include "platform/hung_peer_guard.h"
#include "sim/sim_chat.h"
#include "sim/sim_desktop.h"
#include "sim/sim_foreign_windows.h"
#include "sim/virtual_clock.h"
#include "standins/peer_interface.h"

namespace tavrin::fuzz {
namespace {

using platform::kNoWindow;
using platform::Milliseconds;
using platform::WindowHandle;

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

// What a line of a transcript may do.
enum class Expect {
  kNever,  // history, or gone before the scan could read it
  kMay,    // came while the scan had not yet seen a cut, a rewrite or a new
           // room, or was read just before its room changed: at most once
  kMust,   // came while the scan was following its room: exactly once
};

struct Line {
  Expect expect = Expect::kNever;
  bool complete = false;  // its line end is there
  bool read = false;      // complete in a transcript the scan has read
  bool chat = false;      // "<speaker>:<TAB><text>"
  std::string speaker;
  std::string text;
};

struct Room {
  WindowHandle window = kNoWindow;
  WindowHandle transcript = kNoWindow;
  bool open = true;
  std::string text;                 // what its transcript holds
  std::vector<std::size_t> lines;   // into ScanHarness::lines_, in order
  std::vector<std::size_t> starts;  // where each line starts in text
  std::vector<std::size_t> ends;    // past its line end, or the text's end
  std::string readText;  // what the scan read of it last
  // Bytes of readText the client dropped from the front since.
  std::size_t droppedSinceRead = 0;
};

// Where lines start in the text, CR LF being one line end: 0 first.
std::vector<std::size_t> LineStarts(const std::string& text) {
  std::vector<std::size_t> starts{0};
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    starts.push_back(i + 1);
  }
  return starts;
}

enum class Step : std::uint8_t {
  kSay,     // the client adds "<speaker>:<TAB><text>" CR LF
  kAppend,  // bytes with no line end of their own: half a line
  kFinish,  // bytes, then CR LF
  kClear,
  kCutTail,      // keeps the first n bytes
  kCutHead,      // drops the first n bytes, as a client trimming history
  kRewriteByte,  // one byte anywhere becomes another
  kReplace,      // the whole transcript becomes other bytes
  kOpenRoom,
  kCloseRoom,
  kCloseClient,
  kStartClient,
  kHang,
  kSlow,
  kAdvance,
  kStart,
  kPoll,
  kPump,
  kDecoys,
  kOnNextLine,  // a step the line handler takes when the next line comes
  kLater,       // a step that arrives as input while the program pumps
  kCap,         // the client keeps only its last n lines from now on
  kReports,     // the client reports its texts' changes from now on, or not
  kCount,
};

constexpr const char* kStepNames[] = {
    "say",          "append",       "finish",  "clear",     "cut-tail",
    "cut-head",     "rewrite-byte", "replace", "open-room", "close-room",
    "close-client", "start-client", "hang",    "slow",      "advance",
    "start",        "poll",         "pump",    "decoys",    "on-next-line",
    "later",        "cap",          "reports"};
static_assert(std::size(kStepNames) == static_cast<std::size_t>(Step::kCount));

struct Op {
  Step step = Step::kPoll;
  std::size_t room = 1;  // among the client's rooms, from 1
  std::size_t number = 0;
  std::uint8_t byte = 0;
  std::string speaker;
  std::string text;
  bool pollAfter = false;
};

// The steps that may run inside the scan (in its handler or in a pump):
// none of them moves the clock on or arms another step.
bool Nestable(Step step) {
  return step != Step::kAdvance && step != Step::kOnNextLine &&
         step != Step::kLater;
}

Op ReadOp(FuzzInput& input) {
  Op op;
  op.step =
      static_cast<Step>(input.Below(static_cast<std::size_t>(Step::kCount)));
  switch (op.step) {
    case Step::kSay:
      op.room = 1 + input.Below(3);
      op.speaker = input.Bytes(12);
      op.text = input.Bytes(40);
      break;
    case Step::kAppend:
    case Step::kFinish:
    case Step::kReplace:
      op.room = 1 + input.Below(3);
      op.text = input.Bytes(40);
      break;
    case Step::kClear:
    case Step::kCloseRoom:
      op.room = 1 + input.Below(3);
      break;
    case Step::kCutTail:
    case Step::kCutHead:
      op.room = 1 + input.Below(3);
      op.number = input.Byte();
      break;
    case Step::kRewriteByte:
      op.room = 1 + input.Below(3);
      op.number = input.Byte();
      op.byte = input.Byte();
      break;
    case Step::kOpenRoom:
    case Step::kStartClient:
      op.text = input.Bytes(8);  // the room's or the screen name
      break;
    case Step::kHang:
    case Step::kSlow:
      op.number = std::size_t{input.Byte()} * 8;  // up to about 2 s
      break;
    case Step::kAdvance:
      op.number = input.Byte();  // up to five polls
      break;
    case Step::kDecoys:
      op.number = 1 + input.Below(3);
      break;
    case Step::kCap:
      op.number = input.Below(6);
      break;
    case Step::kReports:
      op.number = input.Below(2);
      break;
    case Step::kOnNextLine:
    case Step::kLater:
      op.number = input.Byte();
      break;
    case Step::kCloseClient:
    case Step::kStart:
    case Step::kPoll:
    case Step::kPump:
    case Step::kCount:
      break;
  }
  return op;
}

// The foreign-windows port as the scan sees it, telling the harness what
// the scan reads and what it got.
class WatchedWindows final : public testing::ForwardingWindows {
 public:
  struct Watcher {
    virtual void BeforeRead(WindowHandle window, bool text) = 0;
    virtual void AfterRead(WindowHandle window, const std::string& text) = 0;
    // The client reported a change of the window's text to the scan.
    virtual void Reported(WindowHandle window) = 0;

   protected:
    ~Watcher() = default;
  };

  WatchedWindows(platform::ForeignWindows& inner, Watcher& watcher)
      : ForwardingWindows(inner), watcher_(watcher) {}

  std::optional<std::size_t> GetTextLength(WindowHandle window) override {
    watcher_.BeforeRead(window, false);
    const std::optional<std::size_t> length =
        ForwardingWindows::GetTextLength(window);
    // An empty transcript is read by its length alone.
    if (length == 0u) watcher_.AfterRead(window, std::string());
    return length;
  }
  std::optional<std::string> ReadText(WindowHandle window) override {
    watcher_.BeforeRead(window, true);
    std::optional<std::string> text = ForwardingWindows::ReadText(window);
    watcher_.AfterRead(window, text.value_or(std::string()));
    return text;
  }
  std::unique_ptr<platform::TextWatch> WatchText(
      WindowHandle window, std::function<void()> onChange) override {
    return ForwardingWindows::WatchText(
        window, [this, window, onChange = std::move(onChange)] {
          watcher_.Reported(window);
          onChange();
        });
  }

 private:
  Watcher& watcher_;
};

class ScanHarness final : private WatchedWindows::Watcher {
 public:
  explicit ScanHarness(bool ansi)
      : charset_(ansi ? sim::SimDesktop::Charset::kAnsi
                      : sim::SimDesktop::Charset::kUnicode) {
    chat_ = std::make_unique<sim::SimChat>(
        desktop_, standins::kDefaultScreenName, charset_);
    scan_.SetLineHandler(
        [this](std::string_view speaker, std::string_view text) {
          OnLine(speaker, text);
        });
    Refresh();
  }

  void Run(FuzzInput& input) {
    for (int steps = 0; steps < 400 && !input.Empty(); ++steps) {
      const Op op = ReadOp(input);
      if (op.step == Step::kOnNextLine || op.step == Step::kLater) {
        Op inner = ReadOp(input);
        if (!Nestable(inner.step)) inner.step = Step::kPoll;
        inner.pollAfter = (op.number & 1) != 0;
        if (op.step == Step::kOnNextLine) {
          armed_ = inner;
        } else {
          const Milliseconds arrival =
              clock_.Now() + Milliseconds(op.number / 2);
          lastArrival_ = std::max(lastArrival_, arrival);
          clock_.ScheduleInput(arrival, [this, inner] { Do(inner); });
        }
        continue;
      }
      Do(op);
    }
    Finish();
  }

 private:
  // --- The world -----------------------------------------------------------

  WindowHandle TranscriptOf(std::size_t room) const {
    const WindowHandle window = chat_->RoomWindow(room);
    return window == kNoWindow
               ? kNoWindow
               : desktop_.FindWindowEx(window, kNoWindow,
                                       standins::peer::kTranscriptClass);
  }

  // The client's own change of a transcript.
  void Rewrite(std::size_t room,
               std::string (*change)(const std::string&, const Op&),
               const Op& op) {
    const WindowHandle transcript = TranscriptOf(room);
    if (transcript == kNoWindow) return;
    desktop_.SetTextOf(transcript, change(desktop_.TextOf(transcript), op));
  }

  void Do(const Op& op) {
    if (Tracing()) {
      std::fprintf(stderr, "%6lld ms  %s room %zu number %zu byte %u %s %s%s\n",
                   static_cast<long long>(clock_.Now().count()),
                   kStepNames[static_cast<std::size_t>(op.step)], op.room,
                   op.number, op.byte, Shown(op.speaker).c_str(),
                   Shown(op.text).c_str(), op.pollAfter ? " then poll" : "");
    }
    switch (op.step) {
      case Step::kSay:
        chat_->AddLine(op.room, op.speaker, op.text);
        break;
      case Step::kAppend:
        Rewrite(
            op.room,
            [](const std::string& now, const Op& o) { return now + o.text; },
            op);
        break;
      case Step::kFinish:
        Rewrite(
            op.room,
            [](const std::string& now, const Op& o) {
              return now + o.text + "\r\n";
            },
            op);
        break;
      case Step::kClear:
        Rewrite(
            op.room,
            [](const std::string&, const Op&) { return std::string(); }, op);
        break;
      case Step::kCutTail:
        Rewrite(
            op.room,
            [](const std::string& now, const Op& o) {
              return now.substr(0, now.empty() ? 0 : o.number % now.size());
            },
            op);
        break;
      case Step::kCutHead:
        Rewrite(
            op.room,
            [](const std::string& now, const Op& o) {
              return now.empty() ? now : now.substr(1 + o.number % now.size());
            },
            op);
        break;
      case Step::kRewriteByte:
        Rewrite(
            op.room,
            [](const std::string& now, const Op& o) {
              std::string changed = now;
              if (!changed.empty()) {
                char& at = changed[o.number % changed.size()];
                at = static_cast<char>(
                    at == static_cast<char>(o.byte) ? o.byte + 1 : o.byte);
              }
              return changed;
            },
            op);
        break;
      case Step::kReplace:
        Rewrite(
            op.room, [](const std::string&, const Op& o) { return o.text; },
            op);
        break;
      case Step::kOpenRoom:
        chat_->OpenRoom(op.text);
        break;
      case Step::kCloseRoom:
        desktop_.Destroy(chat_->RoomWindow(op.room));
        break;
      case Step::kCloseClient:
        chat_->Close();
        break;
      case Step::kStartClient:
        if (!desktop_.Exists(chat_->Mdi())) {
          chat_ = std::make_unique<sim::SimChat>(desktop_, op.text, charset_);
        }
        break;
      case Step::kHang:
        chat_->Hang(Milliseconds(op.number));
        troubled_ = true;
        break;
      case Step::kSlow:
        chat_->SlowDown(Milliseconds(op.number));
        troubled_ = true;
        break;
      case Step::kAdvance:
        clock_.Advance(Milliseconds(op.number));
        break;
      case Step::kStart:
        StartScan();
        break;
      case Step::kPoll:
        PollNow();
        break;
      case Step::kPump:
        windows_.PumpOnce();
        break;
      case Step::kDecoys:
        // A few are enough to make the room search pump before the room.
        if (decoys_ < 4) {
          chat_->AddDecoys(op.number);
          decoys_ += op.number;
        }
        break;
      case Step::kCap:
        chat_->CapTranscripts(op.number);
        break;
      case Step::kReports:
        chat_->ReportChanges(op.number == 1);
        break;
      case Step::kOnNextLine:
      case Step::kLater:
      case Step::kCount:
        break;
    }
    Refresh();
    if (op.pollAfter) PollNow();
  }

  // One look at the room, as a handler that pumps may give it.
  void PollNow() {
    if (started_) scan_.Poll();
  }

  void StartScan() {
    if (started_) {
      scan_.Start();  // a second start changes nothing
      return;
    }
    started_ = true;
    // Everything there now is history.
    for (Line& line : lines_) line.expect = Expect::kNever;
    pending_ = true;
    scan_.Start();
    Check(scan_.Running(), "the scan runs after its start");
  }

  // The client answers again and stays quiet; the scan gets its polls.
  void Finish() {
    armed_.reset();
    // The steps still to come arrive, and those the clock passed by while
    // the program's thread was blocked run.
    clock_.Advance(std::max(lastArrival_ - clock_.Now(), Milliseconds(0)));
    if (!started_) StartScan();
    chat_->Hang(Milliseconds(0));
    chat_->SlowDown(Milliseconds(0));
    // A client that did not answer is given up for a while after it answers
    // again. The program's thread sits that out blocked, as it may on any
    // machine, rather than polling through it: the polls in between could
    // raise nothing.
    if (troubled_) {
      clock_.Stall(platform::HungPeerGuard::kBackOff +
                   platform::HungPeerGuard::kSendTimeout);
    }
    // A change that kept the length is read within the scan's rereads.
    clock_.Advance(chat::ChatScan::kRereadAfter +
                   chat::ChatScan::kReportedQuietPollInterval * 3);
    const bool allRaised =
        std::any_of(reached_.begin(), reached_.end(),
                    [this](std::size_t at) { return MustFrom(at) == kNone; });
    Check(allRaised,
          "a line added while the scan followed the room was never raised");
  }

  // --- The model -----------------------------------------------------------

  std::size_t CurrentRoom() const {
    for (std::size_t i = 0; i < rooms_.size(); ++i) {
      if (rooms_[i].open) return i;
    }
    return kNone;
  }

  bool IsCurrent(const Room& room) const {
    return current_ != kNone && &rooms_[current_] == &room;
  }

  // Brings the model up to what the desktop holds after a step.
  void Refresh() {
    for (std::size_t k = 1;; ++k) {
      const WindowHandle window = chat_->RoomWindow(k);
      if (window == kNoWindow) break;
      const bool known =
          std::any_of(rooms_.begin(), rooms_.end(),
                      [&](const Room& room) { return room.window == window; });
      if (known || !desktop_.Exists(window)) continue;
      Room room;
      room.window = window;
      room.transcript = TranscriptOf(k);
      rooms_.push_back(std::move(room));
    }
    for (Room& room : rooms_) {
      if (!room.open) continue;
      if (!desktop_.Exists(room.transcript)) {
        Gone(room);
        continue;
      }
      const std::string text = desktop_.TextOf(room.transcript);
      if (text != room.text) Changed(room, text);
    }
    const std::size_t now = CurrentRoom();
    if (now != current_) {
      current_ = now;
      if (current_ != kNone) {
        // The room's lines so far are its history.
        for (const std::size_t index : rooms_[current_].lines) {
          lines_[index].expect = Expect::kNever;
        }
      }
      pending_ = true;
    }
  }

  // A line no longer in any transcript: raised only by a poll that read it
  // and is still raising what it read. (A line raised already can be raised
  // no more whatever it expects: the raised lines go on from after it.)
  void Dropped(std::size_t index) {
    Line& line = lines_[index];
    line.expect = line.read ? Expect::kMay : Expect::kNever;
  }

  void Gone(Room& room) {
    room.open = false;
    for (const std::size_t index : room.lines) Dropped(index);
  }

  Expect FreshLine(const Room& room) const {
    if (!started_ || !IsCurrent(room)) return Expect::kNever;
    return pending_ ? Expect::kMay : Expect::kMust;
  }

  void Changed(Room& room, const std::string& text) {
    std::size_t common = 0;
    while (common < room.text.size() && common < text.size() &&
           room.text[common] == text[common]) {
      ++common;
    }
    if (common == room.text.size()) {
      Extend(room, text, FreshLine(room));
      return;
    }
    if (TrimmedFront(room, text)) return;
    // Cut or rewritten. The whole lines before the first changed byte stay
    // what they were, but the scan may now take them as seen.
    std::size_t keep = 0;
    while (keep < room.lines.size() && lines_[room.lines[keep]].complete &&
           room.ends[keep] <= common) {
      Line& line = lines_[room.lines[keep]];
      if (line.expect == Expect::kMust) line.expect = Expect::kMay;
      ++keep;
    }
    for (std::size_t i = keep; i < room.lines.size(); ++i)
      Dropped(room.lines[i]);
    const std::size_t kept = keep == 0 ? 0 : room.ends[keep - 1];
    room.lines.resize(keep);
    room.starts.resize(keep);
    room.ends.resize(keep);
    room.text.resize(kept);
    if (IsCurrent(room)) pending_ = true;
    Extend(room, text,
           started_ && IsCurrent(room) ? Expect::kMay : Expect::kNever);
  }

  // The client dropped its oldest whole lines, perhaps adding some at the
  // end: the lines that stay keep what they expect while the scan can still
  // find, among them, lines it read last; otherwise it takes what is there
  // as history.
  bool TrimmedFront(Room& room, const std::string& text) {
    for (std::size_t dropped = 1; dropped <= room.lines.size(); ++dropped) {
      if (!lines_[room.lines[dropped - 1]].complete) return false;
      const std::size_t from = room.ends[dropped - 1];
      const std::size_t rest = room.text.size() - from;
      if (text.compare(0, rest, room.text, from, rest) != 0) continue;
      for (std::size_t i = 0; i < dropped; ++i) Dropped(room.lines[i]);
      room.lines.erase(room.lines.begin(), room.lines.begin() + dropped);
      room.starts.erase(room.starts.begin(), room.starts.begin() + dropped);
      room.ends.erase(room.ends.begin(), room.ends.begin() + dropped);
      for (std::size_t& at : room.starts) at -= from;
      for (std::size_t& at : room.ends) at -= from;
      room.text.erase(0, from);
      room.droppedSinceRead += from;
      const bool anchored =
          std::any_of(room.lines.begin(), room.lines.end(),
                      [this](std::size_t index) { return lines_[index].read; });
      if (!anchored) {
        for (const std::size_t index : room.lines) {
          if (lines_[index].expect == Expect::kMust) {
            lines_[index].expect = Expect::kMay;
          }
        }
        if (IsCurrent(room)) pending_ = true;
      }
      Extend(room, text, FreshLine(room));
      return true;
    }
    return false;
  }

  // The transcript grew from room.text to text.
  void Extend(Room& room, const std::string& text, Expect fresh) {
    std::size_t at = room.ends.empty() ? 0 : room.ends.back();
    bool resume = false;
    if (!room.lines.empty() && !lines_[room.lines.back()].complete) {
      at = room.starts.back();
      resume = true;
    }
    room.text = text;
    // The LF of a CR LF whose CR ended the last line.
    if (!resume && at > 0 && at < text.size() && text[at - 1] == '\r' &&
        text[at] == '\n') {
      ++at;
      if (!room.ends.empty()) room.ends.back() = at;
    }
    while (at < text.size()) {
      std::size_t index;
      if (resume) {
        index = room.lines.back();
        resume = false;
      } else {
        index = lines_.size();
        lines_.emplace_back().expect = fresh;
        room.lines.push_back(index);
        room.starts.push_back(at);
        room.ends.push_back(text.size());
      }
      const std::size_t end = text.find_first_of("\r\n", at);
      if (end == std::string::npos) {
        room.ends.back() = text.size();
        break;
      }
      Line& line = lines_[index];
      line.complete = true;
      const std::string_view content =
          std::string_view(text).substr(at, end - at);
      const std::size_t colon = content.find(':');
      line.chat = colon != std::string_view::npos &&
                  colon + 1 < content.size() && content[colon + 1] == '\t';
      if (line.chat) {
        line.speaker = content.substr(0, colon);
        line.text = content.substr(colon + 2);
      }
      // CR LF is one line end, a lone CR or LF too.
      at = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n'
               ? end + 2
               : end + 1;
      room.ends.back() = at;
    }
  }

  // The first complete chat line from `at` on that must be raised.
  std::size_t MustFrom(std::size_t at) const {
    for (; at < lines_.size(); ++at) {
      const Line& line = lines_[at];
      if (line.complete && line.chat && line.expect == Expect::kMust) return at;
    }
    return kNone;
  }

  void BeforeRead(WindowHandle window, bool text) override {
    if (Tracing()) {
      std::fprintf(stderr, "          asks %s of %#llx\n",
                   text ? "text" : "length",
                   static_cast<unsigned long long>(window));
    }
    // The room it kept is asked its length until that fails.
    const bool current = current_ != kNone && window == rooms_[current_].transcript;
    const bool kept = std::any_of(rooms_.begin(), rooms_.end(), [&](const Room& room) {
      return !room.open && room.transcript == window;
    });
    Check(current || (!text && kept),
          "the scan reads a window that is not the open room's transcript");
    if (!current) return;
    if (!text) return;
    // Now and then an unchanged length is read all the same: a client that
    // keeps its last lines may drop one as long as the one it adds. So is
    // one whose client reported a change.
    Check(window != lastRead_ || rooms_[current_].text.size() != lastLength_ ||
              clock_.Now() - lastReadAt_ >= chat::ChatScan::kRereadAfterTrimmed ||
              reportedSinceRead_,
          "the scan read again a transcript whose length had not changed");
    lastReadAt_ = clock_.Now();
  }

  void Reported(WindowHandle window) override {
    if (window == lastRead_) reportedSinceRead_ = true;
  }

  void AfterRead(WindowHandle, const std::string& text) override {
    Room& room = rooms_[current_];
    if (Tracing()) {
      std::fprintf(stderr, "          read %s\n",
                   text == room.text ? Shown(text).c_str() : "failed");
    }
    if (text != room.text) {
      Check(text.empty(),
            "harness: a read that is neither the transcript nor a failure");
      return;
    }
    Ambiguous(room);
    // The scan holds the transcript as it is now: whatever it has not seen
    // of a cut or a new room it sees now.
    pending_ = false;
    reportedSinceRead_ = false;
    lastRead_ = room.transcript;
    lastLength_ = room.text.size();
    for (const std::size_t index : room.lines) {
      if (lines_[index].complete) lines_[index].read = true;
    }
  }

  // What the scan makes of a transcript that no longer begins with what it
  // read last, where lines alike allow more than one reading: a trim that
  // looks smaller than it was (lines that came since pass for lines read),
  // or a cut or a rewrite that begins with two of the lines read last (the
  // lines after them pass for new). It anchors on the longest part of what
  // it read that begins a line and that the transcript begins with, of two
  // lines at least unless it read no more than two; with none, all is
  // history. The lines its reading passes over may go unraised, and those
  // it takes for new may be raised.
  void Ambiguous(Room& room) {
    const std::size_t dropped = std::exchange(room.droppedSinceRead, 0);
    std::string seen = std::exchange(room.readText, room.text);
    const std::size_t lastEnd = seen.find_last_of("\r\n");
    seen.resize(lastEnd == std::string::npos ? 0 : lastEnd + 1);
    if (room.text.compare(0, seen.size(), seen) == 0) {
      // Read as nothing dropped: lines that came since the client dropped
      // some pass for lines read.
      if (dropped == 0) return;
      for (std::size_t i = 0; i < room.lines.size(); ++i) {
        Line& line = lines_[room.lines[i]];
        if (!line.read && room.starts[i] < seen.size() &&
            line.expect == Expect::kMust) {
          line.expect = Expect::kMay;
        }
      }
      return;
    }
    std::vector<std::size_t> starts = LineStarts(seen);
    starts.erase(starts.begin());
    const std::size_t lines = starts.size();
    std::size_t overlap = 0;
    for (std::size_t i = 0; i < lines && starts[i] < seen.size(); ++i) {
      if (lines - 1 - i < 2 && lines > 2) break;
      const std::size_t length = seen.size() - starts[i];
      if (room.text.compare(0, length, seen, starts[i], length) == 0) {
        overlap = length;
        break;
      }
    }
    // A cut or rewrite read as a trim: lines alike at its end may pass for
    // new, even lines raised before, which may then come again.
    if (overlap != 0 && dropped == 0) {
      bool first = true;
      for (std::size_t i = 0; i < room.lines.size(); ++i) {
        if (room.starts[i] < overlap) continue;
        Line& line = lines_[room.lines[i]];
        if (line.expect == Expect::kNever) line.expect = Expect::kMay;
        if (std::exchange(first, false)) {
          reached_.insert(reached_.begin(), room.lines[i]);
        }
      }
    }
    for (std::size_t i = 0; i < room.lines.size(); ++i) {
      Line& line = lines_[room.lines[i]];
      if (line.read) continue;
      if (room.starts[i] < overlap || overlap == 0) {
        if (line.expect == Expect::kMust) line.expect = Expect::kMay;
      } else if (line.expect == Expect::kNever) {
        line.expect = Expect::kMay;
      }
    }
  }

  void OnLine(std::string_view speaker, std::string_view text) {
    if (Tracing()) {
      std::fprintf(stderr, "          raised %s %s\n", Shown(speaker).c_str(),
                   Shown(text).c_str());
    }
    Check(started_, "a line raised before the start");
    Check(speaker.find(':') == std::string_view::npos,
          "a speaker with a colon");
    // Lines alike in speaker and text may be told apart only later, so every
    // line the raised ones can have been so far is kept: from each, the raised
    // line is one of the lines after it that say this and may be raised, up
    // to the first line that must be raised, which cannot be passed over.
    std::vector<std::size_t> reached;
    for (const std::size_t from : reached_) {
      for (std::size_t at = from; at < lines_.size(); ++at) {
        const Line& line = lines_[at];
        if (!line.complete || !line.chat) continue;
        if (line.expect != Expect::kNever && line.speaker == speaker &&
            line.text == text) {
          reached.push_back(at + 1);
        }
        if (line.expect == Expect::kMust) break;
      }
    }
    Check(!reached.empty(),
          "a line raised that is history, another room's, raised before, out "
          "of order, never said, or past a line that had to be raised first");
    // Of two places with no line between them that must be raised, the
    // later one can reach nothing the earlier one cannot.
    std::sort(reached.begin(), reached.end());
    reached_.clear();
    for (const std::size_t at : reached) {
      if (reached_.empty() || MustFrom(reached_.back()) < at)
        reached_.push_back(at);
    }
    if (armed_) {
      const Op op = *armed_;
      armed_.reset();
      Do(op);
    }
  }

  sim::SimDesktop::Charset charset_;
  sim::VirtualClock clock_;
  sim::SimDesktop desktop_{clock_};
  sim::SimForeignWindows simWindows_{desktop_};
  WatchedWindows windows_{simWindows_, *this};
  std::unique_ptr<sim::SimChat> chat_;
  chat::ChatScan scan_{windows_, clock_, clock_};

  bool started_ = false;
  std::size_t decoys_ = 0;
  Milliseconds lastArrival_{0};  // of the steps scheduled as input
  bool troubled_ = false;        // the client was told to hang or be slow
  bool pending_ = true;          // a change the scan has not read yet
  std::vector<Room> rooms_;
  std::size_t current_ = kNone;
  std::vector<Line> lines_;  // every line ever, in the order it came
  // Where the next raised line may be found from: just after each line that
  // the last raised line can have been.
  std::vector<std::size_t> reached_{0};
  WindowHandle lastRead_ = kNoWindow;
  std::size_t lastLength_ = 0;
  bool reportedSinceRead_ = false;
  Milliseconds lastReadAt_{0};  // when the scan last asked for the text
  std::optional<Op> armed_;
};

}  // namespace
}  // namespace tavrin::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  tavrin::fuzz::FuzzInput input(data, size);
  tavrin::fuzz::ScanHarness harness((input.Byte() & 1) != 0);
  harness.Run(input);
  return 0;
}
