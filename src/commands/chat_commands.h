#pragma once

#include <array>
#include <string_view>

namespace tavrin::commands {

class CommandTarget;

// What a command word does.
enum class ChatCommand {
  kTime,
  kDate,
  kPlay,
  kNext,
  kPrevious,
  kPause,
  kStop,
  kAbout,
  kAdvertise,
  kSong,
  kBitRate,
  kElapsedRemaining,
  kLength,
  kStatus,
  kMinimize,
  kRestore,
  kCommands,
  kHelp,
  kExit,
};

struct CommandWord {
  std::string_view word;
  ChatCommand command;
};

// The program's advertisement: ".about" replies with it, and About on the
// main window and in the tray menu posts it.
inline constexpr std::string_view kAdvertLine =
    " Tavrin By: Dunmarrow (Kestle). Advertises WinAmp Version 2, 3, and 5 "
    "to the AOL 7, 8, and 9 ChatRoom";

// Every word the room may type, in lower case. Each reply holds a blank and
// no word does, so the program's own replies, coming back as the owner's
// lines, are never taken for commands.
inline constexpr std::array<CommandWord, 31> kCommandWords = {{
    {".time", ChatCommand::kTime},
    {".date", ChatCommand::kDate},
    {".play", ChatCommand::kPlay},
    {".next", ChatCommand::kNext},
    {".prev", ChatCommand::kPrevious},
    {".previous", ChatCommand::kPrevious},
    {".>", ChatCommand::kNext},
    {".<", ChatCommand::kPrevious},
    {".pause", ChatCommand::kPause},
    {".stop", ChatCommand::kStop},
    {".about", ChatCommand::kAbout},
    {".?", ChatCommand::kAbout},
    {".adv", ChatCommand::kAdvertise},
    {".song", ChatCommand::kSong},
    {".bitrate", ChatCommand::kBitRate},
    {".br", ChatCommand::kBitRate},
    {".eandr", ChatCommand::kElapsedRemaining},
    {".e&r", ChatCommand::kElapsedRemaining},
    {".len", ChatCommand::kLength},
    {".length", ChatCommand::kLength},
    {".stat", ChatCommand::kStatus},
    {".status", ChatCommand::kStatus},
    {".mini", ChatCommand::kMinimize},
    {".minimize", ChatCommand::kMinimize},
    {".res", ChatCommand::kRestore},
    {".restore", ChatCommand::kRestore},
    {".commands", ChatCommand::kCommands},
    {".cmds", ChatCommand::kCommands},
    {".help", ChatCommand::kHelp},
    {".exit", ChatCommand::kExit},
    {".end", ChatCommand::kExit},
}};

// The main window's handler of a line posted in the room: acts only when
// the speaker is the user signed on here (same letters, same case) and the
// whole line, case ignored, is a command word. Each step is guarded on its
// own; a failed one is skipped and the next runs. Replies are sent with a
// send that pumps messages, so anything may run inside.
//
// A command whose speaker cannot be decided now (the chat client did not
// answer for the screen name) waits, and lines after it wait behind it.
void DispatchChatCommand(CommandTarget& target, std::string_view speaker,
                         std::string_view line);
// Decides the waiting command lines in order while the client answers;
// what the retries of the waiting lines run.
void DecideWaitingCommands(CommandTarget& target);

}  // namespace tavrin::commands
