#pragma once

#include <optional>
#include <string>
#include <string_view>

// Secrets sealed for the user who runs the program, so that the settings
// file never holds them in plain text. Windows seals with its data
// protection for the current user; tests give a fake.
namespace tavrin::irc {

class SecretBox {
 public:
  virtual ~SecretBox() = default;
  // Opaque bytes only this user on this computer can open; nullopt when
  // the system would not seal.
  virtual std::optional<std::string> Seal(std::string_view secret) = 0;
  // nullopt when the bytes are not ours to open (another user, another
  // computer, damaged).
  virtual std::optional<std::string> Open(std::string_view sealed) = 0;
};

}  // namespace tavrin::irc
