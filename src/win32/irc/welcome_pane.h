#pragma once

#include <memory>
#include <string>

#include "win32/irc/child_pane.h"

namespace tavrin::win32::chat {

// The window captioned "Welcome, <nick>!": the connection's own lines
// (sign-on, server notices, private messages, errors) and an entry line
// for commands such as /join.
class WelcomePane final : public ChildPane {
 public:
  WelcomePane(PaneHost& host, HWND mdiArea, const std::string& nick);

  void SetNick(const std::string& nick);

 private:
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam,
                        LPARAM lParam) override;
  void CreateControls() override;
  void Layout(int width, int height) override;
  void Entered(HWND entry) override;

  HWND status_ = nullptr;
};

}  // namespace tavrin::win32::chat
