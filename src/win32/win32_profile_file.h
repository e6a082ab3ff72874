#pragma once

#include "platform/profile_file.h"

namespace tavrin::win32 {

// The profile-file port on Windows: GetPrivateProfileStringA and
// WritePrivateProfileStringA, with every name and value in the ANSI code
// page. Values are read whole, however long.
class Win32ProfileFile final : public platform::ProfileFile {
 public:
  std::string Read(std::string_view section, std::string_view key,
                   std::string_view file) override;
  bool Write(std::string_view section, std::string_view key,
             std::string_view value, std::string_view file) override;
};

}  // namespace tavrin::win32
