#include "win32/win32_launcher.h"

#include <windows.h>

#include <string>

#include "win32/base/win32_handles.h"
#include "win32/base/win32_text.h"

namespace tavrin::win32 {

bool Win32Launcher::Start(std::string_view path, platform::ShowCommand show) {
  if (path.empty()) return false;
  const std::wstring application = WideFromUtf8(path);
  // The program sees its own path, quoted, as its command line (argv[0]);
  // CreateProcessW may write into this buffer.
  std::wstring commandLine = L"\"" + application + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(show);
  PROCESS_INFORMATION started{};
  if (!CreateProcessW(application.c_str(), commandLine.data(), nullptr,
                      nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &started)) {
    return false;
  }
  // Not waited for: the handles are only let go.
  const UniqueKernelHandle process(started.hProcess);
  const UniqueKernelHandle thread(started.hThread);
  return true;
}

}  // namespace tavrin::win32
