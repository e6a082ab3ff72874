#include "settings/settings_store.h"

#include "settings/ini_text.h"

#include <cmath>
#include <cstdlib>
#include <string>

namespace tavrin::settings {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// Accepts [sign] digits [. digits] [e [sign] digits], with at least one digit
// before the exponent. strtod alone would also take "inf", hex and leading
// garbage-free prefixes, so the shape is checked first.
bool IsDecimalNumber(std::string_view text) {
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  std::size_t digits = 0;
  while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  }
  if (digits == 0) return false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t exponentDigits = 0;
    while (i < text.size() && IsDigit(text[i])) ++i, ++exponentDigits;
    if (exponentDigits == 0) return false;
  }
  return i == text.size();
}

bool IsQuote(char c) { return c == '"' || c == '\''; }

// Blanks, and what else a profile read may drop from a value's ends.
bool LostAtAnEnd(char c) {
  return IsBlank(c) || c == '\v' || c == '\f' || c == '\x1a';
}

// The text to write so that a read gives the value back unchanged: a write
// and a read drop blanks around a value and a read drops one pair of
// enclosing quotes, so a value with either is put in quotes. Any other
// value is written as it is, as older versions wrote every value.
std::string AsStored(std::string_view value) {
  const bool blankEdge = !value.empty() && (LostAtAnEnd(value.front()) ||
                                            LostAtAnEnd(value.back()));
  const bool quoted = value.size() >= 2 && IsQuote(value.front()) &&
                      value.back() == value.front();
  if (blankEdge || quoted) return "\"" + std::string(value) + "\"";
  return std::string(value);
}

void LoadText(platform::ProfileFile& profile, std::string_view key,
              std::string& field) {
  field = ReadSetting(profile, kSettingsSection, key, kSettingsFile);
}

void LoadCheck(platform::ProfileFile& profile, std::string_view key,
               CheckValue& field) {
  if (const auto value = ParseCheckValue(
          ReadSetting(profile, kSettingsSection, key, kSettingsFile))) {
    field = *value;
  }
}

}  // namespace

std::string ReadSetting(platform::ProfileFile& profile,
                        std::string_view section, std::string_view key,
                        std::string_view file) {
  return profile.Read(section, key, file);
}

std::string OneLine(std::string_view value) {
  std::string line;
  line.reserve(value.size());
  for (std::size_t i = 0; i < value.size(); ++i) {
    const char c = value[i];
    if (c == '\r' && i + 1 < value.size() && value[i + 1] == '\n') continue;
    line += (c == '\r' || c == '\n') ? ' ' : c;
  }
  return line;
}

void WriteSetting(platform::ProfileFile& profile, std::string_view section,
                  std::string_view key, std::string_view value,
                  std::string_view file) {
  profile.Write(section, key, AsStored(OneLine(value)), file);
}

std::optional<CheckValue> ParseCheckValue(std::string_view text) {
  const std::string_view number = TrimBlanks(text);
  if (!IsDecimalNumber(number)) return std::nullopt;
  const double value = std::strtod(std::string(number).c_str(), nullptr);
  // nearbyint rounds halves to even under the default rounding mode.
  const double whole = std::nearbyint(value);
  if (whole != 0.0 && whole != 1.0 && whole != 2.0) return std::nullopt;
  return static_cast<CheckValue>(whole);
}

void LoadSettings(platform::ProfileFile& profile, SaveFRM& holder) {
  LoadText(profile, key::kAscii, holder.Ascii);
  LoadCheck(profile, key::kAutoLoadWA, holder.AutoStartWA);
  LoadText(profile, key::kWinampDIR, holder.Dir);
  LoadCheck(profile, key::kAutoAdv, holder.AutoAdv);
  LoadCheck(profile, key::kUseAscii, holder.AsciiCB);
  LoadCheck(profile, key::kUseSongName, holder.SongNameCB);
  LoadCheck(profile, key::kUseBitRate, holder.BitRateCB);
  LoadCheck(profile, key::kUseElapRem, holder.ElapRemCB);
  LoadCheck(profile, key::kUseSongLen, holder.SongLenCB);
  LoadCheck(profile, key::kUseWAStatus, holder.WAStatusCB);
}

}  // namespace tavrin::settings
