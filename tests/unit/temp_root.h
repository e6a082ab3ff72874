#pragma once

#include <filesystem>
#include <random>
#include <string>

namespace tavrin::testing {

// A private folder standing for the drives of a Windows machine, removed
// afterwards; C:\windows\system32 exists in it.
class TempRoot {
 public:
  TempRoot()
      : path_(std::filesystem::temp_directory_path() /
              ("tavrin-test-" + std::to_string(std::random_device{}()))) {
    std::filesystem::create_directories(path_ / "drive_c" / "windows" /
                                        "system32");
  }
  ~TempRoot() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempRoot(const TempRoot&) = delete;
  TempRoot& operator=(const TempRoot&) = delete;

  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace tavrin::testing
