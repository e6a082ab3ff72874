#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <memory>
#include <string>
#include <vector>

#include "platform/forms.h"
#include "shell/keyboard_focus.h"
#include "sim/virtual_clock.h"

namespace tavrin::sim {

class SimFormsToolkit;

// A form's window kept in memory: what it shows, and the means to use it as
// a user would.
class SimFormWindow final : public platform::FormWindow {
 public:
  SimFormWindow(SimFormsToolkit& toolkit, const platform::FormDesign& design,
                platform::FormEvents& events, platform::WindowHandle handle);
  ~SimFormWindow() override;

  platform::WindowHandle Handle() const override { return handle_; }
  std::uintptr_t Icon() const override { return kIcon; }
  void Show() override;
  void Hide() override;
  void Activate() override;
  bool IsVisible() const override { return visible_; }
  void SetCaption(std::string_view caption) override { caption_ = caption; }
  bool SetLayeredAlpha(std::uint8_t alpha) override;
  void SetTopmost(bool topmost) override;
  void SetShape(const std::vector<platform::PixelRect>& rectangles) override;
  platform::PixelPoint Position() const override { return position_; }
  void MoveTo(platform::PixelPoint topLeft) override { position_ = topLeft; }
  int Dpi() const override { return dpi_; }
  void SetCheck(std::string_view control, int value) override;
  void SetPicture(std::string_view control, platform::Picture picture) override;
  void SetControlText(std::string_view control, std::string_view text) override;
  std::string ControlText(std::string_view control) const override {
    return TextOf(control);
  }
  void SetLocked(std::string_view control, bool locked) override;
  void Focus(std::string_view control) override;
  void AddListItem(std::string_view control, std::string_view text) override;
  int ListIndex(std::string_view control) const override;
  // Notes the menu's captions, "MainFRM menu Chat Commands|Options|-|...",
  // and takes the choice the test made ahead (ChooseInNextMenu).
  std::string PopupMenu(std::span<const platform::MenuItem> items) override;
  // Notes "OptionsFRM open <description>|<pattern> <file name>" and gives
  // the answer the test queued ahead (AnswerNextOpenDialog), after running
  // what the test wanted to happen while it is up.
  std::optional<std::string> ChooseFileToOpen(const platform::FileFilter& filter,
                                              std::string_view fileName) override;

  // The user's side. Events stop once the program has ended.
  void Click(std::string_view control);
  void DoubleClick(std::string_view control = "");
  void MouseDown(std::string_view control, platform::MouseButton button,
                 float x, float y);
  void MouseMove(std::string_view control, platform::MouseButton button,
                 float x, float y);
  void MouseUp(std::string_view control, platform::MouseButton button,
               float x, float y);
  void SystemClose();
  // A key typed while the window is active: Tab moves the keyboard on, and
  // Space, Enter and Esc click as the window's keys do.
  void PressKey(shell::Key key);
  // The shell reports a mouse message on the window's icon; a shown
  // window takes it for mouse movement.
  void TrayIconEvent(std::uint32_t mouseMessage);
  void ShellRestarted();
  // The window was moved to a monitor at another scale.
  void MovedToMonitor(int dpi) { dpi_ = dpi; }
  // Selects the item at that position of a list box, as a click or an
  // arrow key does, and reports the change; -1 leaves no item selected, as
  // the system may report too. A position beyond the items throws
  // std::out_of_range: no user can select it.
  void SelectListItem(std::string_view control, int position);
  // Typing into a text box: the text goes after what the box holds, as far
  // as the box's limit lets it (a locked box takes nothing), as keys or a
  // paste would put it. TypeOver first selects all that is there.
  void Type(std::string_view control, std::string_view text);
  void TypeOver(std::string_view control, std::string_view text);

  // What the window shows.
  static constexpr std::uintptr_t kIcon = 0x1C0;
  const std::string& Name() const { return name_; }
  const std::string& Caption() const { return caption_; }
  bool Layered() const { return layered_; }
  int Alpha() const { return alpha_; }
  // Every opacity the window was given, in order.
  const std::vector<int>& AlphaHistory() const { return alphas_; }
  bool Topmost() const { return topmost_; }
  const std::vector<platform::PixelRect>& Shape() const { return shape_; }
  int Check(std::string_view control) const;
  platform::Picture PictureOf(std::string_view control) const;
  std::string TextOf(std::string_view control) const;
  // A list box's items, in order.
  std::vector<std::string> ListItems(std::string_view control) const;
  bool Locked(std::string_view control) const;
  // The control that has the keyboard, "" for none.
  std::string Focused() const;
  int WidthPixels() const { return width_; }
  int HeightPixels() const { return height_; }

 private:
  struct ListBox {
    std::vector<std::string> items;
    int selected = -1;
  };
  struct TextBox {
    int maxLength = 0;
    bool locked = false;
  };

  bool Alive() const;
  std::optional<std::size_t> ControlIndex(std::string_view control) const;
  void Note(const std::string& what);
  ListBox& List(std::string_view control);
  const ListBox& List(std::string_view control) const;
  TextBox& Box(std::string_view control);
  const TextBox& Box(std::string_view control) const;

  SimFormsToolkit& toolkit_;
  platform::FormEvents& events_;
  platform::WindowHandle handle_;
  std::string name_;
  std::string caption_;
  int width_;
  int height_;
  bool visible_ = false;
  bool layered_ = false;
  int alpha_ = 255;
  std::vector<int> alphas_;
  bool topmost_ = false;
  std::vector<platform::PixelRect> shape_;
  platform::PixelPoint position_;
  int dpi_ = 96;
  std::map<std::string, int, std::less<>> checks_;
  std::map<std::string, platform::Picture, std::less<>> pictures_;
  std::map<std::string, std::string, std::less<>> texts_;
  std::map<std::string, ListBox, std::less<>> lists_;
  std::map<std::string, TextBox, std::less<>> boxes_;
  std::vector<std::string> controlNames_;  // by control index
  shell::KeyboardFocus keys_;
};

// The forms toolkit in memory, on a 96 dots-per-inch screen of 1280 x 800.
// Given the program thread's loop, its menus and Open dialogs are modal
// loops of that thread, which time can pass in.
class SimFormsToolkit final : public platform::FormsToolkit {
 public:
  explicit SimFormsToolkit(VirtualClock* loop = nullptr) : loop_(loop) {}

  std::unique_ptr<platform::FormWindow> Create(
      const platform::FormDesign& design, platform::FormEvents& events) override;
  void EndProgram() override { ended_ = true; }

  bool Ended() const { return ended_; }
  // The user's choice in the next menu that pops up, by item name; none
  // (the menu closed by a click elsewhere) when no choice is queued. With
  // `after`, the menu stays open that long, its loop running the program's
  // ticks, before the click on the item arrives; a pump run inside the
  // menu's loop takes that click, and the menu then chooses nothing.
  void ChooseInNextMenu(std::string item,
                        platform::Milliseconds after = platform::Milliseconds(0)) {
    choices_.push_back({std::move(item), after});
  }
  // The user's answer to the next Open dialog: a file's full path, or
  // nothing for Cancel; `meanwhile` runs while the dialog is up, as the
  // dialog's message loop would run timers and other windows' handlers.
  // With no answer queued the dialog is cancelled.
  void AnswerNextOpenDialog(std::optional<std::string> path,
                            std::function<void()> meanwhile = {}) {
    openAnswers_.push_back({std::move(path), std::move(meanwhile)});
  }
  // The next call that would note this journal entry throws instead and
  // changes nothing, as a platform call that fails.
  void FailNext(std::string entry) { failing_ = std::move(entry); }
  // The loaded window of that form, or nullptr.
  SimFormWindow* Find(std::string_view formName) const;
  // How many windows of that form were ever created.
  int Created(std::string_view formName) const;

  // What the program did to its windows, in order: "MainFRM show",
  // "MainFRM alpha 225", "MainFRM topmost 1", "MainFRM shape",
  // "MainFRM picture ControlPanel 1", "MainFRM check AutoAdv 1",
  // "CommandsFRM item Commands .time", "CommandsFRM activate", ... Tests
  // may add their own entries to see the order across ports.
  std::vector<std::string> journal;

 private:
  friend class SimFormWindow;
  std::vector<SimFormWindow*> windows_;
  std::map<std::string, int, std::less<>> created_;
  platform::WindowHandle nextHandle_ = 0x20010;
  struct MenuChoice {
    std::string item;
    platform::Milliseconds after;
  };
  // Runs the modal loop of a menu or dialog until `after` has passed, with
  // `input` the user's click that ends it.
  void RunModalLoop(platform::Milliseconds after, std::function<void()> input);

  VirtualClock* loop_;
  bool ended_ = false;
  std::optional<std::string> failing_;
  std::deque<MenuChoice> choices_;
  struct OpenAnswer {
    std::optional<std::string> path;
    std::function<void()> meanwhile;
  };
  std::deque<OpenAnswer> openAnswers_;
};

}  // namespace tavrin::sim
