#pragma once

#include <windows.h>

#include "irc/client_settings.h"

namespace tavrin::win32::chat {

// Asks where and as whom to connect, starting from `settings`; true with
// `settings` changed when the user chose Connect with complete values.
bool AskConnectSettings(HWND owner, irc::ClientSettings& settings);

}  // namespace tavrin::win32::chat
