#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "profile_file_contract.h"
#include "settings/ini_profile_file.h"

namespace tavrin::contract {
namespace {

namespace fs = std::filesystem;

// The portable adapter over a private root folder, removed afterwards.
class IniProfileFixture final : public ProfileFixture {
 public:
  IniProfileFixture()
      : root_(fs::temp_directory_path() /
              ("tavrin-contract-" + std::to_string(std::random_device{}()))),
        profile_(root_) {
    fs::create_directories(root_ / "drive_c" / "contract");
  }
  ~IniProfileFixture() override {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }

  platform::ProfileFile& Profile() override { return profile_; }
  std::string NewFilePath() override {
    return "C:\\contract\\settings" + std::to_string(next_++) + ".ini";
  }
  std::string PathInMissingFolder() override {
    return "C:\\no such folder\\settings.ini";
  }
  std::string Contents(std::string_view path) override {
    std::ifstream in(profile_.HostPath(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  void Lay(std::string_view path, std::string_view bytes) override {
    std::ofstream(profile_.HostPath(path), std::ios::binary) << bytes;
  }
  void MakeFolderAt(std::string_view path) override {
    fs::create_directories(profile_.HostPath(path));
  }
  std::vector<std::string> NamesBeside(std::string_view path) override {
    std::vector<std::string> names;
    for (const auto& entry :
         fs::directory_iterator(profile_.HostPath(path).parent_path())) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  fs::path root_;
  settings::IniProfileFile profile_;
  int next_ = 0;
};

}  // namespace

std::unique_ptr<ProfileFixture> MakeProfileFixture() {
  return std::make_unique<IniProfileFixture>();
}

}  // namespace tavrin::contract
