#include <winsock2.h>

#include "irc_script_server.h"

#include <algorithm>
#include <optional>

#include "irc/irc_message.h"
#include "loopback_socket.h"

namespace tavrin::e2e {
namespace {

using Clock = std::chrono::steady_clock;

constexpr char kServerName[] = "irc.script.test";
// Long enough for the stop flag to be seen soon, short enough to cost
// nothing while the test waits.
constexpr long kPollMicroseconds = 50000;

bool Readable(SOCKET socket) {
  fd_set readable;
  FD_ZERO(&readable);
  FD_SET(socket, &readable);
  timeval wait{0, kPollMicroseconds};
  return select(0, &readable, nullptr, nullptr, &wait) > 0;
}

std::vector<std::string> Words(const std::string& text, char separator) {
  std::vector<std::string> words;
  for (std::size_t at = 0; at <= text.size();) {
    const std::size_t end = std::min(text.find(separator, at), text.size());
    if (end > at) words.push_back(text.substr(at, end - at));
    at = end + 1;
  }
  return words;
}

// One client's conversation with the script.
class Conversation {
 public:
  Conversation(SOCKET socket, const ScriptedLogin& script)
      : socket_(socket), script_(script) {}

  // False once the client quit.
  bool Handle(const std::string& line) {
    const auto message = irc::ParseMessage(line);
    if (!message) return true;
    const std::string& command = message->command;
    const auto& params = message->params;
    const std::string first = params.empty() ? std::string() : params[0];
    if (command == "CAP") {
      Capability(params);
    } else if (command == "AUTHENTICATE") {
      Authenticate(first);
    } else if (command == "NICK") {
      if (registered_) Send(":" + Mask() + " NICK :" + first);
      nick_ = first;
      Register();
    } else if (command == "USER") {
      user_ = true;
      Register();
    } else if (command == "JOIN" && registered_) {
      for (const std::string& channel : Words(first, ',')) {
        Send(":" + Mask() + " JOIN :" + channel);
        Numeric("353", "= " + channel + " :" + nick_);
        Numeric("366", channel + " :End of /NAMES list.");
      }
    } else if (command == "PING") {
      Send(std::string(":") + kServerName + " PONG " + kServerName + " :" + first);
    } else if (command == "QUIT") {
      Send("ERROR :Closing link");
      return false;
    }
    return true;
  }

 private:
  void Capability(const std::vector<std::string>& params) {
    if (script_.capabilities.empty()) {
      Numeric("421", "CAP :Unknown command");
      return;
    }
    const std::string sub = params.empty() ? std::string() : params[0];
    const std::string asked = params.empty() ? std::string() : params.back();
    if (sub == "LS") {
      negotiating_ = true;
      for (std::size_t i = 0; i < script_.capabilities.size(); ++i) {
        const bool more = i + 1 < script_.capabilities.size();
        Send(std::string(":") + kServerName + " CAP " + Target() + " LS " +
             (more ? "* :" : ":") + script_.capabilities[i]);
      }
    } else if (sub == "REQ") {
      negotiating_ = true;
      const std::vector<std::string> names = Words(asked, ' ');
      const bool offered = std::all_of(names.begin(), names.end(), [&](const std::string& name) {
        return Offers(name);
      });
      Send(std::string(":") + kServerName + " CAP " + Target() +
           (offered ? " ACK :" : " NAK :") + asked);
    } else if (sub == "END") {
      negotiating_ = false;
      Register();
    }
  }

  bool Offers(const std::string& name) const {
    for (const std::string& line : script_.capabilities) {
      for (const std::string& word : Words(line, ' ')) {
        if (word.substr(0, word.find('=')) == name) return true;
      }
    }
    return false;
  }

  void Authenticate(const std::string& word) {
    if (!plain_) {
      if (word == "PLAIN") {
        plain_ = true;
        Send("AUTHENTICATE +");
      } else {
        Numeric("908", "PLAIN :are available SASL mechanisms");
        Numeric("904", ":SASL authentication failed");
      }
      return;
    }
    if (word == "*") {
      plain_ = false;
      payload_.clear();
      Numeric("906", ":SASL authentication aborted");
      return;
    }
    if (word != "+") payload_ += word;
    // A piece of exactly 400 characters says that more follow.
    if (word.size() == 400) return;
    const std::string expected = Base64Of(script_.account + std::string(1, '\0') +
                                          script_.account + std::string(1, '\0') +
                                          script_.password);
    if (payload_ == expected) {
      Numeric("900", Mask() + " " + script_.account + " :You are now logged in as " +
                         script_.account);
      Numeric("903", ":SASL authentication successful");
    } else {
      Numeric("904", ":SASL authentication failed");
    }
    plain_ = false;
    payload_.clear();
  }

  void Register() {
    if (registered_ || negotiating_ || nick_.empty() || !user_) return;
    registered_ = true;
    Numeric("001", ":Welcome to the scripted server, " + nick_);
  }

  std::string Target() const { return nick_.empty() ? "*" : nick_; }
  std::string Mask() const { return nick_ + "!" + nick_ + "@127.0.0.1"; }

  void Numeric(const std::string& code, const std::string& rest) {
    Send(std::string(":") + kServerName + " " + code + " " + Target() + " " + rest);
  }

  void Send(const std::string& line) {
    const std::string bytes = line + "\r\n";
    send(socket_, bytes.data(), static_cast<int>(bytes.size()), 0);
  }

  SOCKET socket_;
  const ScriptedLogin& script_;
  std::string nick_;
  bool user_ = false;
  bool negotiating_ = false;
  bool registered_ = false;
  bool plain_ = false;
  std::string payload_;
};

}  // namespace

std::string Base64Of(const std::string& bytes) {
  static constexpr char kAlphabet[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string text;
  for (std::size_t at = 0; at < bytes.size(); at += 3) {
    const std::size_t count = std::min<std::size_t>(3, bytes.size() - at);
    unsigned group = 0;
    for (std::size_t i = 0; i < 3; ++i) {
      group = group << 8 | (i < count ? static_cast<unsigned char>(bytes[at + i]) : 0u);
    }
    for (std::size_t i = 0; i < 4; ++i) {
      text += i <= count ? kAlphabet[group >> (18 - 6 * i) & 63] : '=';
    }
  }
  return text;
}

IrcScriptServer::IrcScriptServer(ScriptedLogin script)
    : script_(std::move(script)), listener_(INVALID_SOCKET) {
  WSADATA data;
  WSAStartup(MAKEWORD(2, 2), &data);
  const SOCKET listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in address = LoopbackAddress(0);
  int length = sizeof address;
  if (bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      listen(listener, SOMAXCONN) != 0 ||
      getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    closesocket(listener);
    return;
  }
  listener_ = listener;
  port_ = ntohs(address.sin_port);
  acceptor_ = std::thread([this] { Accept(); });
}

IrcScriptServer::~IrcScriptServer() {
  stopping_ = true;
  if (acceptor_.joinable()) acceptor_.join();
  // The acceptor has stopped: nothing adds to served_ any more.
  for (std::thread& thread : served_) thread.join();
  if (Listening()) closesocket(listener_);
  WSACleanup();
}

void IrcScriptServer::Accept() {
  while (!stopping_) {
    if (!Readable(listener_)) continue;
    const SOCKET client = accept(listener_, nullptr, nullptr);
    if (client == INVALID_SOCKET) continue;
    const std::lock_guard lock(mutex_);
    const int connection = ++connections_;
    served_.emplace_back([this, client, connection] { Serve(client, connection); });
    changed_.notify_all();
  }
}

void IrcScriptServer::Serve(std::uintptr_t socket, int connection) {
  Conversation conversation(socket, script_);
  std::string pending;
  bool open = true;
  while (open && !stopping_) {
    if (!Readable(socket)) continue;
    char buffer[4096];
    const int got = recv(socket, buffer, sizeof buffer, 0);
    if (got <= 0) break;
    pending.append(buffer, static_cast<std::size_t>(got));
    for (std::size_t end; open && (end = pending.find('\n')) != std::string::npos;) {
      std::string line = pending.substr(0, end);
      pending.erase(0, end + 1);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      Record(connection, line);
      open = conversation.Handle(line);
    }
  }
  closesocket(socket);
  const std::lock_guard lock(mutex_);
  ++ended_;
  changed_.notify_all();
}

void IrcScriptServer::Record(int connection, const std::string& line) {
  const std::lock_guard lock(mutex_);
  lines_.push_back(ReceivedLine{connection, line, Clock::now()});
  changed_.notify_all();
}

bool IrcScriptServer::WaitUntil(const std::function<bool(const Seen&)>& done,
                                std::chrono::milliseconds limit) {
  std::unique_lock lock(mutex_);
  return changed_.wait_for(lock, limit, [&] {
    return done(Seen{lines_, connections_, ended_});
  });
}

bool IrcScriptServer::WaitForLine(const std::string& line,
                                  std::chrono::milliseconds limit) {
  return WaitUntil(
      [&](const Seen& seen) {
        return std::any_of(seen.lines.begin(), seen.lines.end(),
                           [&](const ReceivedLine& one) { return one.text == line; });
      },
      limit);
}

int IrcScriptServer::Connections() const {
  const std::lock_guard lock(mutex_);
  return connections_;
}

std::vector<std::string> IrcScriptServer::LinesOf(int connection) const {
  const std::lock_guard lock(mutex_);
  std::vector<std::string> texts;
  for (const ReceivedLine& one : lines_) {
    if (one.connection == connection) texts.push_back(one.text);
  }
  return texts;
}

std::string IrcScriptServer::Describe() const {
  const std::lock_guard lock(mutex_);
  std::string text = std::to_string(connections_) + " connections, " +
                     std::to_string(ended_) + " ended\n";
  const auto start = lines_.empty() ? Clock::now() : lines_.front().when;
  for (const ReceivedLine& one : lines_) {
    const auto at = std::chrono::duration_cast<std::chrono::milliseconds>(one.when - start);
    text += std::to_string(at.count()) + " ms #" + std::to_string(one.connection) + " < " +
            one.text + "\n";
  }
  return text;
}

}  // namespace tavrin::e2e
