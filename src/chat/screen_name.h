#pragma once

#include <optional>
#include <string>

#include "platform/foreign_windows.h"

// The signed-on screen name, read off the chat client's welcome window
// ("Welcome, <name>!"). Nothing is kept: every call looks again.
namespace tavrin::chat {

// The chat client's main window, or kNoWindow.
platform::WindowHandle FindAolFrame(platform::ForeignWindows& windows);

// The window's caption; "" for no window.
std::string GetCaption(platform::ForeignWindows& windows,
                       platform::WindowHandle window);

// The name in the first "AOL Child" under the client's MDI area whose
// caption begins with "Welcome, ": the text up to its first "!". "" when
// there is no such window, or its caption holds no "!"; nothing when the
// client did not answer for a caption, so that it can be asked again later
// rather than taken for nobody.
std::optional<std::string> ReadScreenName(platform::ForeignWindows& windows);
// The same, with a client that does not answer naming nobody.
std::string GetScreenName(platform::ForeignWindows& windows);

}  // namespace tavrin::chat
