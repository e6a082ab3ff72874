#include "chat/screen_name.h"

#include <string_view>

#include "chat/chat_room.h"

namespace tavrin::chat {
namespace {

using platform::kNoWindow;
using platform::WindowHandle;

constexpr std::string_view kWelcome = "Welcome, ";

bool IsWelcome(std::string_view caption) { return caption.starts_with(kWelcome); }

}  // namespace

WindowHandle FindAolFrame(platform::ForeignWindows& windows) {
  return windows.FindTopLevel(kFrameClass);
}

std::string GetCaption(platform::ForeignWindows& windows, WindowHandle window) {
  return window == kNoWindow ? std::string() : windows.GetText(window);
}

std::optional<std::string> ReadScreenName(platform::ForeignWindows& windows) {
  // A missing frame or MDI area is passed on as parent 0, which searches the
  // top-level windows, where no "AOL Child" stands.
  const WindowHandle mdi =
      windows.FindChild(FindAolFrame(windows), kNoWindow, kMdiClass);
  for (WindowHandle child = windows.FindChild(mdi, kNoWindow, kChildClass);
       child != kNoWindow; child = windows.FindChild(mdi, child, kChildClass)) {
    const std::optional<std::string> caption = windows.ReadText(child);
    if (!caption) return std::nullopt;
    if (!IsWelcome(*caption)) continue;
    const std::size_t bang = caption->find('!');
    // A welcome without its "!" names nobody.
    if (bang == std::string::npos) return std::string();
    return caption->substr(kWelcome.size(), bang - kWelcome.size());
  }
  return std::string();
}

std::string GetScreenName(platform::ForeignWindows& windows) {
  return ReadScreenName(windows).value_or(std::string());
}

}  // namespace tavrin::chat
