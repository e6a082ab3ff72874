#include "win32/irc/connect_dialog.h"

#include <commctrl.h>

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

bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

// A password field starts empty: a stored password is never shown back,
// only said to be there.
void ShowPassword(HWND dialog, int id, const std::string& stored) {
  SendDlgItemMessageW(dialog, id, EM_SETCUEBANNER, FALSE,
                      reinterpret_cast<LPARAM>(stored.empty() ? L"" : L"(stored)"));
}

// What was typed replaces the stored password; an empty field keeps it,
// unless the user chose to forget them.
void TakePassword(HWND dialog, int id, bool forget, std::string& password) {
  std::string typed = FieldText(dialog, id);
  if (!typed.empty() || forget) password = std::move(typed);
}

void Fill(HWND dialog, const irc::ClientSettings& settings) {
  SetField(dialog, CHAT_SERVER_ID, settings.server);
  SetDlgItemInt(dialog, CHAT_PORT_ID, settings.port, FALSE);
  CheckDlgButton(dialog, CHAT_TLS_ID, settings.tls ? BST_CHECKED : BST_UNCHECKED);
  SetField(dialog, CHAT_NICK_ID, settings.nick);
  SetField(dialog, CHAT_CHANNELS_ID, irc::ChannelListText(settings.channels));
  SetField(dialog, CHAT_ACCOUNT_ID, settings.account);
  ShowPassword(dialog, CHAT_ACCOUNT_PASSWORD_ID, settings.accountPassword);
  ShowPassword(dialog, CHAT_PASSWORD_ID, settings.serverPassword);
  const bool stored = !settings.accountPassword.empty() || !settings.serverPassword.empty();
  EnableWindow(GetDlgItem(dialog, CHAT_FORGET_ID), stored);
}

// The port follows the TLS box while it is the usual one of the other way.
void TlsClicked(HWND dialog) {
  irc::ClientSettings port;
  BOOL read = FALSE;
  port.port = static_cast<std::uint16_t>(GetDlgItemInt(dialog, CHAT_PORT_ID, &read, FALSE));
  irc::SwitchTls(port, Checked(dialog, CHAT_TLS_ID), !read);
  SetDlgItemInt(dialog, CHAT_PORT_ID, port.port, FALSE);
}

// Reads the fields into `settings`; false, with the field to correct
// focused and the reason shown, when they will not do.
bool TakeFields(HWND dialog, irc::ClientSettings& settings) {
  irc::ClientSettings taken = settings;
  taken.server = FieldText(dialog, CHAT_SERVER_ID);
  taken.nick = FieldText(dialog, CHAT_NICK_ID);
  taken.channels = irc::ParseChannelList(FieldText(dialog, CHAT_CHANNELS_ID));
  taken.tls = Checked(dialog, CHAT_TLS_ID);
  taken.account = FieldText(dialog, CHAT_ACCOUNT_ID);
  const bool forget = Checked(dialog, CHAT_FORGET_ID);
  TakePassword(dialog, CHAT_PASSWORD_ID, forget, taken.serverPassword);
  TakePassword(dialog, CHAT_ACCOUNT_PASSWORD_ID, forget, taken.accountPassword);
  // Without an account its password has nothing to log in to.
  if (taken.account.empty()) taken.accountPassword.clear();
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
      Fill(dialog, *settings);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == CHAT_TLS_ID && HIWORD(wParam) == BN_CLICKED) {
        TlsClicked(dialog);
        return TRUE;
      }
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
