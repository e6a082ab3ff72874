#pragma once

#include <memory>
#include <string>
#include <vector>

#include "win32/irc/child_pane.h"

namespace tavrin::win32::chat {

// One channel: the topic on top, the transcript with the people beside it,
// and the entry line with the history of what was typed below.
class RoomPane final : public ChildPane {
 public:
  RoomPane(PaneHost& host, HWND mdiArea, const std::string& channel);

  const std::string& Channel() const { return channel_; }
  void SetPeople(const std::vector<std::string>& people);
  void SetTopic(const std::string& topic);

 private:
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam,
                        LPARAM lParam) override;
  void CreateControls() override;
  void Layout(int width, int height) override;
  void Entered(HWND entry) override;
  void Remember(const std::string& text);

  std::string channel_;
  HWND topic_ = nullptr;
  HWND transcript_ = nullptr;
  HWND people_ = nullptr;
  HWND history_ = nullptr;
};

}  // namespace tavrin::win32::chat
