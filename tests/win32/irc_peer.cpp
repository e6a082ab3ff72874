#include <winsock2.h>

#include "irc_peer.h"

#include <algorithm>

#include "irc/irc_message.h"
#include "loopback_socket.h"

namespace tavrin::e2e {
namespace {

using Clock = std::chrono::steady_clock;

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; });
  return text;
}

std::string NickWithoutRank(std::string nick) {
  while (!nick.empty() && (nick.front() == '@' || nick.front() == '+')) nick.erase(0, 1);
  return nick;
}

}  // namespace

IrcPeer::IrcPeer() : socket_(INVALID_SOCKET) {
  WSADATA data;
  WSAStartup(MAKEWORD(2, 2), &data);
}

IrcPeer::~IrcPeer() {
  if (socket_ != INVALID_SOCKET) closesocket(socket_);
  WSACleanup();
}

bool IrcPeer::Join(std::uint16_t port, const std::string& nick,
                   const std::string& channel) {
  if (socket_ != INVALID_SOCKET) closesocket(socket_);
  pending_.clear();
  registered_ = false;
  joined_.clear();
  people_.clear();
  nick_ = nick;
  socket_ = ConnectToLoopback(port);
  if (socket_ == INVALID_SOCKET) return false;
  Send("NICK " + nick);
  Send("USER " + nick + " 0 * :Test peer");
  const auto until = Clock::now() + 20s;
  while (!registered_ && Clock::now() < until) ReadLine(200ms);
  if (!registered_) return false;
  Send("JOIN " + channel);
  while (Clock::now() < until) {
    if (std::find(joined_.begin(), joined_.end(), Lower(channel)) != joined_.end()) {
      return true;
    }
    ReadLine(200ms);
  }
  return false;
}

void IrcPeer::Say(const std::string& text, const std::string& channel) {
  Send("PRIVMSG " + channel + " :" + text);
}

void IrcPeer::Quit() {
  Send("QUIT :bye");
  closesocket(socket_);
  socket_ = INVALID_SOCKET;
}

void IrcPeer::Send(const std::string& line) {
  const std::string bytes = line + "\r\n";
  send(socket_, bytes.data(), static_cast<int>(bytes.size()), 0);
}

bool IrcPeer::WaitUntil(const std::function<bool(const std::vector<Heard>&)>& done,
                        std::chrono::milliseconds limit) {
  const auto until = Clock::now() + limit;
  while (!done(heard_)) {
    if (Clock::now() >= until) return false;
    ReadLine(100ms);
  }
  return true;
}

bool IrcPeer::WaitForText(const std::string& text, std::chrono::milliseconds limit) {
  return WaitUntil(
      [&](const std::vector<Heard>& heard) {
        return std::any_of(heard.begin(), heard.end(),
                           [&](const Heard& one) { return one.text == text; });
      },
      limit);
}

bool IrcPeer::WaitForPerson(const std::string& nick, std::chrono::milliseconds limit) {
  const auto until = Clock::now() + limit;
  for (;;) {
    Send("NAMES #tavrin");
    const auto round = Clock::now() + 500ms;
    while (Clock::now() < round) ReadLine(100ms);
    if (std::find(people_.begin(), people_.end(), Lower(nick)) != people_.end()) {
      return true;
    }
    if (Clock::now() >= until) return false;
  }
}

void IrcPeer::Listen(std::chrono::milliseconds period) {
  const auto until = Clock::now() + period;
  while (Clock::now() < until) ReadLine(50ms);
}

bool IrcPeer::ReadLine(std::chrono::milliseconds limit) {
  for (;;) {
    const auto end = pending_.find('\n');
    if (end != std::string::npos) {
      std::string line = pending_.substr(0, end);
      pending_.erase(0, end + 1);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      Handle(line);
      return true;
    }
    if (socket_ == INVALID_SOCKET) return false;
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(socket_, &readable);
    timeval wait{0, static_cast<long>(limit.count() * 1000)};
    if (select(0, &readable, nullptr, nullptr, &wait) <= 0) return false;
    char buffer[4096];
    const int got = recv(socket_, buffer, sizeof buffer, 0);
    if (got <= 0) {
      closesocket(socket_);
      socket_ = INVALID_SOCKET;
      return false;
    }
    pending_.append(buffer, static_cast<std::size_t>(got));
  }
}

void IrcPeer::Handle(const std::string& line) {
  const auto message = irc::ParseMessage(line);
  if (!message) return;
  const auto& params = message->params;
  const std::string from = std::string(irc::NickOf(message->source));
  if (message->command == "PING") {
    Send("PONG :" + (params.empty() ? std::string() : params.back()));
  } else if (message->command == "001") {
    registered_ = true;
  } else if (message->command == "JOIN" && Lower(from) == Lower(nick_) &&
             !params.empty()) {
    joined_.push_back(Lower(params[0]));
  } else if (message->command == "353" && params.size() >= 4) {
    people_.clear();
    std::string names = params[3];
    for (std::size_t at = 0; at < names.size();) {
      const std::size_t blank = std::min(names.find(' ', at), names.size());
      if (blank > at) people_.push_back(Lower(NickWithoutRank(names.substr(at, blank - at))));
      at = blank + 1;
    }
  } else if ((message->command == "PRIVMSG" || message->command == "NOTICE") &&
             params.size() >= 2) {
    heard_.push_back(Heard{from, params[0], params[1], Clock::now()});
  }
}

std::string Describe(const std::vector<Heard>& heard) {
  std::string text;
  const auto start = heard.empty() ? Clock::now() : heard.front().when;
  for (const Heard& one : heard) {
    const auto at = std::chrono::duration_cast<std::chrono::milliseconds>(one.when - start);
    text += std::to_string(at.count()) + " ms " + one.nick + " > " + one.target + ": " +
            one.text + "\n";
  }
  return text;
}

}  // namespace tavrin::e2e
