#pragma once

#include <string>
#include <string_view>

namespace tavrin::sim {

// The sim desktop's ANSI code page, Windows-1252. Characters it cannot hold
// become "?", as the platform's conversion does.
std::string Cp1252FromUtf8(std::string_view utf8);
std::string Utf8FromCp1252(std::string_view ansi);

}  // namespace tavrin::sim
