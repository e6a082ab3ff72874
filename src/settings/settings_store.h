#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "platform/profile_file.h"
#include "settings/save_frm.h"

namespace tavrin::settings {

// The one settings file and its one section; every reader and writer uses
// these, unchanged.
inline constexpr std::string_view kSettingsFile =
    R"(C:\windows\system32\TavrinSettings.ini)";
inline constexpr std::string_view kSettingsSection = "Tavrin Save";

// The ten keys the section holds.
namespace key {
inline constexpr std::string_view kAscii = "Ascii";
inline constexpr std::string_view kAutoLoadWA = "AutoLoadWA";
inline constexpr std::string_view kWinampDIR = "WinampDIR";
inline constexpr std::string_view kAutoAdv = "AutoAdv";
inline constexpr std::string_view kUseAscii = "UseAscii";
inline constexpr std::string_view kUseSongName = "UseSongName";
inline constexpr std::string_view kUseBitRate = "UseBitRate";
inline constexpr std::string_view kUseElapRem = "UseElapRem";
inline constexpr std::string_view kUseSongLen = "UseSongLen";
inline constexpr std::string_view kUseWAStatus = "UseWAStatus";
}  // namespace key
inline constexpr std::array<std::string_view, 10> kSettingKeys = {
    key::kAscii,       key::kAutoLoadWA,  key::kWinampDIR,  key::kAutoAdv,
    key::kUseAscii,    key::kUseSongName, key::kUseBitRate, key::kUseElapRem,
    key::kUseSongLen,  key::kUseWAStatus};

// The stored value, whole; "" when the file, section or key is missing.
std::string ReadSetting(platform::ProfileFile& profile,
                        std::string_view section, std::string_view key,
                        std::string_view file);

// The value as the settings file can hold it: a line break (CR LF, CR or
// LF) in it would end the value there and put the rest on a line of its
// own, read as further keys, so each becomes one blank.
std::string OneLine(std::string_view value);

// Stores the value, made one line, so that a read gives it back exactly
// (in quotes when blanks or a pair of quotes stand at its ends), creating
// file, section and key as needed. Nobody acts on a failed write: the
// holder keeps the new value all the same.
void WriteSetting(platform::ProfileFile& profile, std::string_view section,
                  std::string_view key, std::string_view value,
                  std::string_view file);

// A stored check-box value as a state: decimal text with blanks around it
// allowed and a fraction rounded to the nearest whole number, halves to
// even. Empty when the text is no number, is outside 16 bits or is not one
// of the states 0, 1 and 2.
std::optional<CheckValue> ParseCheckValue(std::string_view text);

// Fills the holder from the settings file, key by key; a check box whose
// stored value is unusable keeps the state it had.
void LoadSettings(platform::ProfileFile& profile, SaveFRM& holder);

}  // namespace tavrin::settings
