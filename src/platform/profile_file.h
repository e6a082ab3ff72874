#pragma once

#include <string>
#include <string_view>

namespace tavrin::platform {

// A Windows profile (ini) file. Section and key names ignore letter case,
// values come back with surrounding blanks and one pair of enclosing quotes
// removed, and a write replaces the value in place, creating the file and the
// section on first use. Text is UTF-8 on this side.
class ProfileFile {
 public:
  virtual ~ProfileFile() = default;

  // The whole stored value, or "" when the file, section or key is missing.
  virtual std::string Read(std::string_view section, std::string_view key,
                           std::string_view file) = 0;

  // Returns false when the value could not be stored.
  virtual bool Write(std::string_view section, std::string_view key,
                     std::string_view value, std::string_view file) = 0;

  // Whether a file (not a folder) stands at the path.
  virtual bool Exists(std::string_view file) = 0;

  // Whether a write to the file would be allowed. Asking creates, changes
  // and leaves behind nothing; a folder standing at the path, or a missing
  // folder above it, cannot be written.
  virtual bool CanWrite(std::string_view file) = 0;

  // Creates the folder the file sits in, with any missing folders above it;
  // true when that folder is there afterwards.
  virtual bool CreateFolderOf(std::string_view file) = 0;
};

}  // namespace tavrin::platform
