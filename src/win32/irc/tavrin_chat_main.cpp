// tavrin-chat.exe: an IRC client whose windows the song reporter finds as
// its chat rooms. Wires the Windows adapters to the portable client and runs
// the message loop.
#include <winsock2.h>
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "irc/chat_client.h"
#include "irc/client_settings.h"
#include "win32/base/message_pump.h"
#include "win32/base/win32_clock.h"
#include "win32/base/win32_text.h"
#include "win32/base/win32_timers.h"
#include "win32/irc/chat_frame.h"
#include "win32/irc/chat_settings_file.h"
#include "win32/irc/connect_dialog.h"
#include "win32/irc/dpapi_secret_box.h"
#include "win32/irc/schannel_engine.h"
#include "win32/irc/winsock_connection.h"

namespace {

using namespace tavrin;

std::vector<std::string> CommandLineWords() {
  int count = 0;
  wchar_t** words = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> utf8;
  for (int i = 1; words != nullptr && i < count; ++i) {
    utf8.push_back(win32::Utf8FromWide(words[i]));
  }
  if (words != nullptr) LocalFree(words);
  return utf8;
}

irc::ClientSettings StoredSettings(irc::SecretBox& secrets, std::string& problem) {
  const std::wstring path = win32::chat::ChatSettingsPath();
  if (path.empty()) return {};
  const auto text = win32::chat::ReadWholeFile(path);
  return text ? irc::SettingsFromText(*text, secrets, &problem) : irc::ClientSettings{};
}

// The passwords go to the file only sealed for this user; what could not be
// stored is said in the welcome window.
void Store(const irc::ClientSettings& settings, irc::SecretBox& secrets,
           win32::chat::ChatFrame& frame) {
  const std::wstring path = win32::chat::ChatSettingsPath();
  std::string problem;
  const std::string text = irc::SettingsText(settings, secrets, &problem);
  if (path.empty() || !win32::chat::ReplaceWholeFile(path, text)) {
    problem = "The settings could not be stored.";
  }
  if (!problem.empty()) frame.StatusLine(problem);
}

int RunChat(int showCommand) {
  const win32::WinsockSession winsock;
  win32::DpapiSecretBox secrets;
  std::string error;
  std::string unread;
  const auto given =
      irc::ParseCommandLine(CommandLineWords(), StoredSettings(secrets, unread), error);
  if (!given) {
    MessageBoxW(nullptr, win32::WideFromUtf8(error).c_str(), L"Tavrin Chat",
                MB_OK | MB_ICONERROR);
    return 2;
  }
  irc::ClientSettings settings = given->settings;
  const bool save = given->save;

  win32::chat::ChatFrame frame(settings.nick, settings.server);
  ShowWindow(frame.Window(), showCommand);
  UpdateWindow(frame.Window());
  if (!unread.empty()) frame.StatusLine(unread);
  win32::Win32Clock clock;
  win32::Win32Timers timers;
  win32::WinsockConnection connection;
  win32::SchannelEngines tls;
  // Declared last: it goes before the adapters it uses.
  irc::ChatClient client(connection, tls, clock, timers, frame);
  frame.Attach(client);

  frame.OnSettingsChanged([&](const irc::ClientSettings& changed) {
    settings = changed;
    if (save) Store(settings, secrets, frame);
  });
  const auto connect = [&] {
    if (save) Store(settings, secrets, frame);
    frame.SetServer(settings.server);
    client.Connect(settings);
  };
  frame.OnConnectCommand([&] {
    if (win32::chat::AskConnectSettings(frame.Window(), settings)) connect();
  });
  if (settings.Complete() ||
      win32::chat::AskConnectSettings(frame.Window(), settings)) {
    connect();
  } else {
    frame.StatusLine("Not connected. Choose Chat, Connect to sign on.");
  }
  win32::SetMessageRouter(&win32::chat::RouteChatKeys);
  return win32::RunMessageLoop();
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
  try {
    return RunChat(showCommand);
  } catch (const std::exception& failure) {
    MessageBoxW(nullptr, win32::WideFromUtf8(failure.what()).c_str(),
                L"Tavrin Chat", MB_OK | MB_ICONERROR);
    return 1;
  }
}
