#include "sim/sim_forms.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "shell/form_layout.h"

namespace tavrin::sim {
namespace {

constexpr int kScreenWidth = 1280;
constexpr int kScreenHeight = 800;

// The sim's screen has the standard 96 dots per inch.
int ToPixels(int twips) { return shell::PixelsFromTwips(twips, 96); }

}  // namespace

SimFormWindow::SimFormWindow(SimFormsToolkit& toolkit,
                             const platform::FormDesign& design,
                             platform::FormEvents& events,
                             platform::WindowHandle handle)
    : toolkit_(toolkit),
      events_(events),
      handle_(handle),
      name_(design.name),
      caption_(design.caption),
      width_(ToPixels(design.widthTwips)),
      height_(ToPixels(design.heightTwips)),
      position_{(kScreenWidth - width_) / 2, (kScreenHeight - height_) / 2},
      keys_(design) {
  for (const auto& control : design.controls) {
    controlNames_.push_back(control.name);
    texts_[control.name] = control.caption;
    if (control.kind == platform::ControlKind::kListBox) lists_[control.name];
    if (control.kind == platform::ControlKind::kTextBox) {
      boxes_[control.name].maxLength = control.maxLength;
    }
  }
  toolkit_.windows_.push_back(this);
}

SimFormWindow::~SimFormWindow() {
  auto& windows = toolkit_.windows_;
  windows.erase(std::remove(windows.begin(), windows.end(), this),
                windows.end());
}

void SimFormWindow::Show() {
  Note("show");
  visible_ = true;
}

void SimFormWindow::Hide() {
  Note("hide");
  visible_ = false;
}

void SimFormWindow::Activate() { Note("activate"); }

void SimFormWindow::SetTopmost(bool topmost) {
  Note("topmost " + std::to_string(topmost));
  topmost_ = topmost;
}

void SimFormWindow::SetShape(const std::vector<platform::PixelRect>& rectangles) {
  Note("shape");
  shape_ = rectangles;
}

// Noted before the call changes anything, so that a call made to fail
// changes nothing.
void SimFormWindow::Note(const std::string& what) {
  std::string entry = name_ + " " + what;
  if (toolkit_.failing_ == entry) {
    toolkit_.failing_.reset();
    throw std::runtime_error(entry + " failed");
  }
  toolkit_.journal.push_back(std::move(entry));
}

bool SimFormWindow::SetLayeredAlpha(std::uint8_t alpha) {
  Note("alpha " + std::to_string(alpha));
  layered_ = true;
  alpha_ = alpha;
  alphas_.push_back(alpha);
  return true;
}

void SimFormWindow::SetCheck(std::string_view control, int value) {
  Note("check " + std::string(control) + " " + std::to_string(value));
  checks_[std::string(control)] = value;
}

void SimFormWindow::SetPicture(std::string_view control,
                               platform::Picture picture) {
  Note("picture " + std::string(control) + " " +
       std::to_string(static_cast<int>(picture)));
  pictures_[std::string(control)] = picture;
}

void SimFormWindow::SetControlText(std::string_view control,
                                   std::string_view text) {
  texts_[std::string(control)] = text;
}

void SimFormWindow::AddListItem(std::string_view control,
                                std::string_view text) {
  Note("item " + std::string(control) + " " + std::string(text));
  List(control).items.emplace_back(text);
}

std::string SimFormWindow::PopupMenu(
    std::span<const platform::MenuItem> items) {
  std::string captions;
  for (const platform::MenuItem& item : items) {
    if (!captions.empty()) captions += '|';
    captions += item.caption;
  }
  Note("menu " + captions);
  if (toolkit_.choices_.empty()) return {};
  SimFormsToolkit::MenuChoice choice = std::move(toolkit_.choices_.front());
  toolkit_.choices_.pop_front();
  std::string chosen;
  SimFormsToolkit& toolkit = toolkit_;
  const SimFormWindow* const self = this;
  toolkit.RunModalLoop(choice.after, [&] { chosen = std::move(choice.item); });
  // The menu's loop ran other handlers; the form may be gone.
  if (std::find(toolkit.windows_.begin(), toolkit.windows_.end(), self) ==
      toolkit.windows_.end()) {
    return {};
  }
  if (chosen.empty()) return {};
  for (const platform::MenuItem& item : items) {
    if (item.name == chosen && item.caption != "-") return chosen;
  }
  Note("no menu item " + chosen);
  return {};
}

void SimFormsToolkit::RunModalLoop(platform::Milliseconds after,
                                   std::function<void()> input) {
  if (loop_ == nullptr || after.count() == 0) {
    input();
    return;
  }
  loop_->EnterModalLoop();
  loop_->ScheduleModalInput(loop_->Now() + after, std::move(input));
  loop_->Advance(after);
  loop_->LeaveModalLoop();
}

int SimFormWindow::ListIndex(std::string_view control) const {
  return List(control).selected;
}

// A name that is no list box of the design is the program's mistake, which
// the real toolkit would silently pass over: the sim says so.
const SimFormWindow::ListBox& SimFormWindow::List(
    std::string_view control) const {
  const auto found = lists_.find(control);
  if (found == lists_.end()) {
    throw std::invalid_argument(name_ + " has no list box " +
                                std::string(control));
  }
  return found->second;
}

SimFormWindow::ListBox& SimFormWindow::List(std::string_view control) {
  return const_cast<ListBox&>(std::as_const(*this).List(control));
}

bool SimFormWindow::Alive() const { return !toolkit_.Ended(); }

// A click on a button gives it the keyboard, as the Windows toolkit does.
void SimFormWindow::Click(std::string_view control) {
  if (const auto index = ControlIndex(control)) keys_.FocusOn(*index);
  if (Alive()) events_.OnClick(control);
}

void SimFormWindow::PressKey(shell::Key key) {
  const shell::KeyOutcome outcome = keys_.Press(key);
  if (outcome.click && Alive()) events_.OnClick(controlNames_[*outcome.click]);
}

std::optional<std::size_t> SimFormWindow::ControlIndex(
    std::string_view control) const {
  const auto at = std::find(controlNames_.begin(), controlNames_.end(), control);
  if (at == controlNames_.end()) return std::nullopt;
  return static_cast<std::size_t>(at - controlNames_.begin());
}

std::string SimFormWindow::Focused() const {
  const auto focused = keys_.Focused();
  return focused ? controlNames_[*focused] : std::string();
}

void SimFormWindow::DoubleClick(std::string_view control) {
  if (Alive()) events_.OnDoubleClick(control);
}

void SimFormWindow::MouseDown(std::string_view control,
                              platform::MouseButton button, float x, float y) {
  if (Alive()) events_.OnMouseDown(control, button, x, y);
}

void SimFormWindow::MouseMove(std::string_view control,
                              platform::MouseButton button, float x, float y) {
  if (Alive()) events_.OnMouseMove(control, button, x, y);
}

void SimFormWindow::MouseUp(std::string_view control,
                            platform::MouseButton button, float x, float y) {
  if (Alive()) events_.OnMouseUp(control, button, x, y);
}

void SimFormWindow::SystemClose() {
  if (Alive()) events_.OnSystemClose();
}

// The shell's callback reuses the mouse-move message, so a shown window
// takes it for movement over its face, as the Windows toolkit does.
void SimFormWindow::TrayIconEvent(std::uint32_t mouseMessage) {
  if (!Alive()) return;
  if (visible_) {
    const double x = mouseMessage * 1440.0 / dpi_;
    events_.OnMouseMove("", platform::MouseButton::kNone,
                        static_cast<float>(x), 0);
  } else {
    events_.OnTrayIcon(mouseMessage);
  }
}

void SimFormWindow::ShellRestarted() {
  if (Alive()) events_.OnShellRestarted();
}

void SimFormWindow::SelectListItem(std::string_view control, int position) {
  ListBox& list = List(control);
  if (position < -1 || position >= static_cast<int>(list.items.size())) {
    throw std::out_of_range(std::string(control) + " has no item " +
                            std::to_string(position));
  }
  list.selected = position;
  if (Alive()) events_.OnSelectionChange(control);
}

int SimFormWindow::Check(std::string_view control) const {
  const auto found = checks_.find(control);
  return found == checks_.end() ? 0 : found->second;
}

platform::Picture SimFormWindow::PictureOf(std::string_view control) const {
  const auto found = pictures_.find(control);
  return found == pictures_.end() ? platform::Picture::kNone : found->second;
}

std::string SimFormWindow::TextOf(std::string_view control) const {
  const auto found = texts_.find(control);
  return found == texts_.end() ? std::string() : found->second;
}

std::vector<std::string> SimFormWindow::ListItems(
    std::string_view control) const {
  return List(control).items;
}

std::unique_ptr<platform::FormWindow> SimFormsToolkit::Create(
    const platform::FormDesign& design, platform::FormEvents& events) {
  ++created_[design.name];
  const platform::WindowHandle handle = nextHandle_;
  nextHandle_ += 4;
  return std::make_unique<SimFormWindow>(*this, design, events, handle);
}

SimFormWindow* SimFormsToolkit::Find(std::string_view formName) const {
  for (SimFormWindow* window : windows_) {
    if (window->Name() == formName) return window;
  }
  return nullptr;
}

int SimFormsToolkit::Created(std::string_view formName) const {
  const auto found = created_.find(formName);
  return found == created_.end() ? 0 : found->second;
}

}  // namespace tavrin::sim
