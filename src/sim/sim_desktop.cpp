#include "sim/sim_desktop.h"

#include <algorithm>
#include <utility>

#include "sim/cp1252.h"

namespace tavrin::sim {

const SimDesktop::Window* SimDesktop::Find(WindowHandle window) const {
  const auto found = windows_.find(window);
  return found == windows_.end() ? nullptr : &found->second;
}

SimDesktop::Window* SimDesktop::Find(WindowHandle window) {
  const auto found = windows_.find(window);
  return found == windows_.end() ? nullptr : &found->second;
}

const std::vector<WindowHandle>* SimDesktop::SiblingsUnder(
    WindowHandle parent) const {
  if (parent == platform::kNoWindow) return &topLevel_;
  const Window* window = Find(parent);
  return window == nullptr ? nullptr : &window->children;
}

SimDesktop::ProcessId SimDesktop::NewProcess(Charset charset) {
  const ProcessId process = nextProcess_++;
  processes_[process].charset = charset;
  return process;
}

std::string SimDesktop::Holdable(ProcessId process,
                                 std::string_view textUtf8) const {
  const auto found = processes_.find(process);
  if (found == processes_.end() || found->second.charset == Charset::kUnicode) {
    return std::string(textUtf8);
  }
  return Utf8FromCp1252(Cp1252FromUtf8(textUtf8));
}

WindowHandle SimDesktop::Create(ProcessId process, std::string_view className,
                                std::string_view textUtf8,
                                WindowHandle parent, WindowProc proc,
                                Place place) {
  std::vector<WindowHandle>* siblings = &topLevel_;
  if (parent != platform::kNoWindow) {
    Window* owner = Find(parent);
    if (owner == nullptr) return platform::kNoWindow;
    siblings = &owner->children;
  }
  const WindowHandle handle = nextHandle_;
  nextHandle_ += 4;
  windows_.emplace(handle, Window{process, std::string(className),
                                  Holdable(process, textUtf8), parent, {},
                                  std::move(proc)});
  if (place == Place::kFirst) {
    siblings->insert(siblings->begin(), handle);
  } else {
    siblings->push_back(handle);
  }
  return handle;
}

void SimDesktop::Destroy(WindowHandle window) {
  Window* target = Find(window);
  if (target == nullptr) return;
  for (const WindowHandle child : std::vector<WindowHandle>(target->children)) {
    Destroy(child);
  }
  auto* siblings = target->parent == platform::kNoWindow
                       ? &topLevel_
                       : &Find(target->parent)->children;
  siblings->erase(std::remove(siblings->begin(), siblings->end(), window),
                  siblings->end());
  windows_.erase(window);
}

bool SimDesktop::Exists(WindowHandle window) const {
  return Find(window) != nullptr;
}

SimDesktop::ProcessId SimDesktop::ProcessOf(WindowHandle window) const {
  const Window* target = Find(window);
  return target == nullptr ? 0 : target->process;
}

void SimDesktop::Hang(ProcessId process, platform::Milliseconds duration) {
  processes_[process].hungUntil = clock_.Now() + duration;
}

void SimDesktop::SlowDown(ProcessId process, platform::Milliseconds duration) {
  processes_[process].slowness = duration;
}

platform::Milliseconds SimDesktop::TakeHandlingTime(ProcessId process) {
  const auto found = processes_.find(process);
  if (found == processes_.end()) return platform::Milliseconds(0);
  const platform::Milliseconds slowness =
      std::exchange(found->second.slowness, platform::Milliseconds(0));
  if (slowness.count() > 0) Hang(process, slowness);
  return slowness;
}

platform::Milliseconds SimDesktop::HungFor(WindowHandle window) const {
  const Window* target = Find(window);
  if (target == nullptr) return platform::Milliseconds(0);
  const auto found = processes_.find(target->process);
  if (found == processes_.end() || found->second.hungUntil <= clock_.Now()) {
    return platform::Milliseconds(0);
  }
  return found->second.hungUntil - clock_.Now();
}

std::string SimDesktop::TextOf(WindowHandle window) const {
  const Window* target = Find(window);
  return target == nullptr ? std::string() : target->text;
}

void SimDesktop::SetTextOf(WindowHandle window, std::string_view textUtf8) {
  Window* target = Find(window);
  if (target == nullptr) return;
  target->text = Holdable(target->process, textUtf8);
  if (!processes_[target->process].reportsTextChanges) return;
  for (const auto& [id, watch] : watches_) {
    if (watch.window != window) continue;
    // A watch ended before its event is handled hears nothing.
    clock_.ScheduleInput(clock_.Now(), [this, id = id] {
      const auto found = watches_.find(id);
      if (found != watches_.end()) found->second.onChange();
    });
  }
}

void SimDesktop::ReportTextChanges(ProcessId process, bool on) {
  processes_[process].reportsTextChanges = on;
}

SimDesktop::WatchId SimDesktop::Watch(WindowHandle window,
                                      std::function<void()> onChange) {
  const WatchId id = nextWatch_++;
  watches_.emplace(id, TextWatch{window, std::move(onChange)});
  return id;
}

WindowHandle SimDesktop::FindWindow(std::string_view className) const {
  return FindWindowEx(platform::kNoWindow, platform::kNoWindow, className);
}

WindowHandle SimDesktop::FindWindowEx(WindowHandle parent, WindowHandle after,
                                      std::string_view className) const {
  const auto* siblings = SiblingsUnder(parent);
  if (siblings == nullptr) return platform::kNoWindow;
  auto it = siblings->begin();
  if (after != platform::kNoWindow) {
    it = std::find(siblings->begin(), siblings->end(), after);
    // Like the platform: a window after which to search that is not a child
    // of the parent finds nothing.
    if (it == siblings->end()) return platform::kNoWindow;
    ++it;
  }
  for (; it != siblings->end(); ++it) {
    if (windows_.at(*it).className == className) return *it;
  }
  return platform::kNoWindow;
}

std::intptr_t SimDesktop::SendMessage(WindowHandle window, unsigned message,
                                      std::uintptr_t wParam,
                                      std::intptr_t lParam) {
  const Window* target = Find(window);
  if (target == nullptr || !target->proc) return 0;
  // Copied: the procedure may destroy its own window.
  const WindowProc proc = target->proc;
  return proc(window, message, wParam, lParam);
}

void SimDesktop::PostMessage(WindowHandle window, unsigned message,
                             std::uintptr_t wParam, std::intptr_t lParam) {
  if (Find(window) == nullptr) return;
  posted_.push_back({window, message, wParam, lParam});
}

void SimDesktop::PumpOnce() {
  DeliverPosts();
  clock_.RunDue();
}

void SimDesktop::DeliverPosts() {
  std::deque<Posted> waiting;
  std::deque<Posted> batch;
  batch.swap(posted_);
  for (const Posted& post : batch) {
    if (HungFor(post.window).count() > 0) {
      waiting.push_back(post);
    } else {
      SendMessage(post.window, post.message, post.wParam, post.lParam);
    }
  }
  // Messages posted while delivering wait for the next pump, behind the
  // ones a hung process has not taken yet.
  waiting.insert(waiting.end(), posted_.begin(), posted_.end());
  posted_.swap(waiting);
}

}  // namespace tavrin::sim
