#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "irc/secret_box.h"

namespace tavrin::win32 {

// Secrets sealed with the system's data protection for the user who runs
// the program, on this computer.
class DpapiSecretBox final : public irc::SecretBox {
 public:
  std::optional<std::string> Seal(std::string_view secret) override;
  std::optional<std::string> Open(std::string_view sealed) override;
};

}  // namespace tavrin::win32
