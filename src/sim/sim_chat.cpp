#include "sim/sim_chat.h"

#include "chat/aol8chatsend.h"

namespace tavrin::sim {

using platform::kNoWindow;

SimChat::SimChat(SimDesktop& desktop, std::string_view screenName)
    : desktop_(desktop),
      process_(desktop.NewProcess()),
      screenName_(screenName) {
  frame_ = desktop_.Create(process_, chat::kFrameClass, "AOL");
  mdi_ = desktop_.Create(process_, chat::kMdiClass, "", frame_);
  const WindowHandle buddies =
      desktop_.Create(process_, chat::kChildClass, "Buddy List", mdi_);
  desktop_.Create(process_, "_AOL_Listbox", "", buddies);
  welcome_ = desktop_.Create(process_, chat::kChildClass,
                            standins::WelcomeCaption(screenName_), mdi_);
  OpenRoom(standins::kFirstRoomName);
}

SimChat::~SimChat() { Close(); }

const SimChat::Room* SimChat::RoomAt(std::size_t room) const {
  return room >= 1 && room <= rooms_.size() ? &rooms_[room - 1] : nullptr;
}

std::string SimChat::Transcript(std::size_t room) const {
  const Room* found = RoomAt(room);
  return found == nullptr ? std::string() : desktop_.TextOf(found->transcript);
}

std::string SimChat::EntryText(std::size_t room) const {
  const Room* found = RoomAt(room);
  return found == nullptr ? std::string() : desktop_.TextOf(found->entry);
}

WindowHandle SimChat::RoomWindow(std::size_t room) const {
  const Room* found = RoomAt(room);
  return found == nullptr ? kNoWindow : found->window;
}

WindowHandle SimChat::EntryWindow(std::size_t room) const {
  const Room* found = RoomAt(room);
  return found == nullptr ? kNoWindow : found->entry;
}

bool SimChat::AddLine(std::size_t room, std::string_view speaker,
                      std::string_view text) {
  const Room* found = RoomAt(room);
  if (found == nullptr) return false;
  desktop_.SetTextOf(found->transcript,
                     desktop_.TextOf(found->transcript) +
                         standins::TranscriptLine(speaker, text));
  return true;
}

void SimChat::PressEnter(const Room& room) {
  const std::string text = desktop_.TextOf(room.entry);
  desktop_.SetTextOf(room.transcript,
                     desktop_.TextOf(room.transcript) +
                         standins::TranscriptLine(screenName_, text));
  desktop_.SetTextOf(room.entry, "");
}

void SimChat::OpenRoom(std::string_view name) {
  if (mdi_ == kNoWindow) return;
  Room room{};
  room.window = desktop_.Create(process_, chat::kChildClass, name, mdi_);
  room.transcript =
      desktop_.Create(process_, chat::kRoomChildClasses[0], "", room.window);
  for (std::size_t i = 1; i < chat::kRoomChildClasses.size(); ++i) {
    desktop_.Create(process_, chat::kRoomChildClasses[i], "", room.window);
  }
  const std::size_t index = rooms_.size();
  room.entry = desktop_.Create(
      process_, chat::kEntryClass, "", room.window,
      [this, index](WindowHandle, unsigned message, std::uintptr_t wParam,
                    std::intptr_t) -> std::intptr_t {
        if (message == platform::msg::kChar && wParam == 13) {
          PressEnter(rooms_[index]);
        }
        return 0;
      });
  rooms_.push_back(room);
}

void SimChat::SignOn(std::string_view screenName) {
  screenName_ = screenName;
  desktop_.SetTextOf(welcome_, standins::WelcomeCaption(screenName_));
}

void SimChat::AddDecoys(std::size_t count) {
  // Instant-message windows: a transcript and an entry box, but no room.
  for (std::size_t i = 0; i < count; ++i) {
    const WindowHandle message = desktop_.Create(
        process_, chat::kChildClass, "Instant Message", mdi_, {},
        SimDesktop::Place::kFirst);
    desktop_.Create(process_, chat::kRoomChildClasses[0], "", message);
    desktop_.Create(process_, chat::kEntryClass, "", message);
  }
}

void SimChat::Hang(platform::Milliseconds duration) {
  desktop_.Hang(process_, duration);
}

void SimChat::Close() {
  desktop_.Destroy(frame_);
  frame_ = mdi_ = welcome_ = kNoWindow;
  rooms_.clear();
}

}  // namespace tavrin::sim
