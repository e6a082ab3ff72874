#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/profile_file.h"

namespace tavrin::settings {

// The profile-file port on systems without the Windows profile functions,
// with the same observable behaviour. A Windows path "C:\dir\file.ini" is
// kept under `root` as "drive_c/dir/file.ini", the layout a Wine prefix
// uses. Lines end in CR LF; a write replaces the file as a whole (written
// beside it, then renamed over it) so that a failed write leaves the old
// file intact. Folders are not created: like the platform, a write into a
// missing folder fails.
class IniProfileFile final : public platform::ProfileFile {
 public:
  explicit IniProfileFile(std::filesystem::path root);

  std::string Read(std::string_view section, std::string_view key,
                   std::string_view file) override;
  bool Write(std::string_view section, std::string_view key,
             std::string_view value, std::string_view file) override;
  bool Exists(std::string_view file) override;
  bool CanWrite(std::string_view file) override;
  bool CreateFolderOf(std::string_view file) override;

  // Where a profile-file path lives on this system.
  std::filesystem::path HostPath(std::string_view file) const;

 private:
  std::filesystem::path root_;
};

}  // namespace tavrin::settings
