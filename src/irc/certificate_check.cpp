#include "irc/certificate_check.h"

#include "irc/irc_text.h"
#include "irc/nick.h"

namespace tavrin::irc {
namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string Problem(const PeerCertificate& certificate, const std::string& host) {
  switch (certificate.problem) {
    case CertificateProblem::kNone: return {};
    case CertificateProblem::kUntrusted:
      return "it is not from an authority this computer trusts";
    case CertificateProblem::kExpired:
      return "it has expired, or is not valid yet";
    case CertificateProblem::kWrongName:
      return "it is for another name than " + ShownText(host);
    case CertificateProblem::kRevoked:
      return "its issuer has revoked it";
    case CertificateProblem::kOther:
      break;
  }
  const std::string detail = ShownText(certificate.detail);
  return detail.empty() ? "this computer does not accept it" : detail;
}

}  // namespace

std::string FingerprintText(const std::array<std::uint8_t, 32>& sha256) {
  constexpr std::string_view kDigits = "0123456789ABCDEF";
  std::string text;
  for (const std::uint8_t byte : sha256) {
    if (!text.empty()) text.push_back(':');
    text.push_back(kDigits[byte >> 4]);
    text.push_back(kDigits[byte & 15]);
  }
  return text;
}

std::optional<std::string> NormalFingerprint(std::string_view typed) {
  std::array<std::uint8_t, 32> bytes{};
  std::size_t digits = 0;
  for (const char c : typed) {
    if (c == ':' || c == ' ' || c == '\t') continue;
    const int value = HexValue(c);
    if (value < 0 || digits >= 64) return std::nullopt;
    bytes[digits / 2] = static_cast<std::uint8_t>(bytes[digits / 2] << 4 | value);
    ++digits;
  }
  if (digits != 64) return std::nullopt;
  return FingerprintText(bytes);
}

std::string PinHost(std::string_view host) {
  while (!host.empty() && host.back() == '.') host.remove_suffix(1);
  return Folded(host, CaseMapping::kAscii);
}

CertificateVerdict JudgeCertificate(const PeerCertificate& certificate,
                                    const std::string& host,
                                    const std::map<std::string, std::string>& pins) {
  CertificateVerdict verdict;
  if (certificate.problem == CertificateProblem::kNone) {
    verdict.accepted = true;
    return verdict;
  }
  const std::string fingerprint = FingerprintText(certificate.sha256);
  const std::string problem = Problem(certificate, host);
  const std::string shownHost = ShownText(host);
  const auto pin = pins.find(PinHost(host));
  if (pin != pins.end() && pin->second == fingerprint) {
    verdict.accepted = true;
    verdict.lines.push_back("The server's certificate is accepted because you pinned it for " +
                            shownHost + " (" + problem + ").");
    return verdict;
  }
  verdict.lines.push_back("The server's certificate was refused: " + problem + ".");
  verdict.lines.push_back("Its SHA-256 fingerprint is " + fingerprint + ".");
  verdict.lines.push_back("If the network confirms that fingerprint, type /pin " + fingerprint +
                          " to trust this certificate for " + shownHost + ".");
  return verdict;
}

}  // namespace tavrin::irc
