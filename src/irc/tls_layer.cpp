#include "irc/tls_layer.h"

#include <utility>

#include "irc/certificate_check.h"

namespace tavrin::irc {

TlsLayer::TlsLayer(Connection& transport, TlsEngines& engines, platform::Timers& timers)
    : transport_(transport), engines_(engines), timers_(timers) {}

TlsLayer::~TlsLayer() {
  if (state_ != State::kIdle) transport_.Close();
}

void TlsLayer::Open(const std::string& host, std::uint16_t port, ConnectionEvents& events) {
  Close();
  events_ = &events;
  host_ = host;
  port_ = port;
  state_ = State::kOpening;
  transport_.Open(host, port, *this);
}

void TlsLayer::Send(std::string_view bytes) {
  if (state_ == State::kRenegotiating) {
    held_.append(bytes);
    return;
  }
  if (state_ != State::kReady || bytes.empty()) return;
  const auto sealed = engine_->Seal(bytes);
  if (!sealed) return FailLater("the system could not encrypt what was to be sent");
  transport_.Send(*sealed);
}

void TlsLayer::Close() {
  ++generation_;
  if (state_ != State::kIdle) transport_.Close();
  Drop();
}

void TlsLayer::Drop() {
  state_ = State::kIdle;
  engine_.reset();
  records_ = TlsRecords{};
  held_.clear();
  later_.reset();
}

void TlsLayer::Connected() {
  if (state_ != State::kOpening) return;
  state_ = State::kHandshake;
  engine_ = engines_.Make();
  Apply(engine_->Start(host_));
}

void TlsLayer::Received(std::string_view bytes) {
  if (state_ != State::kHandshake && state_ != State::kReady &&
      state_ != State::kRenegotiating) {
    return;
  }
  if (!records_.Feed(bytes)) {
    return Fail(state_ == State::kHandshake
                    ? "the server did not answer in TLS: is " + std::to_string(port_) +
                          " its TLS port?"
                    : "the server sent something that is not TLS");
  }
  Apply(engine_->Feed(bytes));
}

void TlsLayer::Closed(const std::string& reason) {
  if (state_ == State::kIdle) return;
  const bool midRecord = records_.InsideRecord();
  const bool handshaking = state_ == State::kHandshake;
  Drop();
  ConnectionEvents& events = *events_;
  if (midRecord) return events.Closed("the connection closed in the middle of a TLS record");
  events.Closed(handshaking ? reason + " during the TLS handshake" : reason);
}

void TlsLayer::Refused(const std::string& reason) {
  if (state_ == State::kIdle) return;
  Drop();
  events_->Refused(reason);
}

void TlsLayer::Notice(const std::string& line) {
  if (state_ != State::kIdle) events_->Notice(line);
}

bool TlsLayer::Apply(TlsOutput output) {
  if (!output.toServer.empty()) transport_.Send(output.toServer);
  switch (output.state) {
    case TlsOutput::State::kFailed:
      Fail("TLS failed: " + output.error);
      return false;
    case TlsOutput::State::kClosed: {
      if (!Deliver(output.plain)) return false;
      transport_.Close();
      Drop();
      events_->Closed("the server closed the connection");
      return false;
    }
    case TlsOutput::State::kHandshaking:
      if (state_ == State::kReady) state_ = State::kRenegotiating;
      return Deliver(output.plain);
    case TlsOutput::State::kReady:
      break;
  }
  if (state_ == State::kHandshake && !HandshakeDone()) return false;
  if (state_ == State::kRenegotiating) {
    state_ = State::kReady;
    if (!held_.empty()) Send(std::exchange(held_, {}));
  }
  return Deliver(output.plain);
}

bool TlsLayer::HandshakeDone() {
  const CertificateVerdict verdict = JudgeCertificate(engine_->Certificate(), host_, pins_);
  const std::uint64_t generation = generation_;
  for (const std::string& line : verdict.lines) {
    events_->Notice(line);
    if (generation != generation_) return false;
  }
  if (!verdict.accepted) {
    transport_.Close();
    Drop();
    events_->Refused("the server's certificate was not accepted");
    return false;
  }
  state_ = State::kReady;
  events_->Notice("Encrypted with " + engine_->Protocol() + ".");
  if (generation != generation_) return false;
  events_->Connected();
  return generation == generation_;
}

bool TlsLayer::Deliver(const std::string& plain) {
  if (plain.empty() || state_ == State::kIdle) return state_ != State::kIdle;
  const std::uint64_t generation = generation_;
  events_->Received(plain);
  return generation == generation_;
}

void TlsLayer::Fail(const std::string& reason) {
  transport_.Close();
  Drop();
  events_->Closed(reason);
}

void TlsLayer::FailLater(const std::string& reason) {
  if (later_) return;
  laterReason_ = reason;
  later_ = timers_.Start(platform::Milliseconds(0), [this] { FailNow(); });
}

void TlsLayer::FailNow() {
  later_.reset();
  if (state_ != State::kIdle) Fail(std::string(laterReason_));
}

}  // namespace tavrin::irc
