#include "chat/aol8chatsend.h"

namespace tavrin::chat {
namespace {

using platform::ForeignWindows;
using platform::kNoWindow;
using platform::WindowHandle;

constexpr std::uintptr_t kCarriageReturn = 13;

bool IsChatRoom(ForeignWindows& windows, WindowHandle child) {
  for (const std::string_view childClass : kRoomChildClasses) {
    if (windows.FindChild(child, kNoWindow, childClass) == kNoWindow) {
      return false;
    }
  }
  return true;
}

}  // namespace

WindowHandle FindChatRoom(ForeignWindows& windows) {
  // A missing frame or MDI area is passed on as parent 0, which searches the
  // top-level windows; no top-level window is an "AOL Child" room, so the
  // search then ends with nothing found.
  const WindowHandle frame = windows.FindTopLevel(kFrameClass);
  const WindowHandle mdi = windows.FindChild(frame, kNoWindow, kMdiClass);
  for (WindowHandle child = windows.FindChild(mdi, kNoWindow, kChildClass);
       child != kNoWindow;
       child = windows.FindChild(mdi, child, kChildClass)) {
    windows.PumpOnce();
    if (IsChatRoom(windows, child)) return child;
  }
  return kNoWindow;
}

void ChatSend(ForeignWindows& windows, std::string_view text) {
  const WindowHandle room = FindChatRoom(windows);
  if (room == kNoWindow) return;
  const WindowHandle entry = windows.FindChild(room, kNoWindow, kEntryClass);
  windows.SetText(entry, text);
  windows.Send(entry, platform::msg::kChar, kCarriageReturn, 0);
}

}  // namespace tavrin::chat
