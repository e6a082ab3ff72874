#pragma once

#include <string>
#include <string_view>

#include "win32/base/win32_handles.h"

namespace tavrin::standins::winhost {

// Appends UTF-8 lines to a file, each written at once, so that a test can
// read what a stand-in saw while it still runs. Without a path it is silent.
class EventLog {
 public:
  EventLog() = default;
  explicit EventLog(const std::wstring& path);

  void Line(std::string_view utf8) const;

 private:
  tavrin::win32::UniqueKernelHandle file_;
};

}  // namespace tavrin::standins::winhost
