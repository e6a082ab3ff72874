#pragma once

#include <string>

#include "platform/profile_file.h"

namespace tavrin::win32 {

// The profile-file port on Windows: GetPrivateProfileStringA and
// WritePrivateProfileStringA, with every name and value in the ANSI code
// page. Values are read whole, however long. The file operations name the
// file in the same code page, so that they see the file the profile
// functions see.
class Win32ProfileFile final : public platform::ProfileFile {
 public:
  std::string Read(std::string_view section, std::string_view key,
                   std::string_view file) override;
  bool Write(std::string_view section, std::string_view key,
             std::string_view value, std::string_view file) override;
  bool Exists(std::string_view file) override;
  bool CanWrite(std::string_view file) override;
  bool CreateFolderOf(std::string_view file) override;
};

// The user's roaming application-data folder (CSIDL_APPDATA), named so that
// the ANSI profile functions reach it: its short name when the long one
// does not fit the code page. "" when there is none or neither fits.
std::string RoamingAppDataFolder();

}  // namespace tavrin::win32
