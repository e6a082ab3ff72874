#include "sim/cp1252.h"

#include <array>
#include <cstdint>

namespace tavrin::sim {
namespace {

// Code points of the bytes 0x80 to 0x9F; the five unassigned bytes map to the
// C1 controls of the same number, as Windows maps them.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t CodePointOf(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) return kHighControls[byte - 0x80];
  return byte;
}

char ByteOf(char32_t codePoint) {
  if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) {
    return static_cast<char>(codePoint);
  }
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == codePoint) return static_cast<char>(0x80 + i);
  }
  return '?';
}

// Decodes one UTF-8 sequence; a malformed one counts as one character that
// no code page holds and consumes one byte.
char32_t DecodeOne(std::string_view text, std::size_t& i) {
  constexpr char32_t kUnknown = 0xFFFD;
  const auto lead = static_cast<unsigned char>(text[i]);
  std::size_t extra = 0;
  char32_t code = 0;
  if (lead < 0x80) {
    ++i;
    return lead;
  }
  if ((lead & 0xE0) == 0xC0) {
    extra = 1;
    code = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2;
    code = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3;
    code = lead & 0x07;
  } else {
    ++i;
    return kUnknown;
  }
  if (i + extra >= text.size()) {
    ++i;
    return kUnknown;
  }
  for (std::size_t k = 1; k <= extra; ++k) {
    const auto next = static_cast<unsigned char>(text[i + k]);
    if ((next & 0xC0) != 0x80) {
      ++i;
      return kUnknown;
    }
    code = (code << 6) | (next & 0x3F);
  }
  i += extra + 1;
  return code;
}

void AppendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out.push_back(static_cast<char>(code));
  } else if (code < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (code >> 6)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xE0 | (code >> 12)));
    out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  }
}

}  // namespace

std::string Cp1252FromUtf8(std::string_view utf8) {
  std::string ansi;
  ansi.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    ansi.push_back(ByteOf(DecodeOne(utf8, i)));
  }
  return ansi;
}

std::string Utf8FromCp1252(std::string_view ansi) {
  std::string utf8;
  utf8.reserve(ansi.size());
  for (const char byte : ansi) {
    AppendUtf8(utf8, CodePointOf(static_cast<unsigned char>(byte)));
  }
  return utf8;
}

}  // namespace tavrin::sim
