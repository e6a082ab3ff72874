// The sim's text boxes and Open dialog: typing as a user does it, within
// the box's limit, and the dialog's answer queued by the test.
#include <algorithm>
#include <stdexcept>
#include <utility>

#include "sim/sim_forms.h"

namespace tavrin::sim {
namespace {

// UTF-16 units of the UTF-8 sequence that starts with this byte: two for a
// character beyond the basic plane, none for a continuation byte.
int Utf16Units(unsigned char lead) {
  if ((lead & 0xC0) == 0x80) return 0;
  return lead >= 0xF0 ? 2 : 1;
}

int Utf16Length(std::string_view utf8) {
  int units = 0;
  for (const char c : utf8) units += Utf16Units(static_cast<unsigned char>(c));
  return units;
}

// As much of the text as fits in `room` UTF-16 units, whole characters only.
std::string_view Fitting(std::string_view utf8, int room) {
  std::size_t end = 0;
  int used = 0;
  while (end < utf8.size()) {
    const int units = Utf16Units(static_cast<unsigned char>(utf8[end]));
    if (used + units > room) break;
    used += units;
    std::size_t next = end + 1;
    while (next < utf8.size() &&
           Utf16Units(static_cast<unsigned char>(utf8[next])) == 0) {
      ++next;
    }
    end = next;
  }
  return utf8.substr(0, end);
}

}  // namespace

void SimFormWindow::SetLocked(std::string_view control, bool locked) {
  Note("lock " + std::string(control) + " " + std::to_string(locked));
  Box(control).locked = locked;
}

void SimFormWindow::Focus(std::string_view control) {
  Note("focus " + std::string(control));
  if (const auto index = ControlIndex(control)) keys_.FocusOn(*index);
}

bool SimFormWindow::Locked(std::string_view control) const {
  return Box(control).locked;
}

void SimFormWindow::Type(std::string_view control, std::string_view text) {
  const TextBox& box = Box(control);
  if (box.locked || !Alive()) return;
  std::string& held = texts_[std::string(control)];
  if (box.maxLength > 0) {
    text = Fitting(text, box.maxLength - Utf16Length(held));
  }
  held += text;
}

void SimFormWindow::TypeOver(std::string_view control, std::string_view text) {
  if (Box(control).locked || !Alive()) return;
  texts_[std::string(control)].clear();
  Type(control, text);
}

std::optional<std::string> SimFormWindow::ChooseFileToOpen(
    const platform::FileFilter& filter, std::string_view fileName) {
  Note("open " + std::string(filter.description) + "|" +
       std::string(filter.pattern) + " " + std::string(fileName));
  auto& answers = toolkit_.openAnswers_;
  if (answers.empty()) return std::nullopt;
  SimFormsToolkit::OpenAnswer answer = std::move(answers.front());
  answers.pop_front();
  // What happens while it is up happens inside its modal loop, and may
  // unload this window.
  if (answer.meanwhile) {
    VirtualClock* const loop = toolkit_.loop_;
    if (loop != nullptr) loop->EnterModalLoop();
    answer.meanwhile();
    if (loop != nullptr) loop->LeaveModalLoop();
  }
  return answer.path;
}

// As for list boxes: a name that is no text box is the program's mistake.
const SimFormWindow::TextBox& SimFormWindow::Box(
    std::string_view control) const {
  const auto found = boxes_.find(control);
  if (found == boxes_.end()) {
    throw std::invalid_argument(name_ + " has no text box " +
                                std::string(control));
  }
  return found->second;
}

SimFormWindow::TextBox& SimFormWindow::Box(std::string_view control) {
  return const_cast<TextBox&>(std::as_const(*this).Box(control));
}

}  // namespace tavrin::sim
