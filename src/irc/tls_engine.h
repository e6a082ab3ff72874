#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

// The system's TLS, seen from the client: bytes from the server go in,
// bytes for the server and plain text come out. Windows gives it with
// Schannel; tests give a fake. One engine serves one connection.
namespace tavrin::irc {

// What the system found wrong with the server's certificate, checked by its
// own chain of trust and against the host name the user gave.
enum class CertificateProblem {
  kNone,
  kUntrusted,  // not issued by an authority the system trusts (or self-made)
  kExpired,    // outside its dates, or an issuer's
  kWrongName,  // trusted, but for another name
  kRevoked,
  kOther,      // anything else the system refused it for
};

struct PeerCertificate {
  CertificateProblem problem = CertificateProblem::kOther;
  // The system's own words, shown for kOther.
  std::string detail;
  // SHA-256 of the certificate as sent (DER): what the user pins.
  std::array<std::uint8_t, 32> sha256{};
};

struct TlsOutput {
  enum class State { kHandshaking, kReady, kClosed, kFailed };
  State state = State::kHandshaking;
  // Bytes to send to the server as they are (handshake, alerts, sealed
  // records).
  std::string toServer;
  // Plain text the server sent (application data), in order.
  std::string plain;
  // For kFailed: what went wrong, for the user.
  std::string error;
};

class TlsEngine {
 public:
  virtual ~TlsEngine() = default;
  // Begins the handshake with the server known as `host` (sent as the
  // server name, and the name its certificate is checked against).
  virtual TlsOutput Start(const std::string& host) = 0;
  // Bytes from the server, split anywhere; the engine keeps what is not a
  // whole record yet. A renegotiation the server asks for is carried out
  // here (state kHandshaking until it is done).
  virtual TlsOutput Feed(std::string_view bytes) = 0;
  // Plain text sealed into records, once kReady; nullopt when the system
  // refused to seal it.
  virtual std::optional<std::string> Seal(std::string_view plain) = 0;
  // The server's certificate and the system's verdict on it, once the
  // first handshake is done.
  virtual PeerCertificate Certificate() = 0;
  // The protocol agreed, for the user ("TLS 1.2"), once kReady.
  virtual std::string Protocol() = 0;
};

class TlsEngines {
 public:
  virtual ~TlsEngines() = default;
  virtual std::unique_ptr<TlsEngine> Make() = 0;
};

}  // namespace tavrin::irc
