#include "irc/client_settings.h"

#include <algorithm>
#include <charconv>

#include "irc/base64.h"
#include "irc/certificate_check.h"
#include "irc/nick.h"

namespace tavrin::irc {
namespace {

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) {
    text.remove_suffix(1);
  }
  return text;
}

std::optional<std::uint16_t> PortFrom(std::string_view text) {
  unsigned value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (value < 1 || value > 65535) return std::nullopt;
  return static_cast<std::uint16_t>(value);
}

// A value goes on one line of the file.
std::string OneLine(std::string_view value) {
  std::string line;
  for (const char c : value) {
    if (c != '\r' && c != '\n') line.push_back(c);
  }
  return line;
}

constexpr std::string_view kServerPasswordKey = "server_password_sealed";
constexpr std::string_view kAccountPasswordKey = "account_password_sealed";

std::optional<std::string> Opened(std::string_view value, SecretBox& secrets) {
  const auto sealed = FromBase64(Trimmed(value));
  return sealed ? secrets.Open(*sealed) : std::nullopt;
}

// Reads one line; false when a sealed password could not be opened.
bool TakeSetting(ClientSettings& settings, std::string_view key, std::string_view value,
                 SecretBox& secrets) {
  if (key == "server") {
    settings.server = Trimmed(value);
  } else if (key == "tls") {
    settings.tls = Trimmed(value) != "0";
  } else if (key == "port") {
    if (const auto port = PortFrom(Trimmed(value))) settings.port = *port;
  } else if (key == "nick") {
    if (ValidNick(Trimmed(value))) settings.nick = Trimmed(value);
  } else if (key == "account") {
    settings.account = Trimmed(value);
  } else if (key == "password") {
    // From before passwords were sealed; sealed when next stored.
    settings.serverPassword = value;
  } else if (key == kServerPasswordKey || key == kAccountPasswordKey) {
    const auto opened = Opened(value, secrets);
    (key == kServerPasswordKey ? settings.serverPassword : settings.accountPassword) =
        opened.value_or(std::string());
    return opened.has_value();
  } else if (key == "channels") {
    settings.channels = ParseChannelList(value);
  } else if (key == "pin") {
    const std::string_view pin = Trimmed(value);
    const std::size_t blank = std::min(pin.find(' '), pin.size());
    const auto fingerprint = NormalFingerprint(pin.substr(blank));
    if (blank > 0 && fingerprint) settings.pins[PinHost(pin.substr(0, blank))] = *fingerprint;
  }
  return true;
}

// "key=<sealed, base64>" line, or nothing when there is no password or it
// cannot be sealed.
std::string SealedLine(std::string_view key, const std::string& password, SecretBox& secrets,
                       std::string* problem) {
  if (password.empty()) return {};
  const auto sealed = secrets.Seal(password);
  if (!sealed) {
    if (problem) *problem = "The system could not protect the passwords, so they were not stored.";
    return {};
  }
  return std::string(key) + "=" + Base64(*sealed) + "\n";
}

}  // namespace

bool ClientSettings::Complete() const { return !server.empty() && ValidNick(nick); }

std::string SettingsText(const ClientSettings& settings, SecretBox& secrets,
                         std::string* problem) {
  std::string text = "server=" + OneLine(settings.server) + "\n" +
                     "tls=" + (settings.tls ? "1" : "0") + "\n" +
                     "port=" + std::to_string(settings.port) + "\n" +
                     "nick=" + OneLine(settings.nick) + "\n" +
                     "account=" + OneLine(settings.account) + "\n" +
                     "channels=" + OneLine(ChannelListText(settings.channels)) + "\n";
  text += SealedLine(kServerPasswordKey, settings.serverPassword, secrets, problem);
  text += SealedLine(kAccountPasswordKey, settings.accountPassword, secrets, problem);
  for (const auto& [host, fingerprint] : settings.pins) {
    text += "pin=" + OneLine(host) + " " + fingerprint + "\n";
  }
  return text;
}

ClientSettings SettingsFromText(std::string_view text, SecretBox& secrets,
                                std::string* problem) {
  // A file from before TLS names no "tls": it stays plain, on its port.
  ClientSettings settings;
  settings.tls = false;
  settings.port = ClientSettings::kPlainPort;
  bool opened = true;
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    std::string_view line = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    opened = TakeSetting(settings, Trimmed(line.substr(0, equals)), line.substr(equals + 1),
                         secrets) && opened;
  }
  if (!opened && problem) {
    *problem = "A stored password could not be read (was the settings file copied from "
               "another user or computer?); type it again in Chat, Connect.";
  }
  return settings;
}

std::optional<CommandLine> ParseCommandLine(const std::vector<std::string>& words,
                                            const ClientSettings& base,
                                            std::string& error) {
  CommandLine line{base};
  std::optional<bool> tls;
  bool portGiven = false;
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (word == "--no-save" || word == "--tls" || word == "--no-tls") {
      if (word == "--no-save") line.save = false;
      if (word != "--no-save") tls = word == "--tls";
      line.anyGiven = line.anyGiven || word != "--no-save";
      continue;
    }
    if (word != "--server" && word != "--port" && word != "--nick" && word != "--password" &&
        word != "--account" && word != "--account-password" && word != "--channels") {
      error = "Not understood: " + word;
      return std::nullopt;
    }
    if (i + 1 >= words.size()) {
      error = word + " needs a value";
      return std::nullopt;
    }
    const std::string& value = words[++i];
    if (word == "--server") {
      if (value.empty()) {
        error = "--server needs a host";
        return std::nullopt;
      }
      line.settings.server = value;
    } else if (word == "--port") {
      const auto port = PortFrom(value);
      if (!port) {
        error = "--port needs a number from 1 to 65535: " + value;
        return std::nullopt;
      }
      line.settings.port = *port;
      portGiven = true;
    } else if (word == "--nick") {
      if (!ValidNick(value)) {
        error = "Not a valid nick: " + value;
        return std::nullopt;
      }
      line.settings.nick = value;
    } else if (word == "--password") {
      line.settings.serverPassword = value;
    } else if (word == "--account") {
      line.settings.account = value;
    } else if (word == "--account-password") {
      line.settings.accountPassword = value;
    } else {
      line.settings.channels = ParseChannelList(value);
    }
    line.anyGiven = true;
  }
  if (tls) SwitchTls(line.settings, *tls, portGiven);
  return line;
}

void SwitchTls(ClientSettings& settings, bool tls, bool keepPort) {
  const std::uint16_t usual = tls ? ClientSettings::kTlsPort : ClientSettings::kPlainPort;
  const std::uint16_t other = tls ? ClientSettings::kPlainPort : ClientSettings::kTlsPort;
  if (!keepPort && settings.port == other) settings.port = usual;
  settings.tls = tls;
}

bool OnThisComputer(std::string_view host) {
  const std::string name = PinHost(host);
  // An address of 127.0.0.0/8, not a name that merely begins so.
  const bool loopback4 = name.rfind("127.", 0) == 0 &&
                         name.find_first_not_of("0123456789.") == std::string::npos &&
                         std::count(name.begin(), name.end(), '.') == 3;
  return name == "localhost" || name == "::1" || name == "[::1]" || loopback4;
}

std::vector<std::string> ParseChannelList(std::string_view text) {
  std::vector<std::string> channels;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find_first_of(", \t"), text.size());
    const std::string_view name = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    if (name.empty()) continue;
    const bool marked = std::string_view("#&+!").find(name.front()) != std::string_view::npos;
    channels.push_back(marked ? std::string(name) : "#" + std::string(name));
  }
  return channels;
}

std::string ChannelListText(const std::vector<std::string>& channels) {
  std::string text;
  for (const std::string& channel : channels) text += (text.empty() ? "" : ",") + channel;
  return text;
}

}  // namespace tavrin::irc
