#include "irc/chat_client.h"

#include <algorithm>
#include <optional>

#include "irc/certificate_check.h"
#include "irc/irc_message.h"
#include "irc/line_reader.h"
#include "irc/reconnect_delay.h"
#include "irc/send_queue.h"
#include "irc/session.h"
#include "irc/tls_layer.h"
#include "irc/typed_command.h"

namespace tavrin::irc {
namespace {

using platform::Milliseconds;

// A server says something at least every few minutes (its own PING); a
// quiet one is asked, and one that stays quiet is taken as gone.
constexpr Milliseconds kQuietBeforePing{210000};
constexpr Milliseconds kPingAnswer{60000};
constexpr Milliseconds kOpenTimeout{60000};

}  // namespace

class ChatClient::Impl final : public ConnectionEvents, public Outbox {
 public:
  Impl(Connection& transport, TlsEngines& tls, platform::Clock& clock,
       platform::Timers& timers, ClientView& view)
      : transport_(transport), tls_(transport, tls, timers), clock_(clock), timers_(timers),
        view_(view), session_(view, *this) {}

  ~Impl() override {
    if (state_ == State::kOpening || state_ == State::kOpen) Link().Close();
  }

  void Connect(const ClientSettings& settings) {
    CloseConnection();
    settings_ = settings;
    delay_.Reset();
    Open();
  }

  void Disconnect(const std::string& reason) {
    if (state_ == State::kOpen && session_.SignedOn()) {
      if (const auto quit = FormatMessage("QUIT", {reason.empty() ? "Tavrin Chat" : reason})) {
        Link().Send(*quit + "\r\n");
      }
    }
    CloseConnection();
    state_ = State::kIdle;
    view_.StatusLine("Disconnected.");
    Reschedule();
  }

  void Type(const std::string& channel, const std::string& text) {
    if (const TypedCommand typed = ParseTyped(text); typed.kind == TypedKind::kPin) {
      return Pin(channel, typed.text);
    }
    if (const auto quit = session_.Type(channel, text)) return Disconnect(*quit);
    Flush();
    Reschedule();
  }

  const std::string& Nick() const { return session_.Nick(); }
  bool SignedOn() const { return state_ == State::kOpen && session_.SignedOn(); }

  void Connected() override {
    if (state_ != State::kOpening) return;
    state_ = State::kOpen;
    heardAt_ = clock_.Now();
    pingSentAt_.reset();
    session_.Start(settings_);
    Flush();
    Reschedule();
  }

  void Received(std::string_view bytes) override {
    if (state_ != State::kOpen) return;
    const Milliseconds now = clock_.Now();
    heardAt_ = now;
    pingSentAt_.reset();
    reader_.Feed(bytes, [&](std::string_view line) {
      const bool before = session_.SignedOn();
      session_.Receive(line, now);
      if (!before && session_.SignedOn()) delay_.SignedOn(now);
    });
    if (session_.GaveUp()) {
      CloseConnection();
      state_ = State::kIdle;
    }
    Flush();
    Reschedule();
  }

  void Closed(const std::string& reason) override {
    if (state_ == State::kOpening || state_ == State::kOpen) Dropped(reason);
  }

  void Refused(const std::string& reason) override {
    if (state_ != State::kOpening && state_ != State::kOpen) return;
    view_.StatusLine("Disconnected: " + reason + ". Not connecting again by itself.");
    CloseConnection();
    Reschedule();
  }

  void Notice(const std::string& line) override { view_.StatusLine(line); }

  bool Send(std::string line, bool urgent) override {
    if (!urgent) return queue_.Push(std::move(line));
    queue_.PushUrgent(std::move(line));
    return true;
  }

 private:
  enum class State { kIdle, kOpening, kOpen, kWaiting };

  // What carries the lines: the TLS layer over the transport, or the
  // transport itself.
  Connection& Link() { return settings_.tls ? static_cast<Connection&>(tls_) : transport_; }

  void Pin(const std::string& channel, const std::string& typed) {
    const auto fingerprint = NormalFingerprint(typed);
    if (!fingerprint) {
      return session_.Answer(
          channel, "Not a SHA-256 fingerprint (32 pairs of hexadecimal digits): " + typed);
    }
    if (settings_.server.empty()) {
      return session_.Answer(channel, "No server to pin a certificate for.");
    }
    settings_.pins[PinHost(settings_.server)] = *fingerprint;
    view_.SettingsChanged(settings_);
    session_.Answer(channel, "The certificate " + *fingerprint + " is trusted for " +
                                 settings_.server + ".");
    if (!SignedOn()) Connect(settings_);
  }

  void Open() {
    if (!settings_.Complete()) {
      state_ = State::kIdle;
      view_.StatusLine("Not connecting: the settings need a server and a valid nick.");
      return Reschedule();
    }
    reader_.Reset();
    state_ = State::kOpening;
    openedAt_ = clock_.Now();
    view_.StatusLine("Connecting to " + settings_.server + ":" + std::to_string(settings_.port) +
                     (settings_.tls ? " with TLS..." : " without TLS..."));
    tls_.Trust(settings_.pins);
    Link().Open(settings_.server, settings_.port, *this);
    Reschedule();
  }

  // Closes without a word to the server; the rooms stay open.
  void CloseConnection() {
    const State was = state_;
    if (was == State::kOpening || was == State::kOpen) Link().Close();
    state_ = State::kIdle;
    LoseQueue();
    reader_.Reset();
    if (was == State::kOpen) session_.Dropped();
  }

  void Dropped(const std::string& reason) {
    view_.StatusLine("Disconnected: " + reason);
    CloseConnection();
    const Milliseconds wait = delay_.AfterDrop(clock_.Now());
    state_ = State::kWaiting;
    reconnectAt_ = clock_.Now() + wait;
    view_.StatusLine("Connecting again in " + std::to_string(wait.count() / 1000) + " s.");
    Reschedule();
  }

  void LoseQueue() {
    if (queue_.Empty()) return;
    view_.StatusLine(std::to_string(queue_.Size()) + " lines waiting to go out were not sent.");
    queue_.Clear();
  }

  void Flush() {
    if (state_ != State::kOpen) return;
    while (auto line = queue_.Take(clock_.Now())) Link().Send(*line + "\r\n");
  }

  void Tick() {
    const Milliseconds now = clock_.Now();
    if (state_ == State::kWaiting && now >= reconnectAt_) return Open();
    if (state_ == State::kOpening && now - openedAt_ >= kOpenTimeout) {
      return Dropped(settings_.tls ? "the server did not answer in TLS on port " +
                                         std::to_string(settings_.port)
                                   : "the server did not answer");
    }
    if (state_ == State::kOpen) {
      if (pingSentAt_ && now - *pingSentAt_ >= kPingAnswer) {
        return Dropped("the server stopped answering");
      }
      if (!pingSentAt_ && now - heardAt_ >= kQuietBeforePing) {
        queue_.PushUrgent("PING :tavrin");
        pingSentAt_ = now;
      }
      Flush();
    }
    Reschedule();
  }

  std::optional<Milliseconds> Deadline() const {
    switch (state_) {
      case State::kOpening:
        return openedAt_ + kOpenTimeout;
      case State::kWaiting:
        return reconnectAt_;
      case State::kOpen: {
        const Milliseconds alive = pingSentAt_ ? *pingSentAt_ + kPingAnswer
                                               : heardAt_ + kQuietBeforePing;
        const auto due = queue_.NextDue();
        return due && *due < alive ? *due : alive;
      }
      case State::kIdle:
        break;
    }
    return std::nullopt;
  }

  // One timer, running only while something is due: it is started again
  // when something falls due before its next tick, and at every tick. A
  // tick that comes early (lines heard since) only starts it again.
  void Reschedule() {
    const auto deadline = Deadline();
    if (!deadline) {
      timer_.reset();
      return;
    }
    const Milliseconds now = clock_.Now();
    if (timer_ && !ticking_ && *deadline >= tickAt_) return;
    const Milliseconds interval = std::max(*deadline - now, Milliseconds(10));
    tickAt_ = now + interval;
    timer_ = timers_.Start(interval, [this] { OnTimer(); });
  }

  // Nothing may leave a tick handler by an exception.
  void OnTimer() {
    ticking_ = true;
    try {
      Tick();
    } catch (...) {
      // Out of memory: the next event from the connection starts it again.
      timer_.reset();
    }
    ticking_ = false;
  }

  Connection& transport_;
  TlsLayer tls_;
  platform::Clock& clock_;
  platform::Timers& timers_;
  ClientView& view_;
  Session session_;
  SendQueue queue_;
  LineReader reader_;
  ReconnectDelay delay_;
  ClientSettings settings_;
  State state_ = State::kIdle;
  Milliseconds openedAt_{0};
  Milliseconds heardAt_{0};
  Milliseconds reconnectAt_{0};
  std::optional<Milliseconds> pingSentAt_;
  std::unique_ptr<platform::Timer> timer_;
  Milliseconds tickAt_{0};
  bool ticking_ = false;
};

ChatClient::ChatClient(Connection& transport, TlsEngines& tls, platform::Clock& clock,
                       platform::Timers& timers, ClientView& view)
    : impl_(std::make_unique<Impl>(transport, tls, clock, timers, view)) {}

ChatClient::~ChatClient() = default;

void ChatClient::Connect(const ClientSettings& settings) { impl_->Connect(settings); }
void ChatClient::Disconnect(const std::string& reason) { impl_->Disconnect(reason); }
void ChatClient::Type(const std::string& channel, const std::string& text) {
  impl_->Type(channel, text);
}
const std::string& ChatClient::Nick() const { return impl_->Nick(); }
bool ChatClient::SignedOn() const { return impl_->SignedOn(); }

}  // namespace tavrin::irc
