#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "irc/tls_engine.h"
#include "win32/irc/security_handles.h"

// The system's TLS (Schannel, through SSPI) for one connection to a server,
// with the server's certificate checked against the system's trusted
// authorities.
namespace tavrin::win32 {

// Which form of credentials to ask the system for first. The current form
// can say "nothing below TLS 1.2" by itself; systems that predate it take
// only the older one, which names the versions allowed instead.
enum class CredentialsForm { kCurrent, kOlder };

class SchannelEngine final : public irc::TlsEngine {
 public:
  explicit SchannelEngine(CredentialsForm form = CredentialsForm::kCurrent);
  ~SchannelEngine() override;
  SchannelEngine(const SchannelEngine&) = delete;
  SchannelEngine& operator=(const SchannelEngine&) = delete;

  irc::TlsOutput Start(const std::string& host) override;
  irc::TlsOutput Feed(std::string_view bytes) override;
  std::optional<std::string> Seal(std::string_view plain) override;
  irc::PeerCertificate Certificate() override;
  std::string Protocol() override;

 private:
  using State = irc::TlsOutput::State;

  bool AcquireCredentials();
  // Runs the handshake over the bytes buffered; `mustCall` calls the system
  // even with none (a renegotiation asked for in the last record).
  void Negotiate(irc::TlsOutput& out, bool mustCall);
  void HandshakeDone();
  void Decrypt(irc::TlsOutput& out);
  void Fail(std::string reason);
  irc::TlsOutput Report(irc::TlsOutput out) const;

  CredentialsForm form_;
  CredentialsHandle credentials_;
  SecurityContext context_;
  std::wstring host_;
  unsigned long requests_ = 0;
  // Bytes from the server not yet taken by the system.
  std::string incoming_;
  State state_ = State::kFailed;
  bool established_ = false;
  std::string protocol_;
  std::string error_;
  std::size_t header_ = 0;
  std::size_t trailer_ = 0;
  std::size_t maximumMessage_ = 0;
};

class SchannelEngines final : public irc::TlsEngines {
 public:
  explicit SchannelEngines(CredentialsForm form = CredentialsForm::kCurrent)
      : form_(form) {}
  std::unique_ptr<irc::TlsEngine> Make() override;

 private:
  CredentialsForm form_;
};

}  // namespace tavrin::win32
