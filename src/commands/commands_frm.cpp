#include "commands/commands_frm.h"

#include "forms/effects.h"

namespace tavrin::commands {

using platform::ControlKind;

const std::array<CommandsFRM::Entry, 19>& CommandsFRM::Entries() {
  static constexpr std::array<Entry, 19> entries = {{
      {".time",
       "Sends the current time, as it is on your system, to the chat room."},
      {".date",
       "Sends the current date, as it is on your system, to the chat room."},
      {".adv", "Advertises the current song to the chat room."},
      {".song", "Advertises only the current songs' name."},
      {".bitrate OR .br", "Advertises only the current songs' bitrate."},
      {".eandr OR .e&r",
       "Advertises only the current songs' elapsed and remaining time."},
      {".len OR .length", "Advertises only the current songs' length."},
      {".stat OR .status", "Advertises WinAmps' current status."},
      {".mini OR .minimize", "Minimizes the main window to the system tray."},
      {".res OR .restore", "Restores the main window from the system tray."},
      {".exit OR .end", "Exits the application entirely."},
      {".play", "Plays or resumes the selected song."},
      {".pause", "Pauses the current song from playing."},
      {".next OR .>", "Skips to the next song."},
      {".prev OR .< OR .previous", "Skips to the previous song."},
      {".stop", "Stops the current song from playing."},
      {".commands OR .cmds", "Loads this window, the commands window."},
      {".help", "Loads the built-in Tavrin help system."},
      {".about OR .?",
       "Loads About window and sends advertisement for Tavrin to chat room."},
  }};
  return entries;
}

platform::FormDesign CommandsFRM::Design() {
  return {"CommandsFRM",
          "Chat Commands",
          4620,
          3360,
          platform::FormSkin::kCommands,
          {{"DraggerBar", ControlKind::kDragBar, {0, 0, 4230, 315}, ""},
           {"ExitLBL", ControlKind::kButton, {4310, 0, 315, 315}, "", "Close"},
           {"Commands", ControlKind::kListBox, {150, 600, 1890, 2565}, "",
            "Chat Commands"},
           {"Information", ControlKind::kText, {2200, 620, 2200, 2535},
            std::string(kPrompt)}},
          "ExitLBL"};
}

// The fade counter starts at 0, the window's design-time Tag.
CommandsFRM::CommandsFRM(CommandsHost& host)
    : Form(host.Forms(), Design()),
      host_(host),
      fader_(*window_, host.Timers(), 0, [this] { FadedOut(); }) {}

void CommandsFRM::Load() {
  forms::ShapeCommandsFRM(Window());
  fader_.Load();
  for (const Entry& entry : Entries()) {
    window_->AddListItem("Commands", entry.caption);
  }
}

void CommandsFRM::OnClick(std::string_view control) {
  if (control == "ExitLBL") fader_.EnableFadeOut();
}

// No selection (position -1) leaves the text as it is.
void CommandsFRM::OnSelectionChange(std::string_view control) {
  if (control != "Commands") return;
  const int position = window_->ListIndex("Commands");
  if (position < 0 || position >= static_cast<int>(Entries().size())) return;
  window_->SetControlText("Information",
                          Entries()[static_cast<std::size_t>(position)]
                              .description);
}

// It hands over to no window.
void CommandsFRM::FadedOut() { host_.UnloadCommands(); }

}  // namespace tavrin::commands
