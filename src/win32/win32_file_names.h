#pragma once

#include "platform/file_names.h"

namespace tavrin::win32 {

// The file-names port on Windows: the ANSI code page of the profile
// functions and GetShortPathNameW.
class Win32FileNames final : public platform::FileNames {
 public:
  bool FitsCodePage(std::string_view text) override;
  std::optional<std::string> ShortPath(std::string_view path) override;
};

}  // namespace tavrin::win32
