#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "irc/client_view.h"
#include "irc/connection.h"

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

  struct Room {
    bool open = false;
    std::vector<std::string> lines;
    std::vector<std::string> people;
    std::string topic;
  };
  std::string nick;
  std::map<std::string, Room> rooms;
  std::vector<std::string> status;
};

}  // namespace tavrin::irc::testing
