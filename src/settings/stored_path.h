#pragma once

#include <string>
#include <string_view>

#include "platform/file_names.h"

namespace tavrin::settings {

// The player's path as the settings file is to hold it. The file is in the
// ANSI code page, where a character it lacks becomes "?" and the path then
// names no file; such a path is stored as its short (8.3) form, which names
// the same file in plain ASCII. Where the file has no short form that fits
// (it is missing, or its volume keeps no 8.3 aliases), the path is stored
// as it is, with those characters lost.
std::string StoredPath(platform::FileNames& names, std::string_view path);

}  // namespace tavrin::settings
