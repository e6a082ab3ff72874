#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "irc/client_view.h"
#include "win32/base/window_binding.h"
#include "win32/irc/child_pane.h"
#include "win32/irc/room_pane.h"
#include "win32/irc/welcome_pane.h"

namespace tavrin::irc {
class ChatClient;
}

namespace tavrin::win32::chat {

// The client's main window: the MDI frame with the welcome pane and one
// room pane per channel. It shows what the client tells it and hands what
// the user types to the client.
class ChatFrame final : public irc::ClientView, public PaneHost {
 public:
  // Throws std::runtime_error when the windows cannot be made.
  ChatFrame(const std::string& nick, const std::string& server);
  ~ChatFrame() override;
  ChatFrame(const ChatFrame&) = delete;
  ChatFrame& operator=(const ChatFrame&) = delete;

  HWND Window() const { return frame_; }
  void Attach(irc::ChatClient& client) { client_ = &client; }
  // The Connect command: the program asks the user and connects.
  void OnConnectCommand(std::function<void()> ask) { askConnect_ = std::move(ask); }
  // Settings the user changed by a typed command, to be stored.
  void OnSettingsChanged(std::function<void(const irc::ClientSettings&)> store) {
    store_ = std::move(store);
  }
  void SetServer(const std::string& server);

  void NickChanged(const std::string& nick) override;
  void RoomOpened(const std::string& channel) override;
  void RoomClosed(const std::string& channel) override;
  void RoomLine(const std::string& channel, const std::string& line) override;
  void PeopleChanged(const std::string& channel,
                     const std::vector<std::string>& people) override;
  void TopicChanged(const std::string& channel, const std::string& topic) override;
  void StatusLine(const std::string& line) override;
  void SettingsChanged(const irc::ClientSettings& settings) override;

  void Typed(const std::string& channel, const std::string& text) override;
  void Closing(HWND pane) override;

 private:
  friend LRESULT CALLBACK BoundWindowProc<ChatFrame>(HWND, UINT, WPARAM,
                                                     LPARAM) noexcept;
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Command(WORD id);
  void ClosePane(HWND pane);
  void ChangeDpi(int dpi, const RECT& suggested);
  RoomPane* Room(const std::string& channel);

  HWND frame_ = nullptr;
  HWND mdiArea_ = nullptr;
  std::unique_ptr<WelcomePane> welcome_;
  // By the channel's name folded to lower case.
  std::map<std::string, std::unique_ptr<RoomPane>> rooms_;
  irc::ChatClient* client_ = nullptr;
  std::function<void()> askConnect_;
  std::function<void(const irc::ClientSettings&)> store_;
};

// The message router of the client: the MDI area's own keys (Ctrl+F4,
// Ctrl+F6) go to it.
bool RouteChatKeys(MSG& message);

}  // namespace tavrin::win32::chat
