#include "irc/line_reader.h"

namespace tavrin::irc {

void LineReader::Feed(std::string_view bytes,
                      const std::function<void(std::string_view)>& onLine) {
  for (std::size_t end = bytes.find('\n'); end != std::string_view::npos;
       end = bytes.find('\n')) {
    Keep(bytes.substr(0, end));
    bytes.remove_prefix(end + 1);
    const bool complete = !dropping_;
    dropping_ = false;
    std::string line = std::move(partial_);
    partial_.clear();
    if (!complete) continue;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() <= maxLine_) onLine(line);
  }
  Keep(bytes);
}

void LineReader::Reset() {
  partial_.clear();
  dropping_ = false;
}

// One more byte than the bound is kept: the CR before a line's LF.
void LineReader::Keep(std::string_view part) {
  if (dropping_) return;
  if (partial_.size() + part.size() > maxLine_ + 1) {
    partial_.clear();
    partial_.shrink_to_fit();
    dropping_ = true;
    return;
  }
  partial_.append(part);
}

}  // namespace tavrin::irc
