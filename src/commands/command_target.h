#pragma once

#include "commands/waiting_commands.h"
#include "platform/foreign_windows.h"
#include "platform/local_time.h"
#include "settings/save_frm.h"

namespace tavrin::chat {
class ChatSender;
}
namespace tavrin::report {
class CompilerFRM;
}

namespace tavrin::commands {

// What the chat commands act on: the player and the chat client through
// the foreign windows, the user's clock, the decoration, the song report,
// the line sender, the lines waiting for their speaker, and the few things
// only the program's own windows do.
class CommandTarget {
 public:
  virtual ~CommandTarget() = default;

  virtual platform::ForeignWindows& Windows() = 0;
  virtual platform::LocalTime& LocalTime() = 0;

  virtual const settings::SaveFRM& Save() = 0;
  // The report rebuilt from the player now.
  virtual report::CompilerFRM& FreshReport() = 0;
  // Every line the program posts goes through here.
  virtual chat::ChatSender& Chat() = 0;
  virtual WaitingCommands& WaitingCommandLines() = 0;

  // The main window into the tray and back, and the program's exit, as
  // the main window does them.
  virtual void MinimizeToTray() = 0;
  virtual void RestoreFromTray() = 0;
  virtual void ExitProgram() = 0;
  virtual void ShowCommands() = 0;
};

}  // namespace tavrin::commands
