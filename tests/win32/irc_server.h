#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

// A real IRC server (Debian's ngircd) on loopback for the end-to-end tests,
// started by the test through Wine's way of running a Unix program, with a
// configuration of the test's own on a free port.
namespace tavrin::e2e {

using namespace std::chrono_literals;

// The certificate a server shows on its TLS port: one that
// make-test-certs.sh made (`name` is "localhost", "other", "self" or
// "expired"), in its Unix folder.
struct ServerCertificate {
  std::string unixFolder;
  std::string name;
};

class IrcServer {
 public:
  // How the server paces what a client sends: as it does on a real
  // network, or not at all (for traffic faster than one client may send).
  enum class Pacing { kThrottled, kUnthrottled };

  // Starts the server with #tavrin predefined; Running() tells whether it
  // answers.
  explicit IrcServer(Pacing pacing = Pacing::kThrottled);
  // The same, with a TLS port beside the plain one that shows `certificate`.
  explicit IrcServer(const ServerCertificate& certificate,
                     Pacing pacing = Pacing::kThrottled);
  ~IrcServer();
  IrcServer(const IrcServer&) = delete;
  IrcServer& operator=(const IrcServer&) = delete;

  bool Running() const { return running_; }
  std::uint16_t Port() const { return port_; }
  // 0 without TLS.
  std::uint16_t TlsPort() const { return tlsPort_; }
  // Stops the server (its clients lose their connection) and starts it
  // again on the same ports; true once it answers again.
  void Stop();
  bool Start();

 private:
  void Configure(Pacing pacing, const ServerCertificate* certificate);
  bool Answers() const;

  std::string unixFolder_;
  std::uint16_t port_ = 0;
  std::uint16_t tlsPort_ = 0;
  bool running_ = false;
};

// A Unix path as the Windows programs under Wine see it (Z:\...).
std::wstring DosPath(const std::string& unixPath);
// Runs a shell command line as a Unix process, without waiting for it.
bool RunUnixShell(const std::string& command);
// Runs a shell command line as a Unix process and waits for its end: its
// exit status, or nullopt when it did not end within the limit.
std::optional<int> RunUnixShellAndWait(const std::string& command,
                                       std::chrono::milliseconds limit = 60s);

// A TCP port on 127.0.0.1 that nothing listens on now.
std::uint16_t FreeLoopbackPort();
// Whether something accepts connections on the loopback port.
bool Accepts(std::uint16_t port);

}  // namespace tavrin::e2e
