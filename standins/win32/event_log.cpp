#include "event_log.h"

namespace tavrin::standins::winhost {

EventLog::EventLog(const std::wstring& path) {
  if (path.empty()) return;
  // FILE_APPEND_DATA makes every write land at the end, even when the file
  // is shared with another writer.
  HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA,
                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) file_.reset(file);
}

void EventLog::Line(std::string_view utf8) const {
  if (!file_) return;
  std::string line(utf8);
  line.push_back('\n');
  DWORD written = 0;
  // Unbuffered: the line is in the file when WriteFile returns.
  WriteFile(file_.get(), line.data(), static_cast<DWORD>(line.size()), &written,
            nullptr);
}

}  // namespace tavrin::standins::winhost
