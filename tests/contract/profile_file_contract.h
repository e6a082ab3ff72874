#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "platform/profile_file.h"

// One contract for every adapter of the profile-file port: each test binary
// links these tests with its own MakeProfileFixture.
namespace tavrin::contract {

class ProfileFixture {
 public:
  virtual ~ProfileFixture() = default;
  virtual platform::ProfileFile& Profile() = 0;
  // A fresh file path, in the Windows form the program passes, whose folder
  // exists and which no other test uses.
  virtual std::string NewFilePath() = 0;
  // A path in a folder that does not exist.
  virtual std::string PathInMissingFolder() = 0;
  // The file's bytes on disk ("" when missing), and a way to lay one down.
  virtual std::string Contents(std::string_view path) = 0;
  virtual void Lay(std::string_view path, std::string_view bytes) = 0;
  // Puts a folder where the file would be.
  virtual void MakeFolderAt(std::string_view path) = 0;
  // The names in the folder that holds the path, sorted.
  virtual std::vector<std::string> NamesBeside(std::string_view path) = 0;
};

std::unique_ptr<ProfileFixture> MakeProfileFixture();

class ProfileFileContract : public ::testing::Test {
 protected:
  void SetUp() override {
    fixture_ = MakeProfileFixture();
    file_ = fixture_->NewFilePath();
  }

  std::string Read(std::string_view section, std::string_view key) {
    return fixture_->Profile().Read(section, key, file_);
  }
  bool Write(std::string_view section, std::string_view key,
             std::string_view value) {
    return fixture_->Profile().Write(section, key, value, file_);
  }

  std::unique_ptr<ProfileFixture> fixture_;
  std::string file_;
};

}  // namespace tavrin::contract
