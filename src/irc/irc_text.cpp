#include "irc/irc_text.h"

#include <array>
#include <optional>

namespace tavrin::irc {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Code points of the bytes 0x80 to 0x9F in Windows-1252; the five bytes it
// leaves undefined read as the replacement character.
constexpr std::array<char32_t, 32> kCp1252High = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD,
    0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out.push_back(static_cast<char>(code));
  } else if (code < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (code >> 6)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else if (code < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (code >> 12)));
    out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (code >> 18)));
    out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  }
}

// One well-formed UTF-8 character at `at` (no overlong forms, surrogates or
// code points past U+10FFFF), moving `at` past it; nullopt when malformed.
std::optional<char32_t> NextCodePoint(std::string_view text, std::size_t& at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  if (lead < 0x80) {
    ++at;
    return lead;
  }
  std::size_t extra = 0;
  char32_t code = 0;
  char32_t least = 0;
  if ((lead & 0xE0) == 0xC0) {
    extra = 1, code = lead & 0x1F, least = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2, code = lead & 0x0F, least = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3, code = lead & 0x07, least = 0x10000;
  } else {
    return std::nullopt;
  }
  if (text.size() - at <= extra) return std::nullopt;
  for (std::size_t i = 1; i <= extra; ++i) {
    const auto next = static_cast<unsigned char>(text[at + i]);
    if ((next & 0xC0) != 0x80) return std::nullopt;
    code = (code << 6) | (next & 0x3F);
  }
  if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
    return std::nullopt;
  }
  at += extra + 1;
  return code;
}

bool IsUtf8(std::string_view text) {
  for (std::size_t at = 0; at < text.size();) {
    if (!NextCodePoint(text, at)) return false;
  }
  return true;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsHex(char c) {
  return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Skips up to `most` characters that pass `accept`; how many it skipped.
template <typename Accept>
std::size_t SkipUpTo(std::string_view text, std::size_t& at, std::size_t most,
                     Accept accept) {
  std::size_t count = 0;
  while (count < most && at < text.size() && accept(text[at])) ++at, ++count;
  return count;
}

// Past "\x03" (colour): up to two digits, then ",bg" when a digit follows.
void SkipColour(std::string_view text, std::size_t& at) {
  if (SkipUpTo(text, at, 2, IsDigit) == 0) return;
  if (at + 1 < text.size() && text[at] == ',' && IsDigit(text[at + 1])) {
    ++at;
    SkipUpTo(text, at, 2, IsDigit);
  }
}

bool SixHexAt(std::string_view text, std::size_t at) {
  if (text.size() - at < 6) return false;
  for (std::size_t i = 0; i < 6; ++i) {
    if (!IsHex(text[at + i])) return false;
  }
  return true;
}

// Past "\x04" (hex colour): six hex digits, then ",background" likewise.
void SkipHexColour(std::string_view text, std::size_t& at) {
  if (!SixHexAt(text, at)) return;
  at += 6;
  if (at < text.size() && text[at] == ',' && SixHexAt(text, at + 1)) at += 7;
}

bool Hidden(char32_t code) {
  return code < 0x20 || (code >= 0x7F && code <= 0x9F) || code == 0x2028 ||
         code == 0x2029 || (code >= 0x202A && code <= 0x202E) ||
         (code >= 0x2066 && code <= 0x2069);
}

bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

}  // namespace

std::string DecodedText(std::string_view bytes) {
  if (IsUtf8(bytes)) return std::string(bytes);
  std::string text;
  text.reserve(bytes.size() * 2);
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    AppendUtf8(text, byte >= 0x80 && byte <= 0x9F ? kCp1252High[byte - 0x80] : byte);
  }
  return text;
}

std::string ShownText(std::string_view bytes) {
  const std::string text = DecodedText(bytes);
  std::string shown;
  shown.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t start = at;
    const char32_t code = NextCodePoint(text, at).value_or(kReplacement);
    if (at == start) ++at;
    if (code == '\t') {
      shown.push_back(' ');
    } else if (code == 0x03) {
      SkipColour(text, at);
    } else if (code == 0x04) {
      SkipHexColour(text, at);
    } else if (!Hidden(code)) {
      shown.append(text, start, at - start);
    }
  }
  return shown;
}

std::vector<std::string> SplitText(std::string_view text, std::size_t budget) {
  std::vector<std::string> pieces;
  if (budget < 4) budget = 4;
  while (text.size() > budget) {
    std::size_t cut = budget;
    while (cut > 0 && IsContinuation(text[cut])) --cut;
    // Bytes that are no UTF-8 are cut anywhere rather than not at all.
    if (cut == 0) cut = budget;
    const std::size_t blank = text.substr(0, cut).rfind(' ');
    if (blank != std::string_view::npos && blank + 1 >= cut - cut / 4) cut = blank + 1;
    pieces.emplace_back(text.substr(0, cut));
    text.remove_prefix(cut);
  }
  if (!text.empty()) pieces.emplace_back(text);
  return pieces;
}

}  // namespace tavrin::irc
