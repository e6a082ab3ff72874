#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "irc/tls_engine.h"

// Whether the client goes on with a server's certificate: when the system
// trusts it for the host name, or when the user pinned its fingerprint for
// that host. Nothing else is trusted, and a refusal tells the user what was
// wrong and how to pin.
namespace tavrin::irc {

// "AB:CD:...": upper-case hexadecimal pairs joined by colons.
std::string FingerprintText(const std::array<std::uint8_t, 32>& sha256);
// A fingerprint as the user may type or paste it (any letter case, with
// colons, blanks or nothing between the pairs) in the form above; nullopt
// unless it is 32 bytes of hexadecimal.
std::optional<std::string> NormalFingerprint(std::string_view typed);
// The host as pins are kept: ASCII lower case, no trailing dot.
std::string PinHost(std::string_view host);

struct CertificateVerdict {
  bool accepted = false;
  // For the user: why it was refused and how to pin it, or how it was
  // accepted.
  std::vector<std::string> lines;
};

CertificateVerdict JudgeCertificate(const PeerCertificate& certificate,
                                    const std::string& host,
                                    const std::map<std::string, std::string>& pins);

}  // namespace tavrin::irc
