#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/window_handle.h"

namespace tavrin::platform {

// Twips are 1/1440 inch: forms and controls are designed in them. At the
// standard 96 dots per inch a pixel is 15 twips.
inline constexpr int kTwipsPerInch = 1440;

struct TwipsRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// Pixels from the window's top-left corner; right and bottom lie just
// outside the rectangle.
struct PixelRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

struct PixelPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

// Which skin a window wears; the toolkit draws it, and the drawing matches
// the window's outline and the places of its controls.
enum class FormSkin {
  kSplash,
  kMain,
  kAbout,
  kMessage,
  kCommands,
  kOptions,
  kSongAdvSetup
};

enum class ControlKind {
  kButton,    // a label used as a button, drawn by the skin
  kDragBar,   // the label by which the window is dragged
  kCheckBox,  // check value 0, 1 or 2
  kPicture,   // an image whose picture the program chooses
  kText,      // a label showing text the program sets
  kHolder,    // a label that only holds a text and is never shown
  // The system's own list box inside the window, so that the keyboard and
  // screen readers work on it: the program adds items in order (never
  // sorted) and reads which one the user selected.
  kListBox,
  // The system's own one-line text box: the user types, selects, copies and
  // pastes in it as anywhere; the program sets and reads its text.
  kTextBox,
};

// The pictures the program puts into picture controls.
enum class Picture { kNone, kPlayFace, kPauseFace, kOkButton };

struct ControlDesign {
  std::string name;  // the program's name for it, e.g. "ExitLBL"
  ControlKind kind = ControlKind::kButton;
  TwipsRect place;
  std::string caption;  // design-time text (buttons show it on the skin)
  // What the user knows the control by when its caption does not say it:
  // the words beside it, or what its symbol stands for. Screen readers say
  // it, and the skin letters the words beside a box.
  std::string label = {};
  // Text boxes: the most characters the user may enter (UTF-16 units, as
  // the system counts them); 0 leaves the system's own limit.
  int maxLength = 0;
};

struct FormDesign {
  std::string name;     // e.g. "MainFRM"
  std::string caption;  // the window's caption
  int widthTwips = 0;
  int heightTwips = 0;
  FormSkin skin = FormSkin::kMain;
  std::vector<ControlDesign> controls;
  // The control that the Esc key clicks: a secondary window's close
  // button; empty where Esc does nothing.
  std::string escapeControl = {};
};

enum class MouseButton : int { kNone = 0, kLeft = 1, kRight = 2, kMiddle = 4 };

// What a form's window reports to the form. Coordinates are twips relative
// to the control; the empty control name stands for the form's own face.
class FormEvents {
 public:
  virtual ~FormEvents() = default;
  virtual void OnClick(std::string_view /*control*/) {}
  virtual void OnDoubleClick(std::string_view /*control*/) {}
  virtual void OnMouseDown(std::string_view /*control*/, MouseButton,
                           float /*x*/, float /*y*/) {}
  virtual void OnMouseMove(std::string_view /*control*/, MouseButton,
                           float /*x*/, float /*y*/) {}
  virtual void OnMouseUp(std::string_view /*control*/, MouseButton,
                         float /*x*/, float /*y*/) {}
  // The user selected another item of a list box, by mouse or keyboard.
  virtual void OnSelectionChange(std::string_view /*control*/) {}
  // The system, not the program, closes the window.
  virtual void OnSystemClose() {}
  // The mouse did something on the window's notification-area icon; the
  // mouse message that happened (513 left button down, 516 right button
  // down, 512 movement, ...).
  virtual void OnTrayIcon(std::uint32_t /*mouseMessage*/) {}
  // The shell's notification area came back (the shell restarted).
  virtual void OnShellRestarted() {}
};

// What the Open dialog lists: a description, then the pattern of the file
// names it admits ("Programs (*.exe)", "*.exe").
struct FileFilter {
  std::string_view description;
  std::string_view pattern;
};

// An item of a popup menu; the caption "-" makes a separator line.
struct MenuItem {
  std::string_view name;  // the program's name for it, e.g. "ExitMNU"
  std::string_view caption;
};

// One window of the program. Destroying it unloads the window.
class FormWindow {
 public:
  virtual ~FormWindow() = default;

  virtual WindowHandle Handle() const = 0;
  // The window's own icon (the program's icon).
  virtual std::uintptr_t Icon() const = 0;

  virtual void Show() = 0;
  virtual void Hide() = 0;
  // Brings the window to the front and gives it the keyboard: its first
  // system control (a list box) takes the focus.
  virtual void Activate() = 0;
  virtual bool IsVisible() const = 0;
  virtual void SetCaption(std::string_view caption) = 0;

  // Makes the window layered and sets its opacity, 0 to 255; false when a
  // platform call failed.
  virtual bool SetLayeredAlpha(std::uint8_t alpha) = 0;
  virtual void SetTopmost(bool topmost) = 0;
  // Cuts the window to the union of the rectangles, given in pixels of the
  // standard 96 dots per inch; the toolkit scales them with the window.
  virtual void SetShape(const std::vector<PixelRect>& rectangles) = 0;
  virtual PixelPoint Position() const = 0;
  virtual void MoveTo(PixelPoint topLeft) = 0;
  // The dots per inch the window is drawn at now: its monitor's, which
  // changes when the window moves to a monitor at another scale.
  virtual int Dpi() const = 0;

  virtual void SetCheck(std::string_view control, int value) = 0;
  virtual void SetPicture(std::string_view control, Picture picture) = 0;
  virtual void SetControlText(std::string_view control,
                              std::string_view text) = 0;
  // What the control holds now: for a text box what the user typed there,
  // for other controls the text last set.
  virtual std::string ControlText(std::string_view control) const = 0;
  // A locked text box takes no typing or pasting; its text can still be
  // selected and copied, and the program may still set it.
  virtual void SetLocked(std::string_view control, bool locked) = 0;
  // Gives the keyboard to a system control (a text box or list box).
  virtual void Focus(std::string_view control) = 0;

  // List boxes. An item goes after the ones before it; positions count
  // from 0, and -1 is the position when no item is selected.
  virtual void AddListItem(std::string_view control, std::string_view text) = 0;
  virtual int ListIndex(std::string_view control) const = 0;

  // Pops up the menu at the mouse pointer and returns when it has closed:
  // the name of the item chosen, or "" when the user chose none. Messages
  // are handled while it is open, so any handler may run inside.
  virtual std::string PopupMenu(std::span<const MenuItem> items) = 0;

  // Shows the system's Open dialog over this window, listing the files the
  // filter admits, with the file name box holding `fileName`, and returns
  // when it has closed: the full path of the file chosen, or nothing when
  // the user cancelled or the dialog could not be shown. Messages are
  // handled while it is open, so timers and other windows' handlers may run
  // inside.
  virtual std::optional<std::string> ChooseFileToOpen(
      const FileFilter& filter, std::string_view fileName) = 0;
};

class FormsToolkit {
 public:
  virtual ~FormsToolkit() = default;
  // Creates the form's window, hidden, centred on the screen. `events`
  // must outlive the window.
  virtual std::unique_ptr<FormWindow> Create(const FormDesign& design,
                                             FormEvents& events) = 0;
  // Ends the process at once: no further event is handled and no window's
  // closing handling runs.
  virtual void EndProgram() = 0;
};

}  // namespace tavrin::platform
