#include "irc/irc_message.h"

#include <algorithm>

namespace tavrin::irc {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// The word up to the next blank, moving `rest` past it and the blanks after.
std::string_view TakeWord(std::string_view& rest) {
  const std::size_t end = std::min(rest.find(' '), rest.size());
  const std::string_view word = rest.substr(0, end);
  rest.remove_prefix(end);
  while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
  return word;
}

std::optional<std::string> CommandOf(std::string_view word) {
  if (word.size() == 3 && std::all_of(word.begin(), word.end(), IsDigit)) {
    return std::string(word);
  }
  if (word.empty() || !std::all_of(word.begin(), word.end(), IsLetter)) {
    return std::nullopt;
  }
  std::string command(word);
  for (char& c : command) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return command;
}

bool HasBreakOrNul(std::string_view text) {
  return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

}  // namespace

std::optional<Message> ParseMessage(std::string_view line) {
  if (HasBreakOrNul(line)) return std::nullopt;
  std::string_view rest = line;
  Message message;
  if (!rest.empty() && rest.front() == '@') {
    rest.remove_prefix(1);
    message.tags = TakeWord(rest);
    if (message.tags.empty()) return std::nullopt;
  }
  if (!rest.empty() && rest.front() == ':') {
    rest.remove_prefix(1);
    message.source = TakeWord(rest);
    if (message.source.empty()) return std::nullopt;
  }
  auto command = CommandOf(TakeWord(rest));
  if (!command) return std::nullopt;
  message.command = std::move(*command);
  while (!rest.empty()) {
    // The last parameter takes the rest of the line, blanks and all.
    if (rest.front() == ':' || message.params.size() == kMaxParams - 1) {
      if (rest.front() == ':') rest.remove_prefix(1);
      message.params.emplace_back(rest);
      break;
    }
    message.params.emplace_back(TakeWord(rest));
  }
  return message;
}

std::string_view Param(const Message& message, std::size_t index) {
  return index < message.params.size() ? std::string_view(message.params[index])
                                       : std::string_view();
}

std::string_view NickOf(std::string_view source) {
  return source.substr(0, source.find_first_of("!@"));
}

std::optional<std::string> FormatMessage(std::string_view command,
                                         const std::vector<std::string>& params) {
  if (!CommandOf(command) || params.size() > kMaxParams) return std::nullopt;
  std::string line(command);
  for (std::size_t i = 0; i < params.size(); ++i) {
    const std::string& param = params[i];
    if (HasBreakOrNul(param)) return std::nullopt;
    const bool needsColon =
        param.empty() || param.front() == ':' || param.find(' ') != std::string::npos;
    if (needsColon && i + 1 < params.size()) return std::nullopt;
    line += needsColon ? " :" : " ";
    line += param;
  }
  if (line.size() > kMaxLineBytes) return std::nullopt;
  return line;
}

}  // namespace tavrin::irc
