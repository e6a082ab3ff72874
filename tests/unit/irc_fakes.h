#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "irc/client_view.h"
#include "irc/connection.h"
#include "irc/secret_box.h"
#include "irc/tls_engine.h"

namespace tavrin::irc::testing {

// A connection the test drives: it says what the client sent and plays the
// server's side by hand.
class FakeConnection final : public Connection {
 public:
  void Open(const std::string& host, std::uint16_t port, ConnectionEvents& events) override {
    ++opens;
    openedTo = host + ":" + std::to_string(port);
    events_ = &events;
    open = true;
  }
  void Send(std::string_view bytes) override {
    if (open) sent += bytes;
  }
  void Close() override {
    open = false;
    events_ = nullptr;
  }

  void Accept() { events_->Connected(); }
  void Say(std::string_view bytes) { events_->Received(bytes); }
  // What a server that has stopped answering looks like: nothing comes.
  bool Opened() const { return events_ != nullptr; }
  void Drop(const std::string& reason) {
    ConnectionEvents* events = events_;
    open = false;
    events_ = nullptr;
    events->Closed(reason);
  }
  // The lines sent since the last call, without their CR LF.
  std::vector<std::string> TakeLines() {
    std::vector<std::string> lines;
    for (std::size_t end; (end = sent.find("\r\n")) != std::string::npos;) {
      lines.push_back(sent.substr(0, end));
      sent.erase(0, end + 2);
    }
    return lines;
  }

  int opens = 0;
  bool open = false;
  std::string openedTo;
  std::string sent;

 private:
  ConnectionEvents* events_ = nullptr;
};

class FakeView final : public ClientView {
 public:
  void NickChanged(const std::string& nick) override { this->nick = nick; }
  void RoomOpened(const std::string& channel) override { rooms[channel].open = true; }
  void RoomClosed(const std::string& channel) override { rooms[channel].open = false; }
  void RoomLine(const std::string& channel, const std::string& line) override {
    rooms[channel].lines.push_back(line);
  }
  void PeopleChanged(const std::string& channel,
                     const std::vector<std::string>& people) override {
    rooms[channel].people = people;
  }
  void TopicChanged(const std::string& channel, const std::string& topic) override {
    rooms[channel].topic = topic;
  }
  void StatusLine(const std::string& line) override { status.push_back(line); }
  void SettingsChanged(const ClientSettings& settings) override { stored.push_back(settings); }

  struct Room {
    bool open = false;
    std::vector<std::string> lines;
    std::vector<std::string> people;
    std::string topic;
  };
  std::string nick;
  std::map<std::string, Room> rooms;
  std::vector<std::string> status;
  std::vector<ClientSettings> stored;
};

// A TLS record: what the fake engine reads and writes.
inline std::string Record(std::uint8_t type, std::string_view payload) {
  std::string record{static_cast<char>(type), 3, 3,
                     static_cast<char>(payload.size() >> 8),
                     static_cast<char>(payload.size() & 0xFF)};
  return record.append(payload);
}
inline constexpr std::uint8_t kHandshake = 22;
inline constexpr std::uint8_t kAlert = 21;
inline constexpr std::uint8_t kData = 23;

// TLS without the cryptography: the server's handshake record "DONE" ends
// a handshake ("AGAIN" begins a renegotiation), data records carry plain
// text as it is, and the alerts "CLOSE" and "FAIL" end the connection.
class FakeTlsEngine final : public TlsEngine {
 public:
  explicit FakeTlsEngine(PeerCertificate certificate) : certificate_(certificate) {}

  TlsOutput Start(const std::string& host) override {
    this->host = host;
    return {TlsOutput::State::kHandshaking, Record(kHandshake, "HELLO"), {}, {}};
  }
  TlsOutput Feed(std::string_view bytes) override {
    buffer_.append(bytes);
    TlsOutput output{state_, {}, {}, {}};
    while (buffer_.size() >= 5) {
      const std::size_t size =
          static_cast<std::uint8_t>(buffer_[3]) << 8 | static_cast<std::uint8_t>(buffer_[4]);
      if (buffer_.size() < 5 + size) break;
      const std::uint8_t type = static_cast<std::uint8_t>(buffer_[0]);
      const std::string payload = buffer_.substr(5, size);
      buffer_.erase(0, 5 + size);
      if (type == kData) output.plain += payload;
      if (type == kHandshake) state_ = payload == "DONE" ? kReady : kHandshaking;
      if (type == kAlert) state_ = payload == "CLOSE" ? kClosed : kFailed;
      if (state_ == kFailed) output.error = "the server sent an alert";
      if (state_ == kClosed || state_ == kFailed) break;
    }
    output.state = state_;
    return output;
  }
  std::optional<std::string> Seal(std::string_view plain) override {
    if (state_ != kReady) return std::nullopt;
    return Record(kData, plain);
  }
  PeerCertificate Certificate() override { return certificate_; }
  std::string Protocol() override { return "TLS 1.2"; }

  std::string host;

 private:
  static constexpr auto kHandshaking = TlsOutput::State::kHandshaking;
  static constexpr auto kReady = TlsOutput::State::kReady;
  static constexpr auto kClosed = TlsOutput::State::kClosed;
  static constexpr auto kFailed = TlsOutput::State::kFailed;
  PeerCertificate certificate_;
  TlsOutput::State state_ = kHandshaking;
  std::string buffer_;
};

class FakeTlsEngines final : public TlsEngines {
 public:
  std::unique_ptr<TlsEngine> Make() override {
    ++made;
    return std::make_unique<FakeTlsEngine>(certificate);
  }
  PeerCertificate certificate{CertificateProblem::kNone, {}, {}};
  int made = 0;
};

// Seals by turning every byte around, so that the sealed text never holds
// the secret; or refuses, as a system without its data protection would.
class FakeSecretBox final : public SecretBox {
 public:
  std::optional<std::string> Seal(std::string_view secret) override {
    if (refuse) return std::nullopt;
    std::string sealed = "sealed:";
    for (const char c : secret) sealed.push_back(static_cast<char>(~c));
    return sealed;
  }
  std::optional<std::string> Open(std::string_view sealed) override {
    if (refuse || sealed.substr(0, 7) != "sealed:") return std::nullopt;
    std::string secret;
    for (const char c : sealed.substr(7)) secret.push_back(static_cast<char>(~c));
    return secret;
  }
  bool refuse = false;
};

}  // namespace tavrin::irc::testing
