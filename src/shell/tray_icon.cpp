#include "shell/tray_icon.h"

#include "shell/tip_text.h"

namespace tavrin::shell {

using platform::IconRecord;
using platform::TrayCommand;

void TrayIcon::TrayAdd(platform::WindowHandle window, std::string_view tip,
                       std::uintptr_t icon) {
  record_.size = IconRecord::kFirstVersionSize;
  record_.window = window;
  record_.tip = CutToCharacters(tip, IconRecord::kTipField - 1);
  record_.icon = icon;
  record_.id = kIconId;
  record_.flags =
      IconRecord::kFlagMessage | IconRecord::kFlagIcon | IconRecord::kFlagTip;
  record_.callbackMessage = kCallbackMessage;
  tray_.Notify(TrayCommand::kAdd, record_);
  shown_ = true;
}

void TrayIcon::TrayRemove() {
  tray_.Notify(TrayCommand::kDelete, record_);
  shown_ = false;
}

void TrayIcon::ShellRestarted() {
  if (shown_) tray_.Notify(TrayCommand::kAdd, record_);
}

}  // namespace tavrin::shell
