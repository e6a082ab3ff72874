#pragma once

#include <functional>
#include <memory>

#include "platform/foreign_windows.h"

namespace tavrin::platform {

// Another window's reports of its text's changes, and what they are worth.
// Some programs report every change (Windows does for a window's own text),
// some none, some only a few, so the reports only ever hint that a look is
// due: a program is taken to report every change once a change was found
// right after a report, until a look made only in case a report was missed
// finds a change that none told of. Then, for that window, never again.
class TextReports {
 public:
  // onReport runs, from the message loop, for each report that comes.
  TextReports(ForeignWindows& windows, std::function<void()> onReport);

  // Watches `window` (kNoWindow: none) from now on. What was learnt of
  // another window is forgotten.
  void Follow(WindowHandle window);
  WindowHandle Followed() const { return window_; }

  // Whether a report came since the last call. A report that comes after a
  // quicker look already found its change counts as that change's.
  bool TakeReport();
  // A look found the text changed; `reported`: what TakeReport gave before
  // it; `inCase`: the look was made only in case a report was missed.
  void Changed(bool reported, bool inCase);
  bool ReportsAll() const { return worth_ == Worth::kAll; }

 private:
  enum class Worth { kUnknown, kAll, kNotAll };

  ForeignWindows& windows_;
  std::function<void()> onReport_;
  WindowHandle window_ = kNoWindow;
  std::unique_ptr<TextWatch> watch_;
  bool reported_ = false;
  // A change was found that no report has told of yet.
  bool awaitingReport_ = false;
  Worth worth_ = Worth::kUnknown;
};

}  // namespace tavrin::platform
