#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

// Follows the record framing of what a TLS server sends, without reading
// the records: enough to tell at once a server that does not speak TLS,
// and whether a connection closed in the middle of a record.
namespace tavrin::irc {

class TlsRecords {
 public:
  // The largest record a server may send (a ciphertext of 2^14 + 2048).
  static constexpr std::size_t kMaxRecord = 18432;

  // false, for good, when the bytes cannot be TLS records.
  bool Feed(std::string_view bytes);
  bool InsideRecord() const { return headerHave_ > 0 || bodyLeft_ > 0; }
  bool Broken() const { return broken_; }

 private:
  bool HeaderDone();

  std::array<std::uint8_t, 5> header_{};
  std::size_t headerHave_ = 0;
  std::size_t bodyLeft_ = 0;
  bool broken_ = false;
};

}  // namespace tavrin::irc
