#include "shell/tray_icon.h"

namespace tavrin::shell {

using platform::IconRecord;
using platform::TrayCommand;

namespace {

// The first `limit` characters of a UTF-8 text.
std::string CutToCharacters(std::string_view text, std::size_t limit) {
  std::size_t characters = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    // Each character starts with a byte that is no continuation byte.
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 &&
        characters++ == limit) {
      return std::string(text.substr(0, i));
    }
  }
  return std::string(text);
}

}  // namespace

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
