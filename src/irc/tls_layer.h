#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "irc/connection.h"
#include "irc/tls_engine.h"
#include "irc/tls_records.h"
#include "platform/clock.h"

// TLS over another connection, with the system's engine: the client sees a
// connection that opens once the handshake is done and the server's
// certificate is accepted (JudgeCertificate), and plain text both ways.
namespace tavrin::irc {

class TlsLayer final : public Connection, private ConnectionEvents {
 public:
  TlsLayer(Connection& transport, TlsEngines& engines, platform::Timers& timers);
  ~TlsLayer() override;
  TlsLayer(const TlsLayer&) = delete;
  TlsLayer& operator=(const TlsLayer&) = delete;

  // The certificates the user pinned, host to fingerprint, for the next
  // Open.
  void Trust(std::map<std::string, std::string> pins) { pins_ = std::move(pins); }

  void Open(const std::string& host, std::uint16_t port, ConnectionEvents& events) override;
  void Send(std::string_view bytes) override;
  void Close() override;

 private:
  enum class State { kIdle, kOpening, kHandshake, kReady, kRenegotiating };

  void Connected() override;
  void Received(std::string_view bytes) override;
  void Closed(const std::string& reason) override;
  void Refused(const std::string& reason) override;
  void Notice(const std::string& line) override;

  // Each returns false when the client closed or reopened from inside a
  // call into it: then nothing more of this connection may be done.
  bool Apply(TlsOutput output);
  bool HandshakeDone();
  bool Deliver(const std::string& plain);
  void Fail(const std::string& reason);
  // For a failure found inside Send, which must not call back.
  void FailLater(const std::string& reason);
  void FailNow();
  void Drop();

  Connection& transport_;
  TlsEngines& engines_;
  platform::Timers& timers_;
  std::map<std::string, std::string> pins_;
  ConnectionEvents* events_ = nullptr;
  std::unique_ptr<TlsEngine> engine_;
  TlsRecords records_;
  std::string host_;
  std::uint16_t port_ = 0;
  State state_ = State::kIdle;
  // Counts up at every Open and Close, so that a call into the client
  // that closed or reopened is noticed.
  std::uint64_t generation_ = 0;
  // Plain text held back while the server renegotiates.
  std::string held_;
  std::unique_ptr<platform::Timer> later_;
  std::string laterReason_;
};

}  // namespace tavrin::irc
