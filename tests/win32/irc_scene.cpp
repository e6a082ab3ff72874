#include "irc_scene.h"

#include <shlobj.h>

#include <algorithm>

#include "e2e_support.h"
#include "shell_driving.h"
#include "win32/base/win32_text.h"

namespace tavrin::e2e {
namespace {

HWND ChatArea() {
  return FindWindowExW(FindWindowW(L"AOL Frame25", nullptr), nullptr, L"MDIClient",
                       nullptr);
}

template <typename Matches>
HWND FindChild(Matches matches) {
  const HWND area = ChatArea();
  for (HWND child = FindWindowExW(area, nullptr, L"AOL Child", nullptr);
       child != nullptr; child = FindWindowExW(area, child, L"AOL Child", nullptr)) {
    if (matches(child)) return child;
  }
  return nullptr;
}

// The welcome window, also while it names no nick yet.
HWND WelcomePane() {
  return FindChild([](HWND child) { return WindowText(child).starts_with("Welcome"); });
}

}  // namespace

HWND ChatRoom() {
  return FindChild([](HWND child) {
    return FindWindowExW(child, nullptr, L"RICHCNTLREADONLY", nullptr) != nullptr;
  });
}

HWND ChatWelcome() {
  return FindChild([](HWND child) { return WindowText(child).starts_with("Welcome, "); });
}

std::vector<std::string> WelcomeLines() {
  const HWND welcome = WelcomePane();
  // The box the user cannot type in, whatever its class.
  HWND box = nullptr;
  for (HWND child = FindWindowExW(welcome, nullptr, nullptr, nullptr);
       welcome != nullptr && child != nullptr;
       child = FindWindowExW(welcome, child, nullptr, nullptr)) {
    if ((GetWindowLongW(child, GWL_STYLE) & ES_READONLY) != 0) box = child;
  }
  std::vector<std::string> lines;
  const std::string text = box != nullptr ? WindowText(box) : std::string();
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t end = std::min(text.find("\r\n", at), text.size());
    lines.push_back(text.substr(at, end - at));
    at = end + 2;
  }
  return lines;
}

std::string WelcomeText() {
  std::string text;
  for (const std::string& line : WelcomeLines()) text += line + "\n";
  return text;
}

bool WelcomeHasLineStarting(const std::string& start) {
  const auto lines = WelcomeLines();
  return std::any_of(lines.begin(), lines.end(),
                     [&](const std::string& line) { return line.starts_with(start); });
}

std::wstring ChatSettingsFile() {
  wchar_t folder[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder))) {
    return {};
  }
  return std::wstring(folder) + L"\\Tavrin\\TavrinChat.ini";
}

std::wstring ChatArguments(std::uint16_t port, const std::string& nick) {
  return L"--server 127.0.0.1 --no-tls --port " + std::to_wstring(port) + L" --nick " +
         win32::WideFromUtf8(nick) + L" --channels #tavrin --no-save";
}

bool TypeInRoom(const std::string& text) { return TypeIn(ChatRoom(), text); }

bool TypeInWelcome(const std::string& text) { return TypeIn(WelcomePane(), text); }

bool TypeIn(HWND pane, const std::string& text) {
  const HWND entry = pane ? FindWindowExW(pane, nullptr, L"RICHCNTL", nullptr) : nullptr;
  if (entry == nullptr) return false;
  const std::wstring wide = win32::WideFromUtf8(text);
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(entry, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()),
                             SMTO_ABORTIFHUNG, 5000, &result) != 0 &&
         SendMessageTimeoutW(entry, WM_CHAR, VK_RETURN, 1, SMTO_ABORTIFHUNG, 5000,
                             &result) != 0;
}

std::vector<std::string> SaidBy(const std::vector<Heard>& heard, const std::string& nick) {
  std::vector<std::string> texts;
  for (const Heard& one : heard) {
    if (one.nick == nick) texts.push_back(one.text);
  }
  return texts;
}

void StoreRoomSettings(const char* autoAdvertise) {
  StoreSettings({{"Ascii", "~~"}, {"UseWAStatus", "1"}, {"UseSongName", "1"},
                 {"UseBitRate", "1"}, {"UseElapRem", "0"}, {"UseSongLen", "1"},
                 {"AutoAdv", autoAdvertise}, {"AutoLoadWA", "0"}, {"WinampDIR", ""}});
}

}  // namespace tavrin::e2e
