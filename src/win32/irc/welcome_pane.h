#pragma once

#include <memory>
#include <string>

#include "win32/irc/child_pane.h"
#include "win32/irc/transcript_box.h"

namespace tavrin::win32::chat {

// The window captioned "Welcome, <nick>!": the connection's own lines
// (sign-on, server notices, private messages, errors) and an entry line
// for commands such as /join.
class WelcomePane final : public ChildPane {
 public:
  WelcomePane(PaneHost& host, HWND mdiArea, const std::string& nick);

  void SetNick(const std::string& nick);
  void AddLine(const std::string& line);

 private:
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam,
                        LPARAM lParam) override;
  void CreateControls() override;
  void Layout(int width, int height) override;
  void Entered(HWND entry) override;

  HWND status_ = nullptr;
  HWND entry_ = nullptr;
  std::unique_ptr<TranscriptBox> lines_;
};

}  // namespace tavrin::win32::chat
