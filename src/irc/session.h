#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "irc/client_settings.h"
#include "irc/client_view.h"
#include "irc/irc_message.h"
#include "irc/rooms.h"
#include "irc/sasl_login.h"
#include "irc/server_features.h"
#include "platform/clock.h"

// The protocol without the connection: lines received go in, lines to send
// and what the windows show come out. Remote text reaches the view only
// through ShownText, and a transcript line "<nick>:\t<text>" whose nick
// could be the user's own comes only from what the user typed.
namespace tavrin::irc {

// Where the session's lines go (the flood queue).
class Outbox {
 public:
  virtual ~Outbox() = default;
  // A line without its line end; false when it was refused (queue full).
  // An urgent line (PONG) goes ahead of the chat lines.
  virtual bool Send(std::string line, bool urgent) = 0;
};

class Session {
 public:
  // Nicks tried at registration: the nick, then with "_", "__", "___".
  static constexpr int kNickTries = 4;
  // CTCP VERSION is answered at most this often.
  static constexpr platform::Milliseconds kVersionEvery{5000};

  Session(ClientView& view, Outbox& outbox);

  // A connection is open: registers with these settings. The rooms still
  // open from before are joined again at sign-on.
  void Start(const ClientSettings& settings);
  void Receive(std::string_view line, platform::Milliseconds now);
  // The connection is gone: the rooms stay open, empty of people.
  void Dropped();
  // A line the user typed; the reason when it was /quit.
  std::optional<std::string> Type(const std::string& channel, std::string_view text);
  // What the client says about a line typed in `channel` (empty: the
  // welcome window): in that room while it is open, else in the welcome
  // window.
  void Answer(const std::string& channel, const std::string& line);

  bool SignedOn() const { return signedOn_; }
  // Every nick tried was taken or refused, or the login failed: the
  // session will not sign on.
  bool GaveUp() const { return gaveUp_; }
  // The user's nick as the windows show it (and as the echo names the
  // speaker): the server's, through ShownText.
  const std::string& Nick() const { return shownNick_; }

 private:
  void Register();
  void Apply(const SaslLogin::Reply& reply);
  void SignOn(const Message& message);
  void JoinRooms();
  void NickRefused(const Message& message);
  void Numeric(const Message& message);
  void Ping(const Message& message);
  void Join(const Message& message);
  void Left(const Message& message);
  void Kick(const Message& message);
  void Quitted(const Message& message);
  void NickChange(const Message& message);
  void Mode(const Message& message);
  void Topic(const Message& message);
  void Names(const Message& message);
  void NamesEnd(const Message& message);
  void Said(const Message& message, platform::Milliseconds now);
  void Ctcp(const Message& message, std::string_view body, platform::Milliseconds now);

  void TypeLine(const std::string& channel, std::string_view line,
                std::optional<std::string>& quit);
  void SendText(const std::string& target, std::string_view text, bool action,
                Room* echoRoom);
  bool SendLine(std::string_view command, const std::vector<std::string>& params,
                bool urgent = false);
  Room* JoinedRoom(std::string_view channel);

  void SetNick(std::string_view nick);
  bool IsMe(std::string_view nick) const;
  bool PlausibleChannel(std::string_view name) const;
  // "<nick>:\t<text>" when the nick may stand as a speaker, else "-nick- text".
  std::string RemoteChatLine(std::string_view nick, std::string_view text) const;
  std::string OwnChatLine(std::string_view text) const;
  void ShowPeople(Room& room);
  void RoomSays(Room& room, const std::string& line);
  void Status(const std::string& line);

  ClientView& view_;
  Outbox& outbox_;
  ClientSettings settings_;
  ServerFeatures features_;
  SaslLogin login_;
  Rooms rooms_{features_};
  std::map<std::string, std::string> keys_;  // room keys the user gave
  std::string nick_;  // as the server has it
  std::string shownNick_;
  int nickTry_ = 0;
  bool signedOn_ = false;
  bool gaveUp_ = false;
  std::optional<platform::Milliseconds> versionAnsweredAt_;
};

}  // namespace tavrin::irc
