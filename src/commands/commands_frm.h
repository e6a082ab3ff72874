#pragma once

#include <array>
#include <string_view>

#include "commands/commands_host.h"
#include "forms/fader.h"
#include "forms/form.h"

namespace tavrin::commands {

// The reference window of the chat commands: a list of them and, beside
// it, what the selected one does. It only informs; closing it shows no
// other window, and the next opening starts afresh.
class CommandsFRM final : public forms::Form {
 public:
  struct Entry {
    std::string_view caption;
    std::string_view description;
  };
  // The list in the order it is filled: an item's position picks its
  // description, so the list is never sorted.
  static const std::array<Entry, 19>& Entries();
  static constexpr std::string_view kPrompt =
      "Select a command on the left to learn more about it.";

  static platform::FormDesign Design();

  explicit CommandsFRM(CommandsHost& host);
  void Load();

  void OnClick(std::string_view control) override;
  void OnSelectionChange(std::string_view control) override;

 private:
  void FadedOut();

  CommandsHost& host_;
  forms::Fader fader_;
};

}  // namespace tavrin::commands
