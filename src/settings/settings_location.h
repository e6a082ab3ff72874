#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "platform/profile_file.h"

namespace tavrin::settings {

// The per-user settings file under an application-data folder:
// "<folder>\Tavrin\TavrinSettings.ini".
std::string UserSettingsFile(std::string_view appDataFolder);

// The profile-file port with the settings file kept where it can be
// written. The settings file stays at its fixed place wherever that place
// can be written. Where it cannot (a standard user on Windows since Vista:
// a 64-bit program with a manifest gets no file virtualisation, so every
// write would be lost), the settings live in the per-user file instead,
// which the first write creates and fills with the fixed file's values.
// Every read and write of the fixed path goes to the one file in use; other
// files pass through unchanged.
class SettingsLocation final : public platform::ProfileFile {
 public:
  // Decides, once, where the settings live. `appDataFolder` is the user's
  // application-data folder, "" when there is none (the fixed place stays).
  // Deciding writes nothing.
  SettingsLocation(platform::ProfileFile& files,
                   std::string_view appDataFolder);
  // The same, decided at the first use, with the folder the function gives
  // then: the program's start pays neither for finding the folder nor for
  // looking at the fixed place.
  SettingsLocation(platform::ProfileFile& files,
                   std::function<std::string()> appDataFolder);

  std::string Read(std::string_view section, std::string_view key,
                   std::string_view file) override;
  bool Write(std::string_view section, std::string_view key,
             std::string_view value, std::string_view file) override;
  // These act on the file that reads come from.
  bool Exists(std::string_view file) override;
  bool CanWrite(std::string_view file) override;
  bool CreateFolderOf(std::string_view file) override;

  // Whether the settings go to the per-user file, now or from the first
  // write on.
  bool Moved() {
    Settle();
    return !userFile_.empty();
  }
  // The file that settings are read from now.
  std::string_view ReadingFrom();

 private:
  void Settle();
  std::string_view Mapped(std::string_view file);
  void MoveValuesOver();

  platform::ProfileFile& files_;
  std::function<std::string()> appDataFolder_;  // empty once settled
  std::string userFile_;  // "" while the fixed place is used
  bool userFileInUse_ = false;
};

}  // namespace tavrin::settings
