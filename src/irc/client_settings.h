#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "irc/secret_box.h"

// Where and as whom the chat client signs on. Kept in the user's settings
// file as UTF-8 "key=value" lines, and settable on the command line.
namespace tavrin::irc {

struct ClientSettings {
  static constexpr std::uint16_t kPlainPort = 6667;
  static constexpr std::uint16_t kTlsPort = 6697;

  std::string server;
  bool tls = true;
  std::uint16_t port = kTlsPort;
  std::string nick;
  // Sent as PASS before registering, when not empty.
  std::string serverPassword;
  // Logged in with SASL PLAIN when the account is not empty.
  std::string account;
  std::string accountPassword;
  std::vector<std::string> channels;  // "#tavrin", ...
  // Certificates the user chose to trust although the system does not:
  // host name (lower case) to SHA-256 fingerprint ("AB:CD:...").
  std::map<std::string, std::string> pins;

  // Enough to connect: a server and a valid nick.
  bool Complete() const;
};

// The settings file's text and back. Unknown keys and broken lines are
// skipped; missing keys keep their defaults, but a file without "tls" is
// from before TLS and keeps its plain connection. Passwords are kept only
// sealed by `secrets`: one that cannot be sealed is left out, one that
// cannot be opened is read as empty, and `problem` then says so.
std::string SettingsText(const ClientSettings& settings, SecretBox& secrets,
                         std::string* problem = nullptr);
ClientSettings SettingsFromText(std::string_view text, SecretBox& secrets,
                                std::string* problem = nullptr);

// The command line's words (after the program's name), each as UTF-8:
//   --server <host> --port <n> --tls | --no-tls --nick <nick>
//   --password <word> --account <name> --account-password <word>
//   --channels <#a,#b> --no-save
// Switching TLS on or off without --port moves a port that was the other
// way's usual one to this way's.
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

// TLS on or off; the port moves along when it was the other way's usual
// one, unless it is to be kept.
void SwitchTls(ClientSettings& settings, bool tls, bool keepPort);

// localhost or a loopback address: what is sent there stays on this
// computer.
bool OnThisComputer(std::string_view host);

// A channel list as the user types it: "#a, #b c" (commas or blanks);
// names without a channel mark get "#".
std::vector<std::string> ParseChannelList(std::string_view text);
std::string ChannelListText(const std::vector<std::string>& channels);

}  // namespace tavrin::irc
