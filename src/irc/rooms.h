#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "irc/server_features.h"

// The channels the user is in, with their people and topics. Names are
// compared as the server folds them; each is kept as the server spells it.
namespace tavrin::irc {

struct Person {
  std::string nick;
  std::string modes;  // rank modes held ("o", "v", "ov")
};

struct Room {
  std::string name;
  std::string topic;
  bool joined = false;      // the server has us in it now
  bool namesComing = false;  // a NAMES reply (353) is being read
  std::map<std::string, Person> people;  // by folded nick
};

class Rooms {
 public:
  // A hostile server cannot make the client hold more than this.
  static constexpr std::size_t kMaxRooms = 100;
  static constexpr std::size_t kMaxPeople = 20000;

  explicit Rooms(const ServerFeatures& features) : features_(features) {}

  Room* Find(std::string_view name);
  // The room, opened when it is not; nullptr when there are too many.
  Room* Open(std::string_view name);
  void Close(std::string_view name);
  // Every room, in the order of their folded names.
  std::vector<Room*> All();
  // Keys again by the server's folding, once it has said which it uses.
  void Refold();

  // A nick from a NAMES reply, with its marks in front ("@+bob").
  void AddNamed(Room& room, std::string_view marked);
  void Add(Room& room, std::string_view nick);
  bool Remove(Room& room, std::string_view nick);
  bool Has(const Room& room, std::string_view nick) const;
  void Rename(Room& room, std::string_view from, std::string_view to);
  // Gives or takes a rank mode; false when it changed nothing.
  bool SetRank(Room& room, std::string_view nick, char mode, bool on);

  // The people as shown: the highest rank first, then by name without
  // regard to case; each with the mark of its highest rank in front.
  std::vector<std::string> Shown(const Room& room) const;

 private:
  std::string Key(std::string_view name) const {
    return Folded(name, features_.caseMapping);
  }
  std::size_t RankOf(const Person& person) const;

  const ServerFeatures& features_;
  std::map<std::string, Room> rooms_;  // by folded name
};

}  // namespace tavrin::irc
