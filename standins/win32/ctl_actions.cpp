#include "ctl_actions.h"

#include <windows.h>

#include <array>
#include <thread>

#include "chat_classes.h"
#include "driver_message.h"
#include "player_class.h"
#include "win32/win32_text.h"

namespace tavrin::standins::winhost {
namespace {

constexpr UINT kSendTimeoutMs = 5000;
constexpr std::chrono::milliseconds kPollInterval(50);
constexpr std::array<const wchar_t*, 4> kRoomChildren{
    kTranscriptClassName, kListClassName, kComboClassName, kStaticClassName};

// A bounded send that gives up at once on a hung window.
std::optional<LRESULT> SendBounded(HWND window, UINT message, WPARAM wParam,
                                   LPARAM lParam) {
  DWORD_PTR result = 0;
  if (SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG,
                          kSendTimeoutMs, &result) == 0) {
    return std::nullopt;
  }
  return static_cast<LRESULT>(result);
}

bool IsRoom(HWND child) {
  for (const wchar_t* name : kRoomChildren) {
    if (FindWindowExW(child, nullptr, name, nullptr) == nullptr) return false;
  }
  return true;
}

// The n-th room (1-based) among the MDI client's children, in their order.
HWND FindRoom(std::size_t number) {
  const HWND frame = FindWindowW(kFrameClassName, nullptr);
  if (frame == nullptr) return nullptr;
  const HWND mdi = FindWindowExW(frame, nullptr, kMdiClassName, nullptr);
  if (mdi == nullptr) return nullptr;
  HWND child = nullptr;
  while ((child = FindWindowExW(mdi, child, kChildClassName, nullptr)) !=
         nullptr) {
    if (IsRoom(child) && --number == 0) return child;
  }
  return nullptr;
}

std::optional<std::wstring> ReadText(HWND window) {
  // The wide length query keeps its bound under Wine; the ANSI one does not.
  const auto length = SendBounded(window, WM_GETTEXTLENGTH, 0, 0);
  if (!length) return std::nullopt;
  std::wstring text(static_cast<std::size_t>(*length) + 1, L'\0');
  const auto copied = SendBounded(window, WM_GETTEXT, text.size(),
                                  reinterpret_cast<LPARAM>(text.data()));
  if (!copied) return std::nullopt;
  text.resize(static_cast<std::size_t>(*copied));
  return text;
}

void WriteOut(std::string_view bytes) {
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(),
            static_cast<DWORD>(bytes.size()), &written, nullptr);
}

}  // namespace

int SendDriverCommand(const std::wstring& className, std::string_view command) {
  const HWND window = FindWindowW(className.c_str(), nullptr);
  if (window == nullptr) return kExitNoAnswer;
  std::string bytes(command);
  COPYDATASTRUCT data{kDriverTag, static_cast<DWORD>(bytes.size()),
                      bytes.data()};
  const auto answer =
      SendBounded(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
  if (!answer) return kExitNoAnswer;
  return *answer != FALSE ? kExitDone : kExitRefused;
}

int WaitForWindow(const std::wstring& className,
                  std::chrono::milliseconds patience) {
  const auto deadline = std::chrono::steady_clock::now() + patience;
  for (;;) {
    if (FindWindowW(className.c_str(), nullptr) != nullptr) return kExitDone;
    if (std::chrono::steady_clock::now() >= deadline) return kExitNoAnswer;
    std::this_thread::sleep_for(kPollInterval);
  }
}

int PrintTranscript(std::size_t room) {
  const HWND window = FindRoom(room);
  if (window == nullptr) return kExitNoAnswer;
  const HWND transcript =
      FindWindowExW(window, nullptr, kTranscriptClassName, nullptr);
  const auto text = ReadText(transcript);
  if (!text) return kExitNoAnswer;
  WriteOut(tavrin::win32::Utf8FromWide(*text));
  return kExitDone;
}

int PostClose(const std::wstring& className) {
  const HWND window = FindWindowW(className.c_str(), nullptr);
  if (window == nullptr) return kExitNoAnswer;
  return PostMessageW(window, WM_CLOSE, 0, 0) ? kExitDone : kExitNoAnswer;
}

int PrintPlayerAnswer(unsigned long long wParam, long long lParam) {
  const HWND window = FindWindowW(kPlayerClassName, nullptr);
  if (window == nullptr) return kExitNoAnswer;
  const auto answer = SendBounded(window, WM_USER, static_cast<WPARAM>(wParam),
                                  static_cast<LPARAM>(lParam));
  if (!answer) return kExitNoAnswer;
  WriteOut(std::to_string(static_cast<long long>(*answer)) + "\n");
  return kExitDone;
}

}  // namespace tavrin::standins::winhost
