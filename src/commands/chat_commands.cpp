#include "commands/chat_commands.h"

#include <optional>
#include <string>

#include "chat/chat_sender.h"
#include "chat/screen_name.h"
#include "commands/command_target.h"
#include "commands/waiting_commands.h"
#include "forms/guarded.h"
#include "player/winamp_api.h"
#include "report/compiler_frm.h"

namespace tavrin::commands {
namespace {

using forms::Guarded;
using report::CompilerFRM;

// Only ASCII letters change: every command word is ASCII, and a line with
// any other character is no command.
char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::optional<ChatCommand> CommandOf(std::string_view line) {
  for (const CommandWord& entry : kCommandWords) {
    if (entry.word.size() != line.size()) continue;
    bool same = true;
    for (std::size_t i = 0; same && i < line.size(); ++i) {
      same = AsciiLower(line[i]) == entry.word[i];
    }
    if (same) return entry.command;
  }
  return std::nullopt;
}

// Sends the line; the send pumps, so nothing read before it is used after.
void Send(CommandTarget& target, const std::string& line) {
  Guarded([&] { target.Chat().Send(line); });
}

// The decoration, read anew for every reply, then the reply's own text.
void Reply(CommandTarget& target, std::string_view text) {
  std::string line;
  Guarded([&] { line = target.Save().Ascii; });
  line += text;
  Send(target, line);
}

void ReplyWithField(CommandTarget& target, std::string_view label,
                    std::string CompilerFRM::*field) {
  std::string text(label);
  Guarded([&] { text += target.FreshReport().*field; });
  Reply(target, text);
}

// The player is given the command first, then the report is rebuilt at
// once (it may still show the state from before the player acted) and
// posted.
template <typename Command>
void Transport(CommandTarget& target, Command&& command) {
  platform::ForeignWindows& windows = target.Windows();
  Guarded([&] { command(windows); });
  std::string report;
  Guarded([&] { report = target.FreshReport().Data; });
  Send(target, report);
}

void Play(platform::ForeignWindows& windows) {
  if (player::GetPlayState(windows) == player::kPaused) {
    player::WinampPlay(windows);
  }
  if (player::GetPlayState(windows) == player::kStopped) {
    player::WinampPlay(windows);
  }
}

void Perform(CommandTarget& target, ChatCommand command) {
  switch (command) {
    case ChatCommand::kTime:
      return Reply(target,
                   " The Time is: " + target.LocalTime().TimeOfDay() + ".");
    case ChatCommand::kDate:
      return Reply(target,
                   " The Date is: " + target.LocalTime().Today() + ".");
    case ChatCommand::kPlay:
      return Transport(target, Play);
    case ChatCommand::kNext:
      return Transport(target, player::WinampNext);
    case ChatCommand::kPrevious:
      return Transport(target, player::WinampPrevious);
    case ChatCommand::kPause:
      return Transport(target, [](platform::ForeignWindows& windows) {
        if (player::GetPlayState(windows) == player::kPlaying) {
          player::WinampPause(windows);
        }
      });
    case ChatCommand::kStop:
      return Transport(target, [](platform::ForeignWindows& windows) {
        if (player::GetPlayState(windows) == player::kPlaying) {
          player::WinampStop(windows);
        }
      });
    case ChatCommand::kAbout:
      return Reply(target, kAdvertLine);
    case ChatCommand::kAdvertise: {
      std::string report;
      Guarded([&] { report = target.FreshReport().Data; });
      return Send(target, report);
    }
    case ChatCommand::kSong:
      return ReplyWithField(target, " Song Name: ", &CompilerFRM::SongName);
    case ChatCommand::kBitRate:
      return ReplyWithField(target, " BitRate: ", &CompilerFRM::BitRate);
    case ChatCommand::kElapsedRemaining: {
      std::string text = " Elapsed/Remaining: ";
      Guarded([&] {
        const CompilerFRM& report = target.FreshReport();
        text += report.Elapsed + "/" + report.Remaining;
      });
      return Reply(target, text);
    }
    case ChatCommand::kLength:
      return ReplyWithField(target, " Track Length: ",
                            &CompilerFRM::TrackLength);
    case ChatCommand::kStatus:
      return ReplyWithField(target, " Winamp Status: ", &CompilerFRM::WAStatus);
    case ChatCommand::kMinimize:
      return Guarded([&] { target.MinimizeToTray(); });
    case ChatCommand::kRestore:
      return Guarded([&] { target.RestoreFromTray(); });
    // There is no help of its own: the commands window is the help.
    case ChatCommand::kCommands:
    case ChatCommand::kHelp:
      return Guarded([&] { target.ShowCommands(); });
    case ChatCommand::kExit:
      return Guarded([&] { target.ExitProgram(); });
  }
}

// Decides the lines in order, each once, while the client tells the name.
// A reply pumps, and a line raised inside it joins the queue behind.
void DecideInOrder(CommandTarget& target, WaitingCommands& waiting) {
  while (std::optional<WaitingCommands::Line> line = waiting.TakeFirst()) {
    // The screen name costs a walk of the chat client's windows: asked only
    // for a line that is a command, and anew for each. A failure while
    // reading it makes nobody the owner; a client that shows no name gives
    // the empty one, which only an empty speaker matches.
    std::optional<std::string> name = std::string();
    Guarded([&] { name = chat::ReadScreenName(target.Windows()); });
    if (!name) {
      waiting.PutBack(std::move(*line));
      return;
    }
    if (*name == line->speaker) Guarded([&] { Perform(target, line->command); });
  }
}

}  // namespace

void DispatchChatCommand(CommandTarget& target, std::string_view speaker,
                         std::string_view line) {
  const std::optional<ChatCommand> command = CommandOf(line);
  if (!command) return;
  Guarded([&] {
    target.WaitingCommandLines().Add(std::string(speaker), *command);
  });
  DecideWaitingCommands(target);
}

void DecideWaitingCommands(CommandTarget& target) {
  WaitingCommands& waiting = target.WaitingCommandLines();
  if (waiting.Deciding()) return;
  waiting.SetDeciding(true);
  Guarded([&] { DecideInOrder(target, waiting); });
  waiting.SetDeciding(false);
  Guarded([&] { waiting.KeepTimer(); });
}

}  // namespace tavrin::commands
