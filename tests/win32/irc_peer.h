#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Another person in the channel, scripted by the test: signs on to the
// test's IRC server over its own socket, says lines and keeps what the
// channel said to it.
namespace tavrin::e2e {

using namespace std::chrono_literals;

struct Heard {
  std::string nick;
  std::string target;
  std::string text;
  std::chrono::steady_clock::time_point when;
};

class IrcPeer {
 public:
  IrcPeer();
  ~IrcPeer();
  IrcPeer(const IrcPeer&) = delete;
  IrcPeer& operator=(const IrcPeer&) = delete;

  // Signs on as `nick` and joins `channel`; true once in it.
  bool Join(std::uint16_t port, const std::string& nick,
            const std::string& channel = "#tavrin");
  void Say(const std::string& text, const std::string& channel = "#tavrin");
  // Reads until `done` holds for what was heard, or the limit passes.
  bool WaitUntil(const std::function<bool(const std::vector<Heard>&)>& done,
                 std::chrono::milliseconds limit = 20s);
  // Waits until someone said exactly `text`; true when one did.
  bool WaitForText(const std::string& text, std::chrono::milliseconds limit = 20s);
  // Waits until the nick is among the channel's people.
  bool WaitForPerson(const std::string& nick, std::chrono::milliseconds limit = 30s);
  const std::vector<Heard>& HeardSoFar() const { return heard_; }
  // Reads what has come, for the time given.
  void Listen(std::chrono::milliseconds period);
  void Quit();

 private:
  void Send(const std::string& line);
  // Reads and handles one line, waiting no longer than the limit.
  bool ReadLine(std::chrono::milliseconds limit);
  void Handle(const std::string& line);

  // A Winsock SOCKET, kept as its integer so that users of this header need
  // not order their Windows headers around it.
  std::uintptr_t socket_;
  std::string nick_;
  std::string pending_;
  std::vector<Heard> heard_;
  std::vector<std::string> people_;
  bool registered_ = false;
  std::vector<std::string> joined_;
};

// A transcript-free description for failure messages.
std::string Describe(const std::vector<Heard>& heard);

}  // namespace tavrin::e2e
