#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The byte stream to the IRC server. Windows gives it with Winsock, and
// TlsLayer gives it over another one, encrypted. Tests give a fake.
namespace tavrin::irc {

class ConnectionEvents {
 public:
  virtual ~ConnectionEvents() = default;
  virtual void Connected() = 0;
  // Bytes as they came: lines may be split anywhere.
  virtual void Received(std::string_view bytes) = 0;
  // The connection failed to open, or was closed by the server or the
  // network; `reason` is for the user.
  virtual void Closed(const std::string& reason) = 0;
  // The connection opened, but what answered may not be used (a
  // certificate the user has not accepted): trying again would meet the
  // same. Nothing follows.
  virtual void Refused(const std::string& reason) = 0;
  // A line for the user about the connection itself.
  virtual void Notice(const std::string& line) = 0;
};

class Connection {
 public:
  virtual ~Connection() = default;
  // Starts opening; the outcome comes as Connected or Closed, never from
  // inside this call.
  virtual void Open(const std::string& host, std::uint16_t port,
                    ConnectionEvents& events) = 0;
  // Queues bytes; they go out in order. Ignored when not connected.
  virtual void Send(std::string_view bytes) = 0;
  // Closes at once; no event follows.
  virtual void Close() = 0;
};

}  // namespace tavrin::irc
