#include "win32/irc/connect_dialog.h"

#include <string>

#include "win32/base/message_pump.h"
#include "win32/base/win32_text.h"
#include "win32/base/window_text.h"
#include "win32/irc/chat_resource_ids.h"

namespace tavrin::win32::chat {
namespace {

std::string FieldText(HWND dialog, int id) {
  return Utf8FromWide(WideWindowText(GetDlgItem(dialog, id)));
}

void SetField(HWND dialog, int id, const std::string& text) {
  SetDlgItemTextW(dialog, id, WideFromUtf8(text).c_str());
}

// Reads the fields into `settings`; false, with the field to correct
// focused and the reason shown, when they will not do.
bool TakeFields(HWND dialog, irc::ClientSettings& settings) {
  irc::ClientSettings taken = settings;
  taken.server = FieldText(dialog, CHAT_SERVER_ID);
  taken.nick = FieldText(dialog, CHAT_NICK_ID);
  taken.channels = irc::ParseChannelList(FieldText(dialog, CHAT_CHANNELS_ID));
  taken.serverPassword = FieldText(dialog, CHAT_PASSWORD_ID);
  BOOL portRead = FALSE;
  const UINT port = GetDlgItemInt(dialog, CHAT_PORT_ID, &portRead, FALSE);
  int wrong = 0;
  const wchar_t* reason = nullptr;
  if (!portRead || port == 0 || port > 65535) {
    wrong = CHAT_PORT_ID;
    reason = L"The port is a number from 1 to 65535.";
  } else {
    taken.port = static_cast<std::uint16_t>(port);
    if (!taken.Complete()) {
      const bool noServer = taken.server.empty();
      wrong = noServer ? CHAT_SERVER_ID : CHAT_NICK_ID;
      reason = noServer ? L"Which server? For instance irc.libera.chat."
                        : L"A nick begins with a letter and has no blanks.";
    }
  }
  if (reason != nullptr) {
    MessageBoxW(dialog, reason, L"Connect", MB_OK | MB_ICONINFORMATION);
    SetFocus(GetDlgItem(dialog, wrong));
    return false;
  }
  settings = std::move(taken);
  return true;
}

INT_PTR CALLBACK DialogProcedure(HWND dialog, UINT message, WPARAM wParam,
                                 LPARAM lParam) {
  auto* settings = reinterpret_cast<irc::ClientSettings*>(
      GetWindowLongPtrW(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG:
      settings = reinterpret_cast<irc::ClientSettings*>(lParam);
      SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      SetField(dialog, CHAT_SERVER_ID, settings->server);
      SetDlgItemInt(dialog, CHAT_PORT_ID, settings->port, FALSE);
      SetField(dialog, CHAT_NICK_ID, settings->nick);
      SetField(dialog, CHAT_CHANNELS_ID, irc::ChannelListText(settings->channels));
      SetField(dialog, CHAT_PASSWORD_ID, settings->serverPassword);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        if (settings != nullptr && TakeFields(dialog, *settings)) EndDialog(dialog, IDOK);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

bool AskConnectSettings(HWND owner, irc::ClientSettings& settings) {
  irc::ClientSettings asked = settings;
  const ModalLoopScope modal;
  const INT_PTR chosen = DialogBoxParamW(
      GetModuleHandleW(nullptr), MAKEINTRESOURCEW(CHAT_CONNECT_DIALOG_ID), owner,
      &DialogProcedure, reinterpret_cast<LPARAM>(&asked));
  if (chosen != IDOK) return false;
  settings = std::move(asked);
  return true;
}

}  // namespace tavrin::win32::chat
