#include "platform/text_reports.h"

#include <utility>

namespace tavrin::platform {

TextReports::TextReports(ForeignWindows& windows,
                         std::function<void()> onReport)
    : windows_(windows), onReport_(std::move(onReport)) {}

void TextReports::Follow(WindowHandle window) {
  if (window == window_) return;
  window_ = window;
  reported_ = false;
  awaitingReport_ = false;
  worth_ = Worth::kUnknown;
  watch_ = window == kNoWindow ? nullptr
                               : windows_.WatchText(window, [this] {
                                   reported_ = true;
                                   if (onReport_) onReport_();
                                 });
}

bool TextReports::TakeReport() {
  if (!std::exchange(reported_, false)) return false;
  if (std::exchange(awaitingReport_, false)) Changed(true, false);
  return true;
}

void TextReports::Changed(bool reported, bool inCase) {
  awaitingReport_ = !reported;
  if (worth_ == Worth::kNotAll) return;
  if (reported) {
    worth_ = Worth::kAll;
  } else if (inCase) {
    // A quicker look may find a change before its report arrives: only
    // one made in case tells that a report is missing.
    worth_ = Worth::kNotAll;
  }
}

}  // namespace tavrin::platform
