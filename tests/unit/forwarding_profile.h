#pragma once

#include <string>
#include <string_view>

#include "platform/profile_file.h"

namespace tavrin::testing {

// Hands every call on to another profile file; a test overrides the calls
// it wants to watch or fail.
class ForwardingProfile : public platform::ProfileFile {
 public:
  explicit ForwardingProfile(platform::ProfileFile& inner) : inner_(inner) {}

  std::string Read(std::string_view section, std::string_view key,
                   std::string_view file) override {
    return inner_.Read(section, key, file);
  }
  bool Write(std::string_view section, std::string_view key,
             std::string_view value, std::string_view file) override {
    return inner_.Write(section, key, value, file);
  }
  bool Exists(std::string_view file) override { return inner_.Exists(file); }
  bool CanWrite(std::string_view file) override {
    return inner_.CanWrite(file);
  }
  bool CreateFolderOf(std::string_view file) override {
    return inner_.CreateFolderOf(file);
  }

 private:
  platform::ProfileFile& inner_;
};

}  // namespace tavrin::testing
