#include "win32/win32_tray.h"

#include <windows.h>
#include <shellapi.h>

#include <cstddef>

#include "win32/system_library.h"
#include "win32/tray_tip.h"

namespace tavrin::win32 {
namespace {

static_assert(static_cast<DWORD>(platform::TrayCommand::kAdd) == NIM_ADD);
static_assert(static_cast<DWORD>(platform::TrayCommand::kDelete) == NIM_DELETE);
static_assert(platform::IconRecord::kFlagMessage == NIF_MESSAGE);
static_assert(platform::IconRecord::kFlagIcon == NIF_ICON);
static_assert(platform::IconRecord::kFlagTip == NIF_TIP);
// The first version's tip field: the first 64 of today's 128 characters.
constexpr std::size_t kTipField = platform::IconRecord::kTipField;
static_assert(kTipField <= sizeof NOTIFYICONDATAA{}.szTip);
static_assert(NOTIFYICONDATAA_V1_SIZE ==
              offsetof(NOTIFYICONDATAA, szTip) + kTipField);

NOTIFYICONDATAA RecordFor(const platform::IconRecord& record) {
  NOTIFYICONDATAA data{};
  // The record's own size is the 32-bit layout's; this build passes the
  // same version's size for its own layout.
  data.cbSize = NOTIFYICONDATAA_V1_SIZE;
  data.hWnd = reinterpret_cast<HWND>(record.window);
  data.uID = record.id;
  data.uFlags = record.flags;
  data.uCallbackMessage = record.callbackMessage;
  data.hIcon = reinterpret_cast<HICON>(record.icon);
  const std::string tip = AnsiTip(record.tip, kTipField);
  tip.copy(data.szTip, kTipField - 1);
  return data;
}

}  // namespace

// The shell's library is loaded when the icon is first needed, not at the
// start.
bool Win32Tray::Notify(platform::TrayCommand command,
                       const platform::IconRecord& record) {
  using NotifyFunction = BOOL(WINAPI*)(DWORD, PNOTIFYICONDATAA);
  static const auto notify =
      SystemFunction<NotifyFunction>(L"shell32.dll", "Shell_NotifyIconA");
  if (notify == nullptr) return false;
  NOTIFYICONDATAA data = RecordFor(record);
  return notify(static_cast<DWORD>(command), &data) != FALSE;
}

}  // namespace tavrin::win32
