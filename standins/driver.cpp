#include "standins/driver.h"

#include "standins/peer_interface.h"

#include <charconv>
#include <optional>

namespace tavrin::standins {
namespace {

// Splits off the first blank-separated word.
std::string_view NextWord(std::string_view& text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  const auto end = text.find(' ');
  const std::string_view word = text.substr(0, end);
  text.remove_prefix(end == std::string_view::npos ? text.size() : end);
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  return word;
}

std::optional<long long> ParseNumber(std::string_view word) {
  long long value = 0;
  const auto [end, error] =
      std::from_chars(word.data(), word.data() + word.size(), value);
  if (error != std::errc() || end != word.data() + word.size()) {
    return std::nullopt;
  }
  return value;
}

std::optional<std::size_t> ParseCount(std::string_view word) {
  const auto value = ParseNumber(word);
  if (!value || *value < 0) return std::nullopt;
  return static_cast<std::size_t>(*value);
}

bool ApplyHostCommand(StandinHost& host, std::string_view verb,
                      std::string_view rest) {
  if (verb == "hang") {
    const auto ms = ParseNumber(rest);
    if (!ms || *ms < 0) return false;
    host.Hang(std::chrono::milliseconds(*ms));
    return true;
  }
  if (verb == "close" && rest.empty()) {
    host.Close();
    return true;
  }
  if (verb == "reports" && (rest == "on" || rest == "off")) {
    host.ReportChanges(rest == "on");
    return true;
  }
  return false;
}

std::optional<std::uintptr_t> TransportId(std::string_view verb) {
  if (verb == "prev") return peer::kPreviousButton;
  if (verb == "play") return peer::kPlayButton;
  if (verb == "pause") return peer::kPauseButton;
  if (verb == "stop") return peer::kStopButton;
  if (verb == "next") return peer::kNextButton;
  return std::nullopt;
}

bool ApplyPlayerModelCommand(PlayerModel& player, std::string_view verb,
                             std::string_view rest) {
  if (const auto id = TransportId(verb)) return rest.empty() && player.Command(*id);
  if (verb == "add") {
    const auto seconds = ParseNumber(NextWord(rest));
    const auto kbps = ParseNumber(NextWord(rest));
    if (!seconds || !kbps || rest.empty()) return false;
    player.Add({std::string(rest), static_cast<std::int32_t>(*seconds),
                static_cast<std::int32_t>(*kbps)});
    return true;
  }
  if (verb == "clear" && rest.empty()) {
    player.Clear();
    return true;
  }
  if (verb == "select") {
    const auto number = ParseCount(rest);
    return number && player.Select(*number);
  }
  if (verb == "seek") {
    const auto ms = ParseNumber(rest);
    if (!ms) return false;
    player.Seek(static_cast<std::int32_t>(*ms));
    return true;
  }
  if (verb == "numbers" && (rest == "on" || rest == "off")) {
    player.SetNumbering(rest == "on");
    return true;
  }
  if (verb == "scroll" && rest == "off") {
    player.SetScrollStep(platform::Milliseconds(0));
    return true;
  }
  if (verb == "scroll") {
    const auto ms = ParseNumber(rest);
    if (!ms || *ms <= 0) return false;
    player.SetScrollStep(platform::Milliseconds(*ms));
    return true;
  }
  return false;
}

}  // namespace

bool ApplyPlayerCommand(PlayerHost& host, std::string_view command) {
  const std::string_view verb = NextWord(command);
  if (ApplyHostCommand(host, verb, command)) return true;
  if (!ApplyPlayerModelCommand(host.Player(), verb, command)) return false;
  host.TitleChanged();
  return true;
}

bool ApplyChatCommand(ChatHost& host, std::string_view command) {
  const std::string_view verb = NextWord(command);
  if (ApplyHostCommand(host, verb, command)) return true;
  if (verb == "say") {
    const auto room = ParseCount(NextWord(command));
    const std::string_view speaker = NextWord(command);
    if (!room || speaker.empty()) return false;
    return host.AddLine(*room, speaker, command);
  }
  if (command.empty()) return false;
  if (verb == "open") {
    host.OpenRoom(command);
    return true;
  }
  if (verb == "signon") {
    host.SignOn(command);
    return true;
  }
  if (verb == "decoys") {
    const auto count = ParseCount(command);
    if (!count) return false;
    host.AddDecoys(*count);
    return true;
  }
  if (verb == "slow") {
    const auto ms = ParseCount(command);
    if (!ms) return false;
    host.SlowDown(std::chrono::milliseconds(*ms));
    return true;
  }
  if (verb == "cap") {
    const auto lines = ParseCount(command);
    if (!lines) return false;
    host.CapTranscripts(*lines);
    return true;
  }
  return false;
}

}  // namespace tavrin::standins
