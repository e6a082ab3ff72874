#pragma once

#include <windows.h>

#include <cstddef>
#include <deque>
#include <string>

namespace tavrin::win32::chat {

// A read-only edit box that keeps the last lines of a conversation, each
// ended by CR LF. The oldest lines go as new ones come, so memory stays
// flat in a busy room. A reader who scrolled up or selected text keeps
// their place; one at the bottom follows the new lines.
class TranscriptBox {
 public:
  static constexpr std::size_t kDefaultCap = 500;

  explicit TranscriptBox(HWND edit, std::size_t cap = kDefaultCap);
  void Append(const std::string& line);

 private:
  bool ShowsLastLine() const;
  std::size_t DropOldest();

  HWND edit_;
  std::size_t cap_;
  // Each line's length in UTF-16 units, its line end included.
  std::deque<std::size_t> lengths_;
  std::size_t total_ = 0;
};

}  // namespace tavrin::win32::chat
