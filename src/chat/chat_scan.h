#pragma once

namespace tavrin::chat {

// Watches the open chat room for new lines. The program makes one start-up
// call on it; the watching itself comes with the chat commands.
class ChatScan {
 public:
  void Start() { ++starts_; }
  int Starts() const { return starts_; }

 private:
  int starts_ = 0;
};

}  // namespace tavrin::chat
