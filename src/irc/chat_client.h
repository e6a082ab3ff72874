#pragma once

#include <memory>
#include <string>

#include "irc/client_settings.h"
#include "irc/client_view.h"
#include "irc/connection.h"
#include "irc/tls_engine.h"
#include "platform/clock.h"

// The IRC client without its windows: signs on, keeps the rooms, answers
// the server, sends what the user types at the pace the server allows and
// reconnects after a drop. Everything runs on the user-interface thread;
// time comes from the injected clock and timers.
namespace tavrin::irc {

class ChatClient {
 public:
  // `transport` carries the bytes; with TLS on they go through an engine
  // from `tls`.
  ChatClient(Connection& transport, TlsEngines& tls, platform::Clock& clock,
             platform::Timers& timers, ClientView& view);
  ~ChatClient();
  ChatClient(const ChatClient&) = delete;
  ChatClient& operator=(const ChatClient&) = delete;

  // Connects (again) with these settings; a connection that is open is
  // closed first.
  void Connect(const ClientSettings& settings);
  // Sends QUIT with `reason` when signed on and closes; no reconnect.
  void Disconnect(const std::string& reason);

  // A line typed in a room's entry box (or in the welcome window's, with
  // an empty channel): a message to the room, or a command when it begins
  // with "/". The user's own message shows in the room at once. "/pin
  // <fingerprint>" trusts the server's certificate with that fingerprint
  // and connects again when not signed on.
  void Type(const std::string& channel, const std::string& text);

  const std::string& Nick() const;
  bool SignedOn() const;

 private:
  class Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace tavrin::irc
