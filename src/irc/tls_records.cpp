#include "irc/tls_records.h"

#include <algorithm>

namespace tavrin::irc {

bool TlsRecords::Feed(std::string_view bytes) {
  while (!bytes.empty() && !broken_) {
    if (bodyLeft_ > 0) {
      const std::size_t taken = std::min(bodyLeft_, bytes.size());
      bodyLeft_ -= taken;
      bytes.remove_prefix(taken);
      continue;
    }
    header_[headerHave_++] = static_cast<std::uint8_t>(bytes.front());
    bytes.remove_prefix(1);
    if (headerHave_ == header_.size() && !HeaderDone()) broken_ = true;
    // The type byte alone already tells plain text from TLS.
    if (headerHave_ == 1 && (header_[0] < 20 || header_[0] > 24)) broken_ = true;
  }
  return !broken_;
}

bool TlsRecords::HeaderDone() {
  headerHave_ = 0;
  // Change cipher spec, alert, handshake, application data or heartbeat,
  // in SSL 3 to TLS 1.3's framing.
  const bool type = header_[0] >= 20 && header_[0] <= 24;
  const bool version = header_[1] == 3 && header_[2] <= 4;
  bodyLeft_ = static_cast<std::size_t>(header_[3]) << 8 | header_[4];
  return type && version && bodyLeft_ <= kMaxRecord;
}

}  // namespace tavrin::irc
