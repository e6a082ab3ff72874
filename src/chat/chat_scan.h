#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/clock.h"
#include "platform/foreign_windows.h"
#include "platform/paced_timer.h"
#include "platform/text_reports.h"

namespace tavrin::chat {

// Watches the open chat room and raises one event per new line in it. The
// room's transcript holds one line per message, "<speaker>:<TAB><text>",
// each ended by CR LF, a lone CR or a lone LF; a speaker holds no colon.
//
// Only lines added after the scan started, and since the room last changed,
// are raised, each once and in order. Real clients keep only their last
// lines and drop the oldest as new ones come, so the scan anchors on the
// lines it saw last, not on the transcript's beginning; a transcript whose
// last seen lines are gone (cleared or rewritten) is taken as seen and
// followed from there. A line without its line end waits for the next poll.
//
// The room found is kept while its transcript answers (a transcript that
// does not is looked for again), and a poll that finds the transcript's
// length unchanged reads nothing more, so an idle poll is one length query,
// whatever the room's history. Only now and then is an unchanged transcript
// read all the same: a client that keeps its last lines may drop one as
// long as the one it adds.
// A client may report its transcript's changes (Windows' name and value
// change events): the scan then looks at once, and once a change it found
// came reported, polling is only the safety net, rarer in a quiet room. A
// change that the safety net found unreported shows the client does not
// report them all: its room is polled as before from then on.
// The search never pumps messages (it runs from a timer, perhaps inside a
// menu's or a dialog's own loop), and every send is bounded, so an absent
// or hung room is simply polled again later.
class ChatScan {
 public:
  static constexpr platform::Milliseconds kPollInterval{50};
  // A room whose transcript stayed the same this many polls is polled less
  // often, until it changes again.
  static constexpr int kQuietPolls = 100;
  static constexpr platform::Milliseconds kQuietPollInterval{100};
  // The same for a room whose client reports its changes.
  static constexpr int kReportedQuietPolls = 20;
  static constexpr platform::Milliseconds kReportedQuietPollInterval{1000};
  // A transcript whose length stays the same is read again once this long
  // has passed since it was last read (kRereadAfterTrimmed once its client
  // was seen dropping old lines, unless it reports them), and no sooner than kRereadTimePerKiB for
  // each KiB of it, so that those reads cost little whatever the room's
  // history and however often it is polled.
  static constexpr platform::Milliseconds kRereadAfter{5000};
  static constexpr platform::Milliseconds kRereadAfterTrimmed{500};
  static constexpr platform::Milliseconds kRereadTimePerKiB{50};

  using LineHandler =
      std::function<void(std::string_view speaker, std::string_view text)>;

  ChatScan(platform::ForeignWindows& windows, platform::Timers& timers,
           const platform::Clock& clock);

  // Told of each new line. The handler may pump messages, and so run a
  // poll inside: the lines a poll read wait in a queue, and a poll inside
  // the handler adds what it reads behind them.
  void SetLineHandler(LineHandler handler);

  // The program's one start-up call: from now on the room is watched.
  void Start();
  bool Running() const { return poll_.Running(); }

  // One look at the room (what each tick of the scan does).
  void Poll();

 private:
  // The room with its transcript: the kept one when it still has it,
  // otherwise the one found now, which starts as unread.
  void FindRoom();
  // Everything in the transcript now counts as seen.
  void TakeAllAsSeen(std::string text);
  // The length is the same as at the last read: whether to read all the same.
  bool RereadDue();
  // One more poll that found nothing new.
  void Quiet();
  // Polls every `interval` from now on.
  void PollEvery(platform::Milliseconds interval);
  // Where the part not yet seen begins in `text`, or npos when nothing seen
  // last is there any more.
  std::size_t Resume(const std::string& text);
  // Takes the complete lines after seen_ into the queue.
  void QueueCompleteLines();
  void RaiseQueuedLines();

  platform::ForeignWindows& windows_;
  const platform::Clock& clock_;
  LineHandler onLine_;
  platform::PacedTimer poll_;
  platform::WindowHandle room_ = platform::kNoWindow;
  platform::WindowHandle transcript_ = platform::kNoWindow;
  platform::TextReports reports_;
  bool unread_ = true;      // the room was not read since it was found
  std::size_t length_ = 0;  // the transcript's length at the last read
  std::string text_;        // the transcript at the last read
  std::size_t seen_ = 0;    // bytes of text_ queued or taken as seen
  struct Line {
    std::string speaker;
    std::string text;
  };
  std::deque<Line> queued_;  // read, not raised yet
  // What was taken as seen ended inside a line: the rest of that line,
  // when it comes, is not a line of its own.
  bool inHistoryLine_ = false;
  bool trimmed_ = false;  // the client was seen dropping old lines
  platform::Milliseconds readAt_{0};  // when the transcript was last read
  int quietPolls_ = 0;
};

}  // namespace tavrin::chat
