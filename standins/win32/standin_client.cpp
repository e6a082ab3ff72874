#include "standin_client.h"

#include <array>

#include "chat_classes.h"
#include "driver_message.h"

namespace tavrin::standins::winhost {
namespace {

constexpr UINT kSendTimeoutMs = 5000;
constexpr std::array<const wchar_t*, 4> kRoomChildren{
    kTranscriptClassName, kListClassName, kComboClassName, kStaticClassName};

bool IsRoom(HWND child) {
  for (const wchar_t* name : kRoomChildren) {
    if (FindWindowExW(child, nullptr, name, nullptr) == nullptr) return false;
  }
  return true;
}

}  // namespace

std::optional<LRESULT> SendBounded(HWND window, UINT message, WPARAM wParam,
                                   LPARAM lParam) {
  DWORD_PTR result = 0;
  if (SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG,
                          kSendTimeoutMs, &result) == 0) {
    return std::nullopt;
  }
  return static_cast<LRESULT>(result);
}

DriveResult Drive(HWND window, std::string_view command) {
  if (window == nullptr) return DriveResult::kNoAnswer;
  std::string bytes(command);
  COPYDATASTRUCT data{kDriverTag, static_cast<DWORD>(bytes.size()),
                      bytes.data()};
  const auto answer =
      SendBounded(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
  if (!answer) return DriveResult::kNoAnswer;
  return *answer != FALSE ? DriveResult::kApplied : DriveResult::kRefused;
}

// Rooms count in the MDI client's child order.
HWND FindRoomTranscript(std::size_t room) {
  const HWND frame = FindWindowW(kFrameClassName, nullptr);
  if (frame == nullptr) return nullptr;
  const HWND mdi = FindWindowExW(frame, nullptr, kMdiClassName, nullptr);
  if (mdi == nullptr) return nullptr;
  HWND child = nullptr;
  while ((child = FindWindowExW(mdi, child, kChildClassName, nullptr)) !=
         nullptr) {
    if (IsRoom(child) && --room == 0) {
      return FindWindowExW(child, nullptr, kTranscriptClassName, nullptr);
    }
  }
  return nullptr;
}

std::optional<std::wstring> ReadWindowText(HWND window) {
  const auto length = SendBounded(window, WM_GETTEXTLENGTH, 0, 0);
  if (!length) return std::nullopt;
  std::wstring text(static_cast<std::size_t>(*length) + 1, L'\0');
  const auto copied = SendBounded(window, WM_GETTEXT, text.size(),
                                  reinterpret_cast<LPARAM>(text.data()));
  if (!copied) return std::nullopt;
  text.resize(static_cast<std::size_t>(*copied));
  return text;
}

}  // namespace tavrin::standins::winhost
