#pragma once

#include <cctype>
#include <string_view>

// The small text rules of profile files, shared by the settings code.
namespace tavrin::settings {

// Blanks that a profile value loses at its ends.
inline bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Section and key names, and Windows paths, ignore letter case.
inline bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

}  // namespace tavrin::settings
