#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// An IRC server inside the test process, following a small script, for
// what Debian's servers cannot be made to do on loopback (logging in with
// an account): it answers capability negotiation and SASL PLAIN, welcomes
// the client, echoes its joins and keeps every line each connection sent.
namespace tavrin::e2e {

using namespace std::chrono_literals;

struct ScriptedLogin {
  // The capability list's lines, one CAP LS line each ("sasl=PLAIN
  // multi-prefix" in one line, or spread over several). Empty: the server
  // knows no CAP and answers it 421.
  std::vector<std::string> capabilities;
  // What AUTHENTICATE must carry to log in.
  std::string account;
  std::string password;
};

struct ReceivedLine {
  int connection;  // 1 for the first accepted, then 2, ...
  std::string text;
  std::chrono::steady_clock::time_point when;
};

class IrcScriptServer {
 public:
  explicit IrcScriptServer(ScriptedLogin script);
  ~IrcScriptServer();
  IrcScriptServer(const IrcScriptServer&) = delete;
  IrcScriptServer& operator=(const IrcScriptServer&) = delete;

  bool Listening() const { return listener_ != ~std::uintptr_t{0}; }
  std::uint16_t Port() const { return port_; }

  // Waits, without polling, until `done` holds for what was received and
  // how many connections were accepted and have ended.
  struct Seen {
    const std::vector<ReceivedLine>& lines;
    int connections;
    int ended;
  };
  bool WaitUntil(const std::function<bool(const Seen&)>& done,
                 std::chrono::milliseconds limit = 30s);
  // Waits until a connection sent exactly `line`.
  bool WaitForLine(const std::string& line, std::chrono::milliseconds limit = 30s);
  int Connections() const;
  // The lines that connection sent, in order.
  std::vector<std::string> LinesOf(int connection) const;
  // Every line with its connection and time, for failure messages.
  std::string Describe() const;

 private:
  void Accept();
  void Serve(std::uintptr_t socket, int connection);
  void Record(int connection, const std::string& line);

  const ScriptedLogin script_;
  // Winsock SOCKETs, kept as integers (see irc_peer.h).
  std::uintptr_t listener_;
  std::uint16_t port_ = 0;
  std::atomic<bool> stopping_ = false;
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<ReceivedLine> lines_;
  int connections_ = 0;
  int ended_ = 0;
  std::vector<std::thread> served_;  // one per connection, guarded by mutex_
  std::thread acceptor_;
};

// Base64 with padding, written here so that the test does not check the
// client's encoding with the client's own encoder.
std::string Base64Of(const std::string& bytes);

}  // namespace tavrin::e2e
