#pragma once

#include <string>
#include <vector>

#include "sim/sim_desktop.h"
#include "standins/chat_model.h"
#include "standins/driver.h"

namespace tavrin::sim {

// The stand-in chat client as a process of the sim desktop: an "AOL Frame25"
// frame whose "MDIClient" holds, in this order, a buddy list that is no room,
// the welcome window and the rooms. Enter in a room's entry box posts its
// text as the signed-on user's line.
class SimChat final : public standins::ChatHost {
 public:
  explicit SimChat(SimDesktop& desktop,
                   std::string_view screenName = standins::kDefaultScreenName,
                   SimDesktop::Charset charset = SimDesktop::Charset::kUnicode);
  ~SimChat() override;
  SimChat(const SimChat&) = delete;
  SimChat& operator=(const SimChat&) = delete;

  bool Drive(std::string_view command) {
    return standins::ApplyChatCommand(*this, command);
  }

  // Rooms count from 1, in the order they were opened.
  std::string Transcript(std::size_t room) const;
  std::string EntryText(std::size_t room) const;
  WindowHandle RoomWindow(std::size_t room) const;
  WindowHandle EntryWindow(std::size_t room) const;
  WindowHandle Mdi() const { return mdi_; }

  bool AddLine(std::size_t room, std::string_view speaker,
               std::string_view text) override;
  void OpenRoom(std::string_view name) override;
  void SignOn(std::string_view screenName) override;
  void AddDecoys(std::size_t count) override;
  void SlowDown(platform::Milliseconds duration) override;
  void CapTranscripts(std::size_t lines) override { cap_ = lines; }
  // Off at first, unlike the stand-in on Windows: the sim's rooms are
  // polled unless a test says otherwise.
  void ReportChanges(bool on) override;
  void Hang(platform::Milliseconds duration) override;
  void Close() override;

 private:
  struct Room {
    WindowHandle window;
    WindowHandle transcript;
    WindowHandle entry;
  };
  const Room* RoomAt(std::size_t room) const;
  void PressEnter(const Room& room);

  SimDesktop& desktop_;
  SimDesktop::ProcessId process_;
  std::string screenName_;
  WindowHandle frame_ = platform::kNoWindow;
  WindowHandle mdi_ = platform::kNoWindow;
  WindowHandle welcome_ = platform::kNoWindow;
  std::vector<Room> rooms_;
  std::size_t cap_ = 0;
};

}  // namespace tavrin::sim
