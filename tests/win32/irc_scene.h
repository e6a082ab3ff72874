#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "irc_peer.h"

// tavrin-chat.exe as the end-to-end tests and the measurements drive it:
// its windows, the user's typing, and what the channel heard from the user.
namespace tavrin::e2e {

// The client's room window: the "AOL Child" under its frame that holds a
// transcript; nullptr while there is none.
HWND ChatRoom();
// Its window captioned "Welcome, <nick>!".
HWND ChatWelcome();
// The lines of the welcome window's read-only box: the client's status.
std::vector<std::string> WelcomeLines();
// Those lines as one text, a line each, for a failure's message.
std::string WelcomeText();
// Whether one of them begins with `start`.
bool WelcomeHasLineStarting(const std::string& start);
// %APPDATA%\Tavrin\TavrinChat.ini, where the client keeps its settings.
std::wstring ChatSettingsFile();
// The command line that signs the client on to the loopback server as
// `nick` in #tavrin, storing nothing.
std::wstring ChatArguments(std::uint16_t port, const std::string& nick);
// The user types the line into the room's entry box and presses Enter;
// both are sent, so that the next line cannot overtake this one.
bool TypeInRoom(const std::string& text);
// The same in the welcome window's entry box.
bool TypeInWelcome(const std::string& text);
bool TypeIn(HWND pane, const std::string& text);
// What was heard from `nick`, in order.
std::vector<std::string> SaidBy(const std::vector<Heard>& heard, const std::string& nick);
// tavrin.exe's settings for a room: the decoration "~~", a report of the
// state, name, bit rate and length, auto-advertising as given.
void StoreRoomSettings(const char* autoAdvertise);

}  // namespace tavrin::e2e
