#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Where and as whom the chat client signs on. Kept in the user's settings
// file as UTF-8 "key=value" lines, and settable on the command line.
namespace tavrin::irc {

struct ClientSettings {
  std::string server;
  std::uint16_t port = 6667;
  std::string nick;
  // Sent as PASS before registering, when not empty.
  std::string serverPassword;
  std::vector<std::string> channels;  // "#tavrin", ...

  // Enough to connect: a server and a valid nick.
  bool Complete() const;
};

// The settings file's text and back. Unknown keys and broken lines are
// skipped; missing keys keep their defaults.
std::string SettingsText(const ClientSettings& settings);
ClientSettings SettingsFromText(std::string_view text);

// The command line's words (after the program's name), each as UTF-8:
//   --server <host> --port <n> --nick <nick> --password <word>
//   --channels <#a,#b> --no-save
// Given values override `base`. nullopt with `error` set on a word that is
// not understood or a value that is missing or wrong.
struct CommandLine {
  ClientSettings settings;
  bool save = true;  // --no-save: what was given is not stored
  bool anyGiven = false;
};
std::optional<CommandLine> ParseCommandLine(const std::vector<std::string>& words,
                                            const ClientSettings& base,
                                            std::string& error);

// A channel list as the user types it: "#a, #b c" (commas or blanks);
// names without a channel mark get "#".
std::vector<std::string> ParseChannelList(std::string_view text);
std::string ChannelListText(const std::vector<std::string>& channels);

}  // namespace tavrin::irc
