#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "chat_classes.h"
#include "event_log.h"
#include "standins/driver.h"
#include "win32/base/win32_handles.h"

namespace tavrin::standins::winhost {

// The stand-in chat client as a program: an "AOL Frame25" frame whose
// "MDIClient" holds, in this order, a buddy list that is no room, the
// welcome window and the rooms. Enter in a room's entry box posts its text
// as the signed-on user's line; the driver's WM_COPYDATA commands reach the
// frame.
class ChatClient final : public ChatHost, public EntrySink {
 public:
  ChatClient(std::string screenName, const std::wstring& logPath,
             std::size_t transcriptCap = 0);
  ChatClient(const ChatClient&) = delete;
  ChatClient& operator=(const ChatClient&) = delete;

  // Registers the classes and shows the windows; false when that failed.
  // Without the buddy list, the welcome window is the one window in front
  // of the first room.
  bool Open(int showCommand, bool withBuddyList);

  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam,
                        LPARAM lParam);

  bool AddLine(std::size_t room, std::string_view speaker,
               std::string_view text) override;
  void OpenRoom(std::string_view name) override;
  void SignOn(std::string_view screenName) override;
  void AddDecoys(std::size_t count) override;
  void SlowDown(std::chrono::milliseconds duration) override;
  void CapTranscripts(std::size_t lines) override { cap_ = lines; }
  void ReportChanges(bool on) override { reportChanges_ = on; }
  void Hang(std::chrono::milliseconds duration) override;
  void Close() override;

  void EnterPressed(HWND entry) override;
  void TextTaken(HWND entry) override;

 private:
  struct Room {
    HWND transcript;
    HWND people;
    HWND entry;
  };

  void CreateBuddyList();
  void CreateWelcome();
  void CreateDecoy(std::size_t index);
  std::wstring PeopleText() const;
  void FitMdiClient();

  std::string screenName_;
  EventLog log_;
  HWND mdi_ = nullptr;
  HWND welcome_ = nullptr;
  std::vector<Room> rooms_;
  std::size_t decoys_ = 0;
  std::size_t cap_;
  bool reportChanges_ = true;
  std::chrono::milliseconds slowOverNextText_{0};
  tavrin::win32::UniqueWindow frame_;  // last: destroyed first
};

}  // namespace tavrin::standins::winhost
