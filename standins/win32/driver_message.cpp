#include "driver_message.h"

namespace tavrin::standins::winhost {

std::optional<std::string> DriverCommandFrom(LPARAM lParam) {
  const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
  if (data == nullptr || data->dwData != kDriverTag) return std::nullopt;
  if (data->lpData == nullptr || data->cbData == 0) return std::string();
  // Copied: the sender's buffer is gone once the message has been answered.
  std::string text(static_cast<const char*>(data->lpData), data->cbData);
  while (!text.empty() && text.back() == '\0') text.pop_back();
  return text;
}

void ReplyThenHang(std::chrono::milliseconds duration) {
  ReplyMessage(TRUE);
  Sleep(static_cast<DWORD>(duration.count()));
}

}  // namespace tavrin::standins::winhost
