#include "irc/session.h"

#include <algorithm>

#include "irc/irc_text.h"
#include "irc/nick.h"
#include "irc/typed_command.h"

#ifndef TAVRIN_CHAT_VERSION
#error "TAVRIN_CHAT_VERSION comes from src/irc/CMakeLists.txt"
#endif

namespace tavrin::irc {
namespace {

constexpr std::string_view kVersionReply = "\x01VERSION Tavrin Chat " TAVRIN_CHAT_VERSION "\x01";
// What the server puts in front of a relayed line: ":nick!~user@host ";
// the user name is the nick (USER <nick>), a host is at most 63 bytes.
constexpr std::size_t kMaxHost = 63;
// A JOIN of many rooms stays well inside a line.
constexpr std::size_t kJoinBatchBytes = 400;

std::string InParens(std::string_view reason) {
  const std::string shown = ShownText(reason);
  return shown.empty() ? std::string() : " (" + shown + ")";
}

std::string Upper(std::string_view word) {
  std::string upper(word);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

// The lines of a typed text: a paste of several lines is several lines.
std::vector<std::string_view> TypedLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find_first_of("\r\n"), text.size());
    if (end > 0) lines.push_back(text.substr(0, end));
    text.remove_prefix(std::min(end + 1, text.size()));
  }
  return lines;
}

}  // namespace

Session::Session(ClientView& view, Outbox& outbox) : view_(view), outbox_(outbox) {}

void Session::Start(const ClientSettings& settings) {
  settings_ = settings;
  features_ = ServerFeatures{};
  rooms_.Refold();
  SetNick(settings.nick);
  nickTry_ = 0;
  signedOn_ = false;
  gaveUp_ = false;
  Apply(login_.Start(settings.account, settings.accountPassword,
                     settings.tls || OnThisComputer(settings.server)));
  Register();
}

void Session::Apply(const SaslLogin::Reply& reply) {
  for (const SaslLogin::Line& line : reply.send) SendLine(line.command, line.params);
  for (const std::string& line : reply.status) Status(line);
  if (reply.failed) gaveUp_ = true;
}

void Session::Register() {
  if (!settings_.serverPassword.empty()) SendLine("PASS", {settings_.serverPassword});
  SendLine("NICK", {nick_});
  SendLine("USER", {settings_.nick, "0", "*", settings_.nick});
}

void Session::Receive(std::string_view line, platform::Milliseconds now) {
  const auto message = ParseMessage(line);
  if (!message) return;
  const std::string& command = message->command;
  if (SaslLogin::Reply reply; login_.Take(*message, reply)) return Apply(reply);
  if (command == "PING") return Ping(*message);
  if (command == "PRIVMSG" || command == "NOTICE") return Said(*message, now);
  if (command == "JOIN") return Join(*message);
  if (command == "PART") return Left(*message);
  if (command == "KICK") return Kick(*message);
  if (command == "QUIT") return Quitted(*message);
  if (command == "NICK") return NickChange(*message);
  if (command == "MODE") return Mode(*message);
  if (command == "TOPIC") return Topic(*message);
  if (command == "ERROR") return Status("Server: " + ShownText(Param(*message, 0)));
  if (command.size() == 3 && command[0] >= '0' && command[0] <= '9') Numeric(*message);
}

void Session::Ping(const Message& message) {
  SendLine("PONG", {std::string(Param(message, 0).empty() ? "tavrin" : Param(message, 0))},
           true);
}

void Session::Numeric(const Message& message) {
  const std::string& code = message.command;
  if (code == "001") return SignOn(message);
  if (code == "005") {
    const CaseMapping before = features_.caseMapping;
    if (message.params.size() > 2) {
      features_.Take({message.params.begin() + 1, message.params.end() - 1});
    }
    if (features_.caseMapping != before) rooms_.Refold();
    return;
  }
  if (code == "353") return Names(message);
  if (code == "366") return NamesEnd(message);
  if (code == "331" || code == "332") {
    if (Room* room = JoinedRoom(Param(message, 1))) {
      room->topic = code == "332" ? ShownText(Param(message, 2)) : std::string();
      view_.TopicChanged(room->name, room->topic);
    }
    return;
  }
  if (!signedOn_ && (code == "432" || code == "433" || code == "436" || code == "437")) {
    return NickRefused(message);
  }
  if (code >= "400" || code == "002" || code == "003" || code == "372" ||
      code == "375" || code == "376") {
    std::string text;
    for (std::size_t i = 1; i < message.params.size(); ++i) {
      text += (i > 1 ? " " : "") + message.params[i];
    }
    Status(ShownText(text));
  }
}

void Session::SignOn(const Message& message) {
  Apply(login_.SignedOnFirst());
  if (gaveUp_) return;
  signedOn_ = true;
  if (!Param(message, 0).empty()) SetNick(Param(message, 0));
  view_.NickChanged(shownNick_);
  Status("Signed on as " + shownNick_ + ".");
  JoinRooms();
}

// The rooms configured and the rooms still open from before a drop.
void Session::JoinRooms() {
  std::vector<std::string> names = settings_.channels;
  for (Room* room : rooms_.All()) names.push_back(room->name);
  std::vector<std::string> batch;
  std::size_t batchBytes = 0;
  auto flush = [&] {
    if (batch.empty()) return;
    std::string list;
    for (const std::string& name : batch) list += (list.empty() ? "" : ",") + name;
    SendLine("JOIN", {list});
    batch.clear();
    batchBytes = 0;
  };
  std::vector<std::string> seen;
  for (const std::string& name : names) {
    const std::string key = Folded(name, features_.caseMapping);
    if (name.empty() || std::find(seen.begin(), seen.end(), key) != seen.end()) continue;
    seen.push_back(key);
    if (const auto found = keys_.find(key); found != keys_.end()) {
      SendLine("JOIN", {name, found->second});
      continue;
    }
    if (batchBytes + name.size() + 1 > kJoinBatchBytes) flush();
    batch.push_back(name);
    batchBytes += name.size() + 1;
  }
  flush();
}

void Session::NickRefused(const Message& message) {
  const bool taken = message.command != "432";
  if (taken && ++nickTry_ < kNickTries) {
    SetNick(settings_.nick + std::string(static_cast<std::size_t>(nickTry_), '_'));
    SendLine("NICK", {nick_});
    return;
  }
  gaveUp_ = true;
  Status(taken ? "The nick " + ShownText(settings_.nick) +
                     " and its alternates are in use; choose another nick."
               : "The server refuses the nick " + ShownText(Param(message, 1)) +
                     ": " + ShownText(Param(message, 2)));
}

void Session::Join(const Message& message) {
  const std::string_view nick = NickOf(message.source);
  const std::string_view channel = Param(message, 0);
  if (IsMe(nick)) {
    if (!PlausibleChannel(channel)) return;
    const bool known = rooms_.Find(channel) != nullptr;
    Room* room = rooms_.Open(channel);
    if (!room) return;
    if (!known) view_.RoomOpened(room->name);
    room->joined = true;
    room->people.clear();
    RoomSays(*room, (known ? "*** Joined " : "*** Now talking in ") + ShownText(room->name));
    return;
  }
  Room* room = JoinedRoom(channel);
  if (!room) return;
  rooms_.Add(*room, nick);
  RoomSays(*room, "*** " + ShownText(nick) + " has joined");
  ShowPeople(*room);
}

void Session::Left(const Message& message) {
  const std::string_view nick = NickOf(message.source);
  Room* room = rooms_.Find(Param(message, 0));
  if (!room) return;
  if (IsMe(nick)) {
    const std::string name = room->name;
    keys_.erase(Folded(name, features_.caseMapping));
    rooms_.Close(name);
    view_.RoomClosed(name);
    return;
  }
  if (!rooms_.Remove(*room, nick)) return;
  RoomSays(*room, "*** " + ShownText(nick) + " has left" + InParens(Param(message, 1)));
  ShowPeople(*room);
}

void Session::Kick(const Message& message) {
  Room* room = rooms_.Find(Param(message, 0));
  if (!room) return;
  const std::string_view victim = Param(message, 1);
  const std::string by = ShownText(NickOf(message.source));
  if (IsMe(victim)) {
    const std::string name = room->name;
    rooms_.Close(name);
    view_.RoomClosed(name);
    Status("You were kicked from " + ShownText(name) + " by " + by + InParens(Param(message, 2)));
    return;
  }
  if (!rooms_.Remove(*room, victim)) return;
  RoomSays(*room, "*** " + ShownText(victim) + " was kicked by " + by + InParens(Param(message, 2)));
  ShowPeople(*room);
}

void Session::Quitted(const Message& message) {
  const std::string_view nick = NickOf(message.source);
  for (Room* room : rooms_.All()) {
    if (!room->joined || !rooms_.Remove(*room, nick)) continue;
    RoomSays(*room, "*** " + ShownText(nick) + " has quit" + InParens(Param(message, 0)));
    ShowPeople(*room);
  }
}

void Session::NickChange(const Message& message) {
  const std::string_view from = NickOf(message.source);
  const std::string_view to = Param(message, 0);
  if (to.empty()) return;
  const bool me = IsMe(from);
  if (me) {
    SetNick(to);
    view_.NickChanged(shownNick_);
    Status("You are now known as " + shownNick_);
  }
  for (Room* room : rooms_.All()) {
    if (!room->joined || !rooms_.Has(*room, from)) continue;
    rooms_.Rename(*room, from, to);
    RoomSays(*room, me ? "*** You are now known as " + ShownText(to)
                       : "*** " + ShownText(from) + " is now known as " + ShownText(to));
    ShowPeople(*room);
  }
}

void Session::Mode(const Message& message) {
  Room* room = JoinedRoom(Param(message, 0));
  if (!room) return;
  const std::string_view modes = Param(message, 1);
  std::size_t next = 2;
  bool adding = true;
  bool ranksChanged = false;
  for (const char mode : modes) {
    if (mode == '+' || mode == '-') {
      adding = mode == '+';
      continue;
    }
    if (!features_.TakesParam(mode, adding)) continue;
    const std::string_view param = Param(message, next++);
    if (features_.RankOfMode(mode) != std::string::npos) {
      ranksChanged |= rooms_.SetRank(*room, param, mode, adding);
    }
  }
  std::string change;
  for (std::size_t i = 1; i < message.params.size(); ++i) {
    change += (i > 1 ? " " : "") + message.params[i];
  }
  RoomSays(*room, "*** " + ShownText(NickOf(message.source)) + " sets mode " + ShownText(change));
  if (ranksChanged) ShowPeople(*room);
}

void Session::Topic(const Message& message) {
  Room* room = JoinedRoom(Param(message, 0));
  if (!room) return;
  room->topic = ShownText(Param(message, 1));
  view_.TopicChanged(room->name, room->topic);
  RoomSays(*room, "*** " + ShownText(NickOf(message.source)) + " set the topic: " + room->topic);
}

// "353 me = #room :@alice +bob carol"; some servers leave out the "=".
void Session::Names(const Message& message) {
  const std::size_t at = message.params.size() >= 4 ? 2 : 1;
  Room* room = JoinedRoom(Param(message, at));
  if (!room) return;
  if (!room->namesComing) {
    room->people.clear();
    room->namesComing = true;
  }
  std::string_view names = Param(message, at + 1);
  while (!names.empty()) {
    const std::size_t end = std::min(names.find(' '), names.size());
    rooms_.AddNamed(*room, names.substr(0, end));
    names.remove_prefix(std::min(end + 1, names.size()));
  }
}

void Session::NamesEnd(const Message& message) {
  Room* room = JoinedRoom(Param(message, 1));
  if (!room) return;
  room->namesComing = false;
  ShowPeople(*room);
}

void Session::Said(const Message& message, platform::Milliseconds now) {
  const bool notice = message.command == "NOTICE";
  std::string_view target = Param(message, 0);
  const std::string_view text = Param(message, 1);
  const std::string_view nick = NickOf(message.source);
  if (!text.empty() && text.front() == '\x01') return Ctcp(message, text.substr(1), now);
  // "@#room": a message to the room's operators, shown in the room.
  if (target.size() > 1 && features_.RankOfMark(target.front()) != std::string::npos) {
    target.remove_prefix(1);
  }
  if (!features_.IsChannel(target)) {
    Status(notice ? "-" + ShownText(nick) + "- " + ShownText(text)
                  : "*" + ShownText(nick) + "* " + ShownText(text));
    return;
  }
  Room* room = JoinedRoom(target);
  if (!room) {
    Status(ShownText(target) + " -" + ShownText(nick) + "- " + ShownText(text));
    return;
  }
  RoomSays(*room, notice ? "-" + ShownText(nick) + "- " + ShownText(text)
                         : RemoteChatLine(nick, text));
}

void Session::Ctcp(const Message& message, std::string_view body,
                   platform::Milliseconds now) {
  if (!body.empty() && body.back() == '\x01') body.remove_suffix(1);
  const std::size_t blank = std::min(body.find(' '), body.size());
  const std::string verb = Upper(body.substr(0, blank));
  const std::string_view nick = NickOf(message.source);
  const bool notice = message.command == "NOTICE";
  if (verb == "VERSION" && !notice && !nick.empty() && !features_.IsChannel(nick)) {
    if (versionAnsweredAt_ && now - *versionAnsweredAt_ < kVersionEvery) return;
    versionAnsweredAt_ = now;
    SendLine("NOTICE", {std::string(nick), std::string(kVersionReply)});
    return;
  }
  if (verb != "ACTION") return;
  const std::string line =
      "* " + ShownText(nick) + " " + ShownText(body.substr(std::min(blank + 1, body.size())));
  Room* room = JoinedRoom(Param(message, 0));
  if (room && features_.IsChannel(Param(message, 0))) {
    RoomSays(*room, line);
  } else {
    Status(line);
  }
}

void Session::Dropped() {
  signedOn_ = false;
  for (Room* room : rooms_.All()) {
    if (!room->joined) continue;
    room->joined = false;
    room->namesComing = false;
    room->people.clear();
    view_.PeopleChanged(room->name, {});
    RoomSays(*room, "*** Disconnected");
  }
}

std::optional<std::string> Session::Type(const std::string& channel, std::string_view text) {
  std::optional<std::string> quit;
  for (const std::string_view line : TypedLines(text)) {
    TypeLine(channel, line, quit);
    if (quit) break;
  }
  return quit;
}

void Session::TypeLine(const std::string& channel, std::string_view line,
                       std::optional<std::string>& quit) {
  const TypedCommand typed = ParseTyped(line);
  if (typed.kind == TypedKind::kNothing) return;
  if (typed.kind == TypedKind::kError) return Answer(channel, typed.text);
  if (typed.kind == TypedKind::kQuit) {
    quit = typed.text;
    return;
  }
  // The client takes /pin before the session; here it came within a paste.
  if (typed.kind == TypedKind::kPin) return Answer(channel, "/pin works on a line of its own");
  if (!signedOn_) return Answer(channel, "Not connected; not sent: " + ShownText(line));
  switch (typed.kind) {
    case TypedKind::kSay:
    case TypedKind::kAction: {
      Room* room = channel.empty() ? nullptr : JoinedRoom(channel);
      if (!room) return Status("Not in a room; not sent: " + ShownText(line));
      return SendText(room->name, typed.text, typed.kind == TypedKind::kAction, room);
    }
    case TypedKind::kJoin:
      if (!typed.text.empty()) keys_[Folded(typed.target, features_.caseMapping)] = typed.text;
      if (typed.text.empty()) {
        SendLine("JOIN", {typed.target});
      } else {
        SendLine("JOIN", {typed.target, typed.text});
      }
      return;
    case TypedKind::kLeave: {
      const std::string room = typed.target.empty() ? channel : typed.target;
      if (room.empty()) return Answer(channel, "/part needs a room: /part #room");
      if (typed.text.empty()) {
        SendLine("PART", {room});
      } else {
        SendLine("PART", {room, typed.text});
      }
      return;
    }
    case TypedKind::kNick:
      SendLine("NICK", {typed.target});
      return;
    case TypedKind::kMessage:
      if (Room* room = features_.IsChannel(typed.target) ? JoinedRoom(typed.target) : nullptr) {
        return SendText(room->name, typed.text, false, room);
      }
      SendText(typed.target, typed.text, false, nullptr);
      return Answer(channel, "-> *" + ShownText(typed.target) + "* " + ShownText(typed.text));
    case TypedKind::kNotice:
      if (SendLine("NOTICE", {typed.target, typed.text})) {
        Answer(channel, "-> -" + ShownText(typed.target) + "- " + ShownText(typed.text));
      }
      return;
    case TypedKind::kTopic:
      if (channel.empty()) return Answer(channel, "/topic works in a room");
      if (typed.text.empty()) {
        SendLine("TOPIC", {channel});
      } else {
        SendLine("TOPIC", {channel, typed.text});
      }
      return;
    default:
      return;
  }
}

// Cut so that each piece fits a line as the server relays it to others;
// each piece is its own message and, in a room, its own line there.
void Session::SendText(const std::string& target, std::string_view text, bool action,
                       Room* echoRoom) {
  const std::size_t relayPrefix =
      1 + nick_.size() + 2 + settings_.nick.size() + 1 + kMaxHost + 1;
  const std::size_t command = std::string_view("PRIVMSG ").size() + target.size() + 2;
  const std::size_t ctcp = action ? std::string_view("\x01" "ACTION \x01").size() : 0;
  const std::size_t used = relayPrefix + command + ctcp;
  if (used + 4 > kMaxLineBytes) return Status("Not sent: the target's name is too long");
  for (const std::string& piece : SplitText(text, kMaxLineBytes - used)) {
    const std::string body = action ? "\x01" "ACTION " + piece + "\x01" : piece;
    if (!SendLine("PRIVMSG", {target, body})) {
      return Status("Not sent (too much waiting to go out): " + ShownText(piece));
    }
    if (!echoRoom) continue;
    RoomSays(*echoRoom, action ? "* " + shownNick_ + " " + ShownText(piece)
                               : OwnChatLine(piece));
  }
}

bool Session::SendLine(std::string_view command, const std::vector<std::string>& params,
                       bool urgent) {
  const auto line = FormatMessage(command, params);
  if (!line) {
    Status("Not sent: " + ShownText(command) + " with these words is no IRC line");
    return false;
  }
  return outbox_.Send(*line, urgent);
}

Room* Session::JoinedRoom(std::string_view channel) {
  Room* room = rooms_.Find(channel);
  return room && room->joined ? room : nullptr;
}

void Session::SetNick(std::string_view nick) {
  nick_ = nick;
  shownNick_ = ShownText(nick_);
}

bool Session::IsMe(std::string_view nick) const {
  return SameName(nick, nick_, features_.caseMapping);
}

bool Session::PlausibleChannel(std::string_view name) const {
  return features_.IsChannel(name) && name.find_first_of(":, ") == std::string_view::npos &&
         ShownText(name) == name;
}

std::string Session::RemoteChatLine(std::string_view nick, std::string_view text) const {
  const std::string shownNick = ShownText(nick);
  const bool speaker = shownNick == nick && PlausibleSpeaker(shownNick) &&
                       !MaybeSameNick(shownNick, shownNick_) && !MaybeSameNick(nick, nick_);
  if (speaker) return shownNick + ":\t" + ShownText(text);
  return "-" + shownNick + "- " + ShownText(text);
}

std::string Session::OwnChatLine(std::string_view text) const {
  if (!PlausibleSpeaker(shownNick_)) return "-" + shownNick_ + "- " + ShownText(text);
  return shownNick_ + ":\t" + ShownText(text);
}

void Session::ShowPeople(Room& room) {
  std::vector<std::string> people = rooms_.Shown(room);
  for (std::string& person : people) person = ShownText(person);
  view_.PeopleChanged(room.name, people);
}

void Session::RoomSays(Room& room, const std::string& line) { view_.RoomLine(room.name, line); }

// Status lines quote what the user typed too: shown as remote text is.
void Session::Status(const std::string& line) { view_.StatusLine(ShownText(line)); }

// What the client says about a typed line goes where it was typed, so that
// the user sees it without looking for the welcome window.
void Session::Answer(const std::string& channel, const std::string& line) {
  Room* room = channel.empty() ? nullptr : rooms_.Find(channel);
  if (room == nullptr) return Status(line);
  RoomSays(*room, "*** " + ShownText(line));
}

}  // namespace tavrin::irc
