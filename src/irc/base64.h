#pragma once

#include <optional>
#include <string>
#include <string_view>

// Base64 (RFC 4648, with padding): SASL's payloads and the sealed secrets
// in the settings file.
namespace tavrin::irc {

std::string Base64(std::string_view bytes);
// nullopt on any character outside the alphabet or a wrong length.
std::optional<std::string> FromBase64(std::string_view text);

}  // namespace tavrin::irc
