#pragma once

#include <optional>
#include <string>

namespace tavrin::win32::chat {

// %APPDATA%\Tavrin\TavrinChat.ini; empty when the folder is unknown.
std::wstring ChatSettingsPath();
// The whole file; nothing when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::wstring& path);
// Written beside and then moved over the old file, so that a failure
// midway never leaves half a file; creates the folder.
bool ReplaceWholeFile(const std::wstring& path, const std::string& text);

}  // namespace tavrin::win32::chat
