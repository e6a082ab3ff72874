#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavrin::platform {

// What the system makes of a file's path where the ANSI code page must
// hold it: the settings file stores paths in that code page, which may
// lack characters of a folder's name.
class FileNames {
 public:
  virtual ~FileNames() = default;

  // Whether the text comes back unchanged from the ANSI code page.
  virtual bool FitsCodePage(std::string_view text) = 0;

  // The system's short form of an existing file's path: each name that
  // has an 8.3 alias replaced by it. A volume that keeps no such aliases
  // gives the path back as it is. Nothing when the file is missing.
  virtual std::optional<std::string> ShortPath(std::string_view path) = 0;
};

}  // namespace tavrin::platform
