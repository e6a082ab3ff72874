#include "irc/rooms.h"

#include <algorithm>

namespace tavrin::irc {

Room* Rooms::Find(std::string_view name) {
  const auto found = rooms_.find(Key(name));
  return found == rooms_.end() ? nullptr : &found->second;
}

Room* Rooms::Open(std::string_view name) {
  if (Room* room = Find(name)) return room;
  if (rooms_.size() >= kMaxRooms) return nullptr;
  Room& room = rooms_[Key(name)];
  room.name = name;
  return &room;
}

void Rooms::Close(std::string_view name) { rooms_.erase(Key(name)); }

std::vector<Room*> Rooms::All() {
  std::vector<Room*> all;
  for (auto& [key, room] : rooms_) all.push_back(&room);
  return all;
}

void Rooms::Refold() {
  std::map<std::string, Room> refolded;
  for (auto& [key, room] : rooms_) {
    std::map<std::string, Person> people;
    for (auto& [nickKey, person] : room.people) people[Key(person.nick)] = std::move(person);
    room.people = std::move(people);
    refolded[Key(room.name)] = std::move(room);
  }
  rooms_ = std::move(refolded);
}

void Rooms::AddNamed(Room& room, std::string_view marked) {
  std::string modes;
  while (!marked.empty()) {
    const std::size_t rank = features_.RankOfMark(marked.front());
    if (rank == std::string::npos) break;
    modes.push_back(features_.rankModes[rank]);
    marked.remove_prefix(1);
  }
  // A name with "!user@host" (userhost-in-names) counts by its nick.
  marked = marked.substr(0, marked.find('!'));
  if (marked.empty()) return;
  if (room.people.size() >= kMaxPeople && !Has(room, marked)) return;
  room.people[Key(marked)] = Person{std::string(marked), std::move(modes)};
}

void Rooms::Add(Room& room, std::string_view nick) {
  if (nick.empty() || Has(room, nick) || room.people.size() >= kMaxPeople) return;
  room.people[Key(nick)] = Person{std::string(nick), {}};
}

bool Rooms::Remove(Room& room, std::string_view nick) {
  return room.people.erase(Key(nick)) > 0;
}

bool Rooms::Has(const Room& room, std::string_view nick) const {
  return room.people.count(Key(nick)) > 0;
}

void Rooms::Rename(Room& room, std::string_view from, std::string_view to) {
  const auto found = room.people.find(Key(from));
  if (found == room.people.end()) return;
  Person person = std::move(found->second);
  room.people.erase(found);
  person.nick = to;
  room.people[Key(to)] = std::move(person);
}

bool Rooms::SetRank(Room& room, std::string_view nick, char mode, bool on) {
  const auto found = room.people.find(Key(nick));
  if (found == room.people.end()) return false;
  std::string& modes = found->second.modes;
  const std::size_t at = modes.find(mode);
  if (on == (at != std::string::npos)) return false;
  if (on) {
    modes.push_back(mode);
  } else {
    modes.erase(at, 1);
  }
  return true;
}

std::size_t Rooms::RankOf(const Person& person) const {
  std::size_t rank = features_.rankModes.size();
  for (const char mode : person.modes) rank = std::min(rank, features_.RankOfMode(mode));
  return rank;
}

std::vector<std::string> Rooms::Shown(const Room& room) const {
  struct Ranked {
    std::size_t rank;
    std::string folded;
    const Person* person;
  };
  std::vector<Ranked> ranked;
  ranked.reserve(room.people.size());
  for (const auto& [key, person] : room.people) {
    ranked.push_back({RankOf(person), Folded(person.nick, CaseMapping::kAscii), &person});
  }
  std::sort(ranked.begin(), ranked.end(), [](const Ranked& a, const Ranked& b) {
    if (a.rank != b.rank) return a.rank < b.rank;
    if (a.folded != b.folded) return a.folded < b.folded;
    return a.person->nick < b.person->nick;
  });
  std::vector<std::string> shown;
  shown.reserve(ranked.size());
  for (const Ranked& entry : ranked) {
    std::string line;
    if (entry.rank < features_.rankMarks.size()) line.push_back(features_.rankMarks[entry.rank]);
    shown.push_back(line + entry.person->nick);
  }
  return shown;
}

}  // namespace tavrin::irc
