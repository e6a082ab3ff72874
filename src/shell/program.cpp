#include "shell/program.h"

#include "commands/chat_commands.h"
#include "commands/commands_frm.h"
#include "report/compiler_frm.h"
#include "settings/options_frm.h"
#include "settings/song_adv_setup_frm.h"
#include "shell/about_frm.h"
#include "shell/intro_frm.h"
#include "shell/main_frm.h"
#include "shell/message_frm.h"

namespace tavrin::shell {

Program::Program(const Ports& ports)
    : ports_(ports),
      tray_(ports.tray),
      scan_(ports.windows, ports.timers, ports.clock),
      chat_(ports.windows, ports.clock, ports.timers),
      waitingCommands_(ports.clock, ports.timers) {
  waitingCommands_.SetRetry([this] { commands::DecideWaitingCommands(*this); });
}

Program::~Program() = default;

void Program::Start() { Intro(); }

settings::SaveFRM& Program::Save() {
  if (!save_) save_.emplace();
  return *save_;
}

report::CompilerFRM& Program::Compiler() {
  if (!compiler_) {
    compiler_ = std::make_unique<report::CompilerFRM>(
        ports_.windows, ports_.timers,
        [this]() -> const settings::SaveFRM& { return Save(); });
    compiler_->SetAutoAdvTick([this] { AutoAdvTick(); });
  }
  return *compiler_;
}

report::CompilerFRM& Program::FreshReport() {
  if (!compiler_) return Compiler();
  compiler_->RefreshReport();
  return *compiler_;
}

// The switch read is the main window's box; until that window exists no
// song is advertised. A song counts as advertised once its line went out
// (or found no room to go to); a line the client never took leaves the song
// to be advertised again.
void Program::AutoAdvTick() {
  if (!main_) return;
  std::optional<report::SongLine> line =
      compiler_->NewSongLine(main_->AutoAdv());
  if (!line) return;
  chat_.Send(line->text, [this, song = std::move(line->song)](
                             chat::ChatSender::Outcome outcome) {
    compiler_->SongLineDone(song,
                            outcome != chat::ChatSender::Outcome::kLost);
  });
}

void Program::BringForward() {
  if (!main_) return;
  if (tray_.Shown()) main_->RestoreFromTray();
  // A window opened from the main window hides it while it is open.
  forms::Form* const windows[] = {songAdvSetup_.get(), options_.get(),
                                     about_.get(),        message_.get(),
                                     commands_.get(),     main_.get()};
  for (forms::Form* form : windows) {
    if (form != nullptr && form->Window().IsVisible()) {
      form->Window().Activate();
      return;
    }
  }
  main_->ShowAgain();
}

MenuFRM& Program::Menu() {
  if (!menu_) menu_.emplace();
  return *menu_;
}

// A form referenced during its own load is the one being loaded: it is
// stored before its load runs.
template <typename FormType>
FormType& LoadOnFirstReference(Program& program,
                               std::unique_ptr<FormType>& form) {
  if (!form) {
    form = std::make_unique<FormType>(program);
    form->Load();
  }
  return *form;
}

MainFRM& Program::Main() { return LoadOnFirstReference(*this, main_); }
AboutFRM& Program::About() { return LoadOnFirstReference(*this, about_); }
MessageFRM& Program::Message() { return LoadOnFirstReference(*this, message_); }
IntroFRM& Program::Intro() { return LoadOnFirstReference(*this, intro_); }
commands::CommandsFRM& Program::Commands() {
  return LoadOnFirstReference(*this, commands_);
}

// A loaded form is shown again as it was left; one not loaded is loaded,
// which shows it.
template <typename FormType>
void ShowLoadedAgainOrLoad(Program& program, std::unique_ptr<FormType>& form) {
  if (form) {
    form->ShowAgain();
  } else {
    LoadOnFirstReference(program, form);
  }
}

void Program::ShowCommands() { ShowLoadedAgainOrLoad(*this, commands_); }

settings::OptionsFRM& Program::Options() {
  return LoadOnFirstReference(*this, options_);
}
settings::SongAdvSetupFRM& Program::SongAdvSetup() {
  return LoadOnFirstReference(*this, songAdvSetup_);
}

void Program::ShowOptions() { ShowLoadedAgainOrLoad(*this, options_); }

void Program::ShowSongAdvSetup() {
  if (songAdvSetup_) {
    songAdvSetup_->Show();
  } else {
    SongAdvSetup();
  }
}

// The one place that brings the main window back. While its icon is in the
// tray it stays hidden: shown, it would keep the icon, and a shown window
// takes the icon's callback for mouse movement, so the icon would stop
// working.
void Program::HandBack(std::string_view returnTag) {
  if (returnTag == "MAIN" && !tray_.Shown()) Main().Show();
}

void Program::UnloadIntro() { intro_.reset(); }
void Program::UnloadAbout() { about_.reset(); }
void Program::UnloadMessage() { message_.reset(); }
void Program::UnloadCommands() { commands_.reset(); }
void Program::UnloadOptions() { options_.reset(); }
void Program::UnloadSongAdvSetup() { songAdvSetup_.reset(); }

void Program::EndProgram() { ports_.forms.EndProgram(); }

// A chat command reaches the main window as a reference would: loading it
// if it is not loaded.
void Program::MinimizeToTray() { Main().MinimizeToTray(); }
void Program::RestoreFromTray() { Main().RestoreFromTray(); }
void Program::ExitProgram() { Main().ExitProgram(); }

}  // namespace tavrin::shell
