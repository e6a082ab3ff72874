#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

// Cuts the bytes received into lines. LF or CR LF ends a line; a line
// longer than the bound is dropped whole, so the memory held never grows
// past the bound whatever the server sends.
namespace tavrin::irc {

class LineReader {
 public:
  // 512 bytes of message and 8191 of IRCv3 tags.
  static constexpr std::size_t kMaxLine = 8191 + 512;

  explicit LineReader(std::size_t maxLine = kMaxLine) : maxLine_(maxLine) {}

  // Calls `onLine` with each line completed by `bytes`, without its end.
  void Feed(std::string_view bytes,
            const std::function<void(std::string_view)>& onLine);
  // Forgets a partial line (the connection closed).
  void Reset();

 private:
  void Keep(std::string_view part);

  std::size_t maxLine_;
  std::string partial_;
  bool dropping_ = false;  // inside a line that grew too long
};

}  // namespace tavrin::irc
