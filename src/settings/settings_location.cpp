#include "settings/settings_location.h"

#include <utility>

#include "settings/ini_text.h"
#include "settings/settings_store.h"

namespace tavrin::settings {
namespace {

bool IsSettingsFile(std::string_view file) {
  return EqualsIgnoringCase(file, kSettingsFile);
}

}  // namespace

std::string UserSettingsFile(std::string_view appDataFolder) {
  while (!appDataFolder.empty() &&
         (appDataFolder.back() == '\\' || appDataFolder.back() == '/')) {
    appDataFolder.remove_suffix(1);
  }
  const std::string_view name =
      kSettingsFile.substr(kSettingsFile.find_last_of('\\') + 1);
  return std::string(appDataFolder) + "\\Tavrin\\" + std::string(name);
}

SettingsLocation::SettingsLocation(platform::ProfileFile& files,
                                   std::string_view appDataFolder)
    : files_(files) {
  appDataFolder_ = [folder = std::string(appDataFolder)] { return folder; };
  Settle();
}

SettingsLocation::SettingsLocation(platform::ProfileFile& files,
                                   std::function<std::string()> appDataFolder)
    : files_(files), appDataFolder_(std::move(appDataFolder)) {}

void SettingsLocation::Settle() {
  if (!appDataFolder_) return;
  const std::string folder = std::exchange(appDataFolder_, nullptr)();
  if (folder.empty() || files_.CanWrite(kSettingsFile)) return;
  userFile_ = UserSettingsFile(folder);
  userFileInUse_ = files_.Exists(userFile_);
}

std::string_view SettingsLocation::ReadingFrom() {
  Settle();
  return userFileInUse_ ? std::string_view(userFile_) : kSettingsFile;
}

std::string_view SettingsLocation::Mapped(std::string_view file) {
  return IsSettingsFile(file) ? ReadingFrom() : file;
}

std::string SettingsLocation::Read(std::string_view section,
                                   std::string_view key,
                                   std::string_view file) {
  return files_.Read(section, key, Mapped(file));
}

bool SettingsLocation::Write(std::string_view section, std::string_view key,
                             std::string_view value, std::string_view file) {
  if (!IsSettingsFile(file) || !Moved()) {
    return files_.Write(section, key, value, file);
  }
  if (!userFileInUse_) {
    MoveValuesOver();
    if (!files_.Write(section, key, value, userFile_)) {
      // Whatever was copied reads the same as the fixed file.
      userFileInUse_ = files_.Exists(userFile_);
      return false;
    }
    userFileInUse_ = true;
    return true;
  }
  return files_.Write(section, key, value, userFile_);
}

// The per-user file starts as a copy of the fixed file's settings, so that
// the move loses none of them; each is written as every setting is, to
// read back exactly. Empty values are left out: they read the same as
// missing ones.
void SettingsLocation::MoveValuesOver() {
  if (!files_.CreateFolderOf(userFile_)) return;
  for (const std::string_view key : kSettingKeys) {
    const std::string value = files_.Read(kSettingsSection, key, kSettingsFile);
    if (!value.empty()) {
      WriteSetting(files_, kSettingsSection, key, value, userFile_);
    }
  }
}

bool SettingsLocation::Exists(std::string_view file) {
  return files_.Exists(Mapped(file));
}

bool SettingsLocation::CanWrite(std::string_view file) {
  return files_.CanWrite(Mapped(file));
}

bool SettingsLocation::CreateFolderOf(std::string_view file) {
  return files_.CreateFolderOf(Mapped(file));
}

}  // namespace tavrin::settings
