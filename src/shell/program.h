#pragma once

#include <memory>
#include <optional>

#include "chat/chat_scan.h"
#include "chat/chat_sender.h"
#include "commands/command_target.h"
#include "commands/commands_host.h"
#include "commands/waiting_commands.h"
#include "settings/options_host.h"
#include "settings/save_frm.h"
#include "shell/menu_frm.h"
#include "shell/ports.h"
#include "shell/tray_icon.h"

namespace tavrin::report {
class CompilerFRM;
}
namespace tavrin::commands {
class CommandsFRM;
}
namespace tavrin::settings {
class OptionsFRM;
class SongAdvSetupFRM;
}

namespace tavrin::shell {

class AboutFRM;
class IntroFRM;
class MainFRM;
class MessageFRM;

// The program's life: its forms, each created (and loaded) on first
// reference, and the ports they use. A visible form is unloaded at the end
// of its fade-out, so its next reference starts from its design state; the
// hidden holders stay until the end. The windows and the chat commands of
// the folders below reach it only through the interfaces it implements.
class Program : public settings::OptionsHost,
                public commands::CommandsHost,
                public commands::CommandTarget {
 public:
  explicit Program(const Ports& ports);
  ~Program() override;
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // The program starts with its splash window.
  void Start();

  const Ports& ports() const { return ports_; }

  settings::SaveFRM& Save() override;
  report::CompilerFRM& Compiler();
  // The report rebuilt from the player now: what everyone who builds a
  // line, a reply or a tip from it calls (a compiler made here was just
  // built by its creation).
  report::CompilerFRM& FreshReport() override;
  MenuFRM& Menu();
  MainFRM& Main();
  AboutFRM& About();
  MessageFRM& Message();
  IntroFRM& Intro();
  commands::CommandsFRM& Commands();
  settings::OptionsFRM& Options();
  settings::SongAdvSetupFRM& SongAdvSetup();

  TrayIcon& Tray() { return tray_; }
  chat::ChatScan& Scan() { return scan_; }
  // Every line the program posts goes through here.
  chat::ChatSender& Chat() override { return chat_; }
  // Command lines whose speaker could not be decided yet.
  commands::WaitingCommands& WaitingCommandLines() override {
    return waitingCommands_;
  }

  bool MainLoaded() const { return main_ != nullptr; }
  bool AboutLoaded() const { return about_ != nullptr; }
  bool MessageLoaded() const { return message_ != nullptr; }
  bool IntroLoaded() const { return intro_ != nullptr; }
  bool CompilerLoaded() const { return compiler_ != nullptr; }
  bool CommandsLoaded() const { return commands_ != nullptr; }
  bool OptionsLoaded() const { return options_ != nullptr; }
  bool SongAdvSetupLoaded() const { return songAdvSetup_ != nullptr; }

  // A window that faded out hands over by its return tag: "MAIN" brings
  // the main window back unless it sits in the tray, any other tag
  // nothing.
  void HandBack(std::string_view returnTag) override;

  // Called by a form as the last thing it does.
  void UnloadIntro();
  void UnloadAbout();
  void UnloadMessage();
  void UnloadCommands() override;
  void UnloadOptions() override;
  void UnloadSongAdvSetup() override;

  // Shows the commands window: its load shows it the first time; when it
  // is loaded already it is only made visible and active again, and a
  // fade-out it is in goes on to its end.
  void ShowCommands() override;
  // The Options window: loaded (and so shown) when it is not loaded, and
  // otherwise shown again as it was left, as when the setup window hands
  // back.
  void ShowOptions() override;
  // The setup window: loaded by the first call, made visible again while it
  // is loaded.
  void ShowSongAdvSetup() override;

  // Another start of the program handed over to this one: the main window
  // comes out of the tray, and the window the user was in comes forward.
  // Nothing while the splash, which is in front, is still up.
  void BringForward();

  // Ends the process at once; no form is unloaded.
  void EndProgram();

 private:
  // Asked for only through the interfaces: everything else in the shell
  // has ports() and Main().
  platform::FormsToolkit& Forms() override { return ports_.forms; }
  platform::Timers& Timers() override { return ports_.timers; }
  platform::ProfileFile& Profile() override { return ports_.profile; }
  platform::FileNames& FileNames() override { return ports_.fileNames; }
  platform::ForeignWindows& Windows() override { return ports_.windows; }
  platform::LocalTime& LocalTime() override { return ports_.localTime; }
  void MinimizeToTray() override;
  void RestoreFromTray() override;
  void ExitProgram() override;

  void AutoAdvTick();

  Ports ports_;
  TrayIcon tray_;
  chat::ChatScan scan_;
  chat::ChatSender chat_;
  commands::WaitingCommands waitingCommands_;
  std::optional<settings::SaveFRM> save_;
  std::optional<MenuFRM> menu_;
  std::unique_ptr<report::CompilerFRM> compiler_;
  std::unique_ptr<MainFRM> main_;
  std::unique_ptr<AboutFRM> about_;
  std::unique_ptr<MessageFRM> message_;
  std::unique_ptr<IntroFRM> intro_;
  std::unique_ptr<commands::CommandsFRM> commands_;
  std::unique_ptr<settings::OptionsFRM> options_;
  std::unique_ptr<settings::SongAdvSetupFRM> songAdvSetup_;
};

}  // namespace tavrin::shell
