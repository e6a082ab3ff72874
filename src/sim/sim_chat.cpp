#include "sim/sim_chat.h"

#include "standins/peer_interface.h"

namespace tavrin::sim {

using platform::kNoWindow;

namespace peer = standins::peer;

SimChat::SimChat(SimDesktop& desktop, std::string_view screenName,
                 SimDesktop::Charset charset)
    : desktop_(desktop),
      process_(desktop.NewProcess(charset)),
      screenName_(screenName) {
  frame_ = desktop_.Create(process_, peer::kFrameClass, "AOL");
  mdi_ = desktop_.Create(process_, peer::kMdiClass, "", frame_);
  const WindowHandle buddies =
      desktop_.Create(process_, peer::kChildClass, "Buddy List", mdi_);
  desktop_.Create(process_, peer::kListClass, "", buddies);
  welcome_ = desktop_.Create(process_, peer::kChildClass,
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
                     standins::AddToTranscript(
                         desktop_.TextOf(found->transcript),
                         standins::TranscriptLine(speaker, text), cap_));
  return true;
}

void SimChat::PressEnter(const Room& room) {
  const std::string text = desktop_.TextOf(room.entry);
  desktop_.SetTextOf(room.transcript,
                     standins::AddToTranscript(
                         desktop_.TextOf(room.transcript),
                         standins::TranscriptLine(screenName_, text), cap_));
  desktop_.SetTextOf(room.entry, "");
}

void SimChat::OpenRoom(std::string_view name) {
  if (mdi_ == kNoWindow) return;
  Room room{};
  room.window = desktop_.Create(process_, peer::kChildClass, name, mdi_);
  room.transcript =
      desktop_.Create(process_, peer::kTranscriptClass, "", room.window);
  for (const auto part : {peer::kListClass, peer::kComboClass,
                          peer::kStaticClass}) {
    desktop_.Create(process_, part, "", room.window);
  }
  const std::size_t index = rooms_.size();
  room.entry = desktop_.Create(
      process_, peer::kEntryClass, "", room.window,
      [this, index](WindowHandle, unsigned message, std::uintptr_t wParam,
                    std::intptr_t) -> std::intptr_t {
        if (message == peer::kWmChar && wParam == peer::kEnterKey) {
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
        process_, peer::kChildClass, "Instant Message", mdi_, {},
        SimDesktop::Place::kFirst);
    desktop_.Create(process_, peer::kTranscriptClass, "", message);
    desktop_.Create(process_, peer::kEntryClass, "", message);
  }
}

// The sim's client is slow over the next message it takes: in a send, the
// program's first message to it is the text for the entry box.
void SimChat::SlowDown(platform::Milliseconds duration) {
  desktop_.SlowDown(process_, duration);
}

void SimChat::ReportChanges(bool on) {
  desktop_.ReportTextChanges(process_, on);
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
