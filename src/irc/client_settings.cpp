#include "irc/client_settings.h"

#include <algorithm>
#include <charconv>

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

void TakeSetting(ClientSettings& settings, std::string_view key, std::string_view value) {
  if (key == "server") {
    settings.server = Trimmed(value);
  } else if (key == "port") {
    if (const auto port = PortFrom(Trimmed(value))) settings.port = *port;
  } else if (key == "nick") {
    if (ValidNick(Trimmed(value))) settings.nick = Trimmed(value);
  } else if (key == "password") {
    settings.serverPassword = value;
  } else if (key == "channels") {
    settings.channels = ParseChannelList(value);
  }
}

}  // namespace

bool ClientSettings::Complete() const { return !server.empty() && ValidNick(nick); }

std::string SettingsText(const ClientSettings& settings) {
  return "server=" + OneLine(settings.server) + "\n" +
         "port=" + std::to_string(settings.port) + "\n" +
         "nick=" + OneLine(settings.nick) + "\n" +
         "password=" + OneLine(settings.serverPassword) + "\n" +
         "channels=" + OneLine(ChannelListText(settings.channels)) + "\n";
}

ClientSettings SettingsFromText(std::string_view text) {
  ClientSettings settings;
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    std::string_view line = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    TakeSetting(settings, Trimmed(line.substr(0, equals)), line.substr(equals + 1));
  }
  return settings;
}

std::optional<CommandLine> ParseCommandLine(const std::vector<std::string>& words,
                                            const ClientSettings& base,
                                            std::string& error) {
  CommandLine line{base};
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (word == "--no-save") {
      line.save = false;
      continue;
    }
    if (word != "--server" && word != "--port" && word != "--nick" &&
        word != "--password" && word != "--channels") {
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
    } else if (word == "--nick") {
      if (!ValidNick(value)) {
        error = "Not a valid nick: " + value;
        return std::nullopt;
      }
      line.settings.nick = value;
    } else if (word == "--password") {
      line.settings.serverPassword = value;
    } else {
      line.settings.channels = ParseChannelList(value);
    }
    line.anyGiven = true;
  }
  return line;
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
