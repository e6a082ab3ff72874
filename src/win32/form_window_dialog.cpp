// The system's Open dialog over a form.
#include "win32/base/message_pump.h"
#include "win32/win32_form_window.h"

#include <commdlg.h>

#include <string>

#include "win32/system_library.h"
#include "win32/base/win32_text.h"

namespace tavrin::win32 {
namespace {

// Room for the longest path Windows allows.
constexpr std::size_t kPathRoom = 32768;

// "description\0pattern\0\0", as the dialog takes its filter.
std::wstring FilterText(const platform::FileFilter& filter) {
  std::wstring text = WideFromUtf8(filter.description);
  text += L'\0';
  text += WideFromUtf8(filter.pattern);
  text += L'\0';
  text += L'\0';
  return text;
}

using GetOpenFileNameFunction = BOOL(WINAPI*)(LPOPENFILENAMEW);

// The dialog's library weighs more than all else the program loads (about
// 9 MB under Wine) and few sessions open the dialog.
GetOpenFileNameFunction OpenDialogFunction() {
  static const auto function = SystemFunction<GetOpenFileNameFunction>(
      L"comdlg32.dll", "GetOpenFileNameW");
  return function;
}

}  // namespace

// The dialog runs its own message loop, so any handler may run inside and
// this window may be gone when it returns: nothing of it is touched after.
// It leaves the current folder alone and shows no read-only box, which
// nothing here would honour.
std::optional<std::string> Win32FormWindow::ChooseFileToOpen(
    const platform::FileFilter& filter, std::string_view fileName) {
  const std::wstring filterText = FilterText(filter);
  std::wstring file = WideFromUtf8(fileName);
  if (file.size() >= kPathRoom) file.clear();
  file.resize(kPathRoom, L'\0');

  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = window_.get();
  dialog.lpstrFilter = filterText.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  const GetOpenFileNameFunction getOpenFileName = OpenDialogFunction();
  // Without its library there is no dialog: as if it was cancelled.
  if (getOpenFileName == nullptr) return std::nullopt;
  bool chosen = false;
  {
    const ModalLoopScope modal;
    chosen = getOpenFileName(&dialog) != FALSE;
  }
  if (!chosen) return std::nullopt;
  file.resize(file.find(L'\0'));
  return Utf8FromWide(file);
}

}  // namespace tavrin::win32
