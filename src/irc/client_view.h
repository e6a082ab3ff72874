#pragma once

#include <string>
#include <vector>

#include "irc/client_settings.h"

// What the chat client's windows are told. Rooms are named by channel, as
// the server spells it; a room is opened before anything is said in it.
namespace tavrin::irc {

class ClientView {
 public:
  virtual ~ClientView() = default;
  // The user's nick, at sign-on and at every change.
  virtual void NickChanged(const std::string& nick) = 0;
  virtual void RoomOpened(const std::string& channel) = 0;
  virtual void RoomClosed(const std::string& channel) = 0;
  // One transcript line, without its line end; free of control
  // characters. A chat message is "<nick>:\t<text>".
  virtual void RoomLine(const std::string& channel, const std::string& line) = 0;
  // The people in the room, in the order to show them, each with the
  // mark of their rank ("@", "+") in front.
  virtual void PeopleChanged(const std::string& channel,
                             const std::vector<std::string>& people) = 0;
  virtual void TopicChanged(const std::string& channel,
                            const std::string& topic) = 0;
  // A line for the welcome window: connection state, server notices,
  // private messages, errors.
  virtual void StatusLine(const std::string& line) = 0;
  // The user changed the settings from a typed command (/pin): to be
  // stored as if chosen in the connect window.
  virtual void SettingsChanged(const ClientSettings& settings) = 0;
};

}  // namespace tavrin::irc
