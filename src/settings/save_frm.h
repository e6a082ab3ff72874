#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tavrin::settings {

// A check box's state: 0 unchecked, 1 checked, 2 grayed. Only 1 is "on".
using CheckValue = std::int16_t;
inline constexpr CheckValue kUnchecked = 0;
inline constexpr CheckValue kChecked = 1;
inline constexpr CheckValue kGrayed = 2;

inline bool IsOn(CheckValue value) { return value == kChecked; }

// The settings holder: the live values of the ten preferences, read from the
// settings file at start-up and written through by the windows that edit
// them. Every other part reads its preferences from here, never the file.
struct SaveFRM {
  static constexpr std::string_view kCaption = "Settings";
  // The captions that name the fields, from top to bottom.
  static constexpr std::array<std::string_view, 10> kInfo = {
      "Ascii:",
      "WinAmp Dir:",
      "Auto Start WinAmp Toggle",
      "Auto Adv. Song",
      "Ascii Toggle",
      "SongName Toggle",
      "BitRate Toggle",
      "Elapsed/Remaining Toggle",
      "Song Length Toggle",
      "WinAmp Status Toggle",
  };

  std::string Ascii;  // the decoration put in front of the lines sent
  std::string Dir;    // the player's program file
  CheckValue AutoStartWA = kUnchecked;
  CheckValue AutoAdv = kUnchecked;
  CheckValue AsciiCB = kUnchecked;
  CheckValue SongNameCB = kUnchecked;
  CheckValue BitRateCB = kUnchecked;
  CheckValue ElapRemCB = kUnchecked;
  CheckValue SongLenCB = kUnchecked;
  CheckValue WAStatusCB = kUnchecked;
};

}  // namespace tavrin::settings
