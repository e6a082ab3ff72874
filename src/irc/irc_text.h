#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Text as it comes from the network and as it is shown.
namespace tavrin::irc {

// Received bytes as UTF-8: valid UTF-8 as it is, anything else read as
// Windows-1252 (what older clients send).
std::string DecodedText(std::string_view bytes);

// What may be shown of a received text: decoded, without mIRC formatting
// codes, control characters (C0, DEL, C1), line and paragraph separators
// and bidirectional overrides and isolates; a TAB becomes a blank. The
// result holds no line break, so one received text is one shown line.
std::string ShownText(std::string_view bytes);

// `text` (UTF-8) cut into pieces of at most `budget` bytes (at least 4),
// never inside a character; a piece ends after a blank when one lies in
// its last quarter. The pieces joined give `text` back.
std::vector<std::string> SplitText(std::string_view text, std::size_t budget);

}  // namespace tavrin::irc
