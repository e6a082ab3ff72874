#pragma once

#include <chrono>
#include <cstdint>
#include <string>

// A real IRC server (Debian's ngircd) on loopback for the end-to-end tests,
// started by the test through Wine's way of running a Unix program, with a
// configuration of the test's own on a free port.
namespace tavrin::e2e {

using namespace std::chrono_literals;

class IrcServer {
 public:
  // How the server paces what a client sends: as it does on a real
  // network, or not at all (for traffic faster than one client may send).
  enum class Pacing { kThrottled, kUnthrottled };

  // Starts the server with #tavrin predefined; Running() tells whether it
  // answers.
  explicit IrcServer(Pacing pacing = Pacing::kThrottled);
  ~IrcServer();
  IrcServer(const IrcServer&) = delete;
  IrcServer& operator=(const IrcServer&) = delete;

  bool Running() const { return running_; }
  std::uint16_t Port() const { return port_; }
  // Stops the server (its clients lose their connection) and starts it
  // again on the same port; true once it answers again.
  void Stop();
  bool Start();

 private:
  std::string unixFolder_;
  std::uint16_t port_ = 0;
  bool running_ = false;
};

// A TCP port on 127.0.0.1 that nothing listens on now.
std::uint16_t FreeLoopbackPort();
// Whether something accepts connections on the loopback port.
bool Accepts(std::uint16_t port);

}  // namespace tavrin::e2e
