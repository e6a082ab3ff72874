#include "commands/chat_commands.h"

#include <optional>
#include <string>

#include "chat/screen_name.h"
#include "commands/waiting_commands.h"
#include "player/winamp_api.h"
#include "report/compiler_frm.h"
#include "shell/guarded.h"
#include "shell/main_frm.h"
#include "shell/program.h"

namespace tavrin::commands {
namespace {

using report::CompilerFRM;
using shell::Guarded;
using shell::Program;

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
void Send(Program& program, const std::string& line) {
  Guarded([&] { program.Chat().Send(line); });
}

// The decoration, read anew for every reply, then the reply's own text.
void Reply(Program& program, std::string_view text) {
  std::string line;
  Guarded([&] { line = program.Save().Ascii; });
  line += text;
  Send(program, line);
}

void ReplyWithField(Program& program, std::string_view label,
                    std::string CompilerFRM::*field) {
  std::string text(label);
  Guarded([&] { text += program.FreshReport().*field; });
  Reply(program, text);
}

// The player is given the command first, then the report is rebuilt at
// once (it may still show the state from before the player acted) and
// posted.
template <typename Command>
void Transport(Program& program, Command&& command) {
  platform::ForeignWindows& windows = program.ports().windows;
  Guarded([&] { command(windows); });
  std::string report;
  Guarded([&] { report = program.FreshReport().Data; });
  Send(program, report);
}

void Play(platform::ForeignWindows& windows) {
  if (player::GetPlayState(windows) == player::kPaused) {
    player::WinampPlay(windows);
  }
  if (player::GetPlayState(windows) == player::kStopped) {
    player::WinampPlay(windows);
  }
}

void Perform(Program& program, ChatCommand command) {
  switch (command) {
    case ChatCommand::kTime:
      return Reply(program, " The Time is: " +
                                program.ports().localTime.TimeOfDay() + ".");
    case ChatCommand::kDate:
      return Reply(program,
                   " The Date is: " + program.ports().localTime.Today() + ".");
    case ChatCommand::kPlay:
      return Transport(program, Play);
    case ChatCommand::kNext:
      return Transport(program, player::WinampNext);
    case ChatCommand::kPrevious:
      return Transport(program, player::WinampPrevious);
    case ChatCommand::kPause:
      return Transport(program, [](platform::ForeignWindows& windows) {
        if (player::GetPlayState(windows) == player::kPlaying) {
          player::WinampPause(windows);
        }
      });
    case ChatCommand::kStop:
      return Transport(program, [](platform::ForeignWindows& windows) {
        if (player::GetPlayState(windows) == player::kPlaying) {
          player::WinampStop(windows);
        }
      });
    case ChatCommand::kAbout:
      return Reply(program, shell::MainFRM::kAdvertLine);
    case ChatCommand::kAdvertise: {
      std::string report;
      Guarded([&] { report = program.FreshReport().Data; });
      return Send(program, report);
    }
    case ChatCommand::kSong:
      return ReplyWithField(program, " Song Name: ", &CompilerFRM::SongName);
    case ChatCommand::kBitRate:
      return ReplyWithField(program, " BitRate: ", &CompilerFRM::BitRate);
    case ChatCommand::kElapsedRemaining: {
      std::string text = " Elapsed/Remaining: ";
      Guarded([&] {
        const CompilerFRM& report = program.FreshReport();
        text += report.Elapsed + "/" + report.Remaining;
      });
      return Reply(program, text);
    }
    case ChatCommand::kLength:
      return ReplyWithField(program, " Track Length: ",
                            &CompilerFRM::TrackLength);
    case ChatCommand::kStatus:
      return ReplyWithField(program, " Winamp Status: ", &CompilerFRM::WAStatus);
    case ChatCommand::kMinimize:
      return Guarded([&] { program.Main().MinimizeToTray(); });
    case ChatCommand::kRestore:
      return Guarded([&] { program.Main().RestoreFromTray(); });
    // There is no help of its own: the commands window is the help.
    case ChatCommand::kCommands:
    case ChatCommand::kHelp:
      return Guarded([&] { program.ShowCommands(); });
    case ChatCommand::kExit:
      return Guarded([&] { program.Main().ExitProgram(); });
  }
}

// Decides the lines in order, each once, while the client tells the name.
// A reply pumps, and a line raised inside it joins the queue behind.
void DecideInOrder(Program& program, WaitingCommands& waiting) {
  while (std::optional<WaitingCommands::Line> line = waiting.TakeFirst()) {
    // The screen name costs a walk of the chat client's windows: asked only
    // for a line that is a command, and anew for each. A failure while
    // reading it makes nobody the owner; a client that shows no name gives
    // the empty one, which only an empty speaker matches.
    std::optional<std::string> name = std::string();
    Guarded([&] { name = chat::ReadScreenName(program.ports().windows); });
    if (!name) {
      waiting.PutBack(std::move(*line));
      return;
    }
    if (*name == line->speaker) Guarded([&] { Perform(program, line->command); });
  }
}

}  // namespace

void DispatchChatCommand(Program& program, std::string_view speaker,
                         std::string_view line) {
  const std::optional<ChatCommand> command = CommandOf(line);
  if (!command) return;
  Guarded([&] {
    program.WaitingCommandLines().Add(std::string(speaker), *command);
  });
  DecideWaitingCommands(program);
}

void DecideWaitingCommands(Program& program) {
  WaitingCommands& waiting = program.WaitingCommandLines();
  if (waiting.Deciding()) return;
  waiting.SetDeciding(true);
  Guarded([&] { DecideInOrder(program, waiting); });
  waiting.SetDeciding(false);
  Guarded([&] { waiting.KeepTimer(); });
}

}  // namespace tavrin::commands
