#include "chat/chat_room.h"

namespace tavrin::chat {
namespace {

using platform::ForeignWindows;
using platform::kNoWindow;
using platform::WindowHandle;

bool IsChatRoom(ForeignWindows& windows, WindowHandle child) {
  for (const std::string_view childClass : kRoomChildClasses) {
    if (windows.FindChild(child, kNoWindow, childClass) == kNoWindow) {
      return false;
    }
  }
  return true;
}

}  // namespace

WindowHandle FindChatRoom(ForeignWindows& windows, Pump pump) {
  // A missing frame or MDI area is passed on as parent 0, which searches the
  // top-level windows; no top-level window is an "AOL Child" room, so the
  // search then ends with nothing found.
  const WindowHandle frame = windows.FindTopLevel(kFrameClass);
  const WindowHandle mdi = windows.FindChild(frame, kNoWindow, kMdiClass);
  for (WindowHandle child = windows.FindChild(mdi, kNoWindow, kChildClass);
       child != kNoWindow;
       child = windows.FindChild(mdi, child, kChildClass)) {
    if (pump == Pump::kPerCandidate) windows.PumpOnce();
    if (IsChatRoom(windows, child)) return child;
  }
  return kNoWindow;
}

SentLine ChatSend(ForeignWindows& windows, std::string_view text) {
  const WindowHandle room = FindChatRoom(windows);
  if (room == kNoWindow) return {};
  SentLine line{windows.FindChild(room, kNoWindow, kEntryClass)};
  line.delivery = windows.SetText(line.entry, text);
  // An Enter after a text that may not have arrived would send whatever
  // the box holds, such as the user's own half-typed words.
  if (line.delivery != platform::Delivery::kAnswered) return line;
  line.textAnswered = true;
  // Its time-out may leave the text in the box unsent.
  line.delivery =
      windows.Deliver(line.entry, platform::msg::kChar, kEnterKey, 0);
  return line;
}

}  // namespace tavrin::chat
