#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One IRC protocol line (RFC 1459, RFC 2812, IRCv3 message tags).
namespace tavrin::irc {

struct Message {
  std::string tags;    // raw, without '@'
  std::string source;  // the prefix, without ':'
  std::string command;  // upper case; numerics as "001"
  std::vector<std::string> params;  // the trailing one last, without ':'
};

inline constexpr std::size_t kMaxParams = 15;
// The longest line without its CR LF.
inline constexpr std::size_t kMaxLineBytes = 510;

// A received line without its line end; nullopt when it is not one.
std::optional<Message> ParseMessage(std::string_view line);

// The parameter at `index`, or an empty one where the line has fewer.
std::string_view Param(const Message& message, std::size_t index);

// The nick of a source "nick!user@host" (a server's name has none of them).
std::string_view NickOf(std::string_view source);

// An outgoing line, without its line end. nullopt when a parameter holds
// CR, LF or NUL, a middle one is empty, holds a blank or begins with ':',
// or the line would be too long.
std::optional<std::string> FormatMessage(std::string_view command,
                                         const std::vector<std::string>& params);

}  // namespace tavrin::irc
