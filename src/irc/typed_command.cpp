#include "irc/typed_command.h"

#include <algorithm>

namespace tavrin::irc {
namespace {

std::string_view TrimmedFront(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  return text;
}

// The first word, moving `rest` to what follows its blanks.
std::string_view TakeWord(std::string_view& rest) {
  rest = TrimmedFront(rest);
  const std::size_t end = std::min(rest.find(' '), rest.size());
  const std::string_view word = rest.substr(0, end);
  rest = TrimmedFront(rest.substr(end));
  return word;
}

std::string Lower(std::string_view word) {
  std::string lower(word);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

TypedCommand Make(TypedKind kind, std::string_view target, std::string_view text) {
  return {kind, std::string(target), std::string(text)};
}

TypedCommand Error(std::string text) { return {TypedKind::kError, {}, std::move(text)}; }

bool IsChannel(std::string_view word) {
  return !word.empty() && std::string_view("#&+!").find(word.front()) != std::string_view::npos;
}

TypedCommand ParseCommand(std::string_view word, std::string_view rest) {
  const std::string name = Lower(word);
  if (name == "me") {
    if (rest.empty()) return Error("/me needs the action: /me waves");
    return Make(TypedKind::kAction, {}, rest);
  }
  if (name == "join" || name == "j") {
    const std::string_view channel = TakeWord(rest);
    if (channel.empty()) return Error("/join needs a room: /join #room");
    return Make(TypedKind::kJoin, IsChannel(channel) ? std::string(channel) : "#" + std::string(channel),
                TakeWord(rest));
  }
  if (name == "part" || name == "leave") {
    std::string_view channel;
    if (IsChannel(TrimmedFront(rest))) channel = TakeWord(rest);
    return Make(TypedKind::kLeave, channel, rest);
  }
  if (name == "nick") {
    const std::string_view nick = TakeWord(rest);
    if (nick.empty() || !rest.empty()) return Error("/nick needs one new nick: /nick name");
    return Make(TypedKind::kNick, nick, {});
  }
  if (name == "msg" || name == "notice") {
    const std::string_view target = TakeWord(rest);
    if (target.empty() || rest.empty()) return Error("/" + name + " needs a target and a text");
    return Make(name == "msg" ? TypedKind::kMessage : TypedKind::kNotice, target, rest);
  }
  if (name == "topic") return Make(TypedKind::kTopic, {}, rest);
  if (name == "quit") return Make(TypedKind::kQuit, {}, rest);
  if (name == "pin") {
    if (rest.empty()) return Error("/pin needs the certificate's fingerprint: /pin AB:CD:...");
    return Make(TypedKind::kPin, {}, rest);
  }
  return Error("Unknown command /" + std::string(word) +
               " (known: /join /part /nick /me /msg /notice /topic /pin /quit;"
               " //text says /text)");
}

}  // namespace

TypedCommand ParseTyped(std::string_view line) {
  if (line.empty()) return {};
  if (line.front() != '/') return Make(TypedKind::kSay, {}, line);
  if (line.size() > 1 && line[1] == '/') return Make(TypedKind::kSay, {}, line.substr(1));
  std::string_view rest = line.substr(1);
  if (rest.empty() || rest.front() == ' ') return Error("A command follows the /: /join #room");
  const std::string_view word = TakeWord(rest);
  return ParseCommand(word, rest);
}

}  // namespace tavrin::irc
