#pragma once

#include <string>
#include <string_view>

// A line the user typed: words to the room, or a command after "/".
namespace tavrin::irc {

enum class TypedKind {
  kNothing,  // an empty line
  kSay,      // text: a message to the current room
  kAction,   // /me text
  kJoin,     // /join #room [key]: target, text = key
  kLeave,     // /part [#room] [reason]: target may be empty
  kNick,     // /nick new: target
  kMessage,  // /msg target text
  kNotice,   // /notice target text
  kTopic,    // /topic [text]: an empty text asks for the topic
  kQuit,     // /quit [reason]
  kPin,      // /pin fingerprint: text (trusts the server's certificate)
  kError,    // not understood: text says why, nothing is sent
};

struct TypedCommand {
  TypedKind kind = TypedKind::kNothing;
  std::string target;
  std::string text;
};

// "//text" says "/text". Command words are taken in any letter case.
TypedCommand ParseTyped(std::string_view line);

}  // namespace tavrin::irc
