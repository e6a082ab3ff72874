#pragma once

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>

#include "standins/player_model.h"

// The driver channel of the stand-ins: one text command at a time, from a
// test or the demo. The same commands reach the stand-ins hosted in the sim
// and the stand-in programs (there through WM_COPYDATA).
//
// Player: add <seconds> <kbps> <name> | clear | select <n> | play | pause |
//         stop | next | prev | seek <ms> | numbers on|off | scroll <ms>|off |
//         hang <ms> | reports on|off | close
// Chat:   say <room n> <speaker> <text> | open <room name> | signon <name> |
//         decoys <n> | hang <ms> | slow <ms> | cap <lines> | reports on|off |
//         close
namespace tavrin::standins {

// What only the host of a stand-in can do.
class StandinHost {
 public:
  virtual ~StandinHost() = default;
  // Stops answering any window message for the given time.
  virtual void Hang(std::chrono::milliseconds duration) = 0;
  // Closes the stand-in's windows (a program ends).
  virtual void Close() = 0;
  // Whether it reports each change of a window's text (the transcripts',
  // the player's title) to whoever watches it, as Windows does for a
  // window's own text.
  virtual void ReportChanges(bool on) = 0;
};

class PlayerHost : public StandinHost {
 public:
  virtual PlayerModel& Player() = 0;
  // Called after the driver changed what the title shows.
  virtual void TitleChanged() = 0;
};

class ChatHost : public StandinHost {
 public:
  // Adds someone's line to room n (1-based) as the client would show it.
  virtual bool AddLine(std::size_t room, std::string_view speaker,
                       std::string_view text) = 0;
  virtual void OpenRoom(std::string_view name) = 0;
  virtual void SignOn(std::string_view screenName) = 0;
  // Adds n "AOL Child" windows that are no rooms, in front of all others.
  virtual void AddDecoys(std::size_t count) = 0;
  // Takes the next text given to an entry box at once, then answers
  // nothing for the given time, as a client busy over it would.
  virtual void SlowDown(std::chrono::milliseconds duration) = 0;
  // Keeps only the last `lines` lines of each transcript from now on, as
  // real clients do (0: all of them).
  virtual void CapTranscripts(std::size_t lines) = 0;
};

// Each returns false for a command it does not know or cannot carry out.
bool ApplyPlayerCommand(PlayerHost& host, std::string_view command);
bool ApplyChatCommand(ChatHost& host, std::string_view command);

}  // namespace tavrin::standins
