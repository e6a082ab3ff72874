#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "win32/base/win32_handles.h"
#include "win32/irc/transcript_box.h"

namespace tavrin::win32::chat {

// What a pane asks of the frame it sits in.
class PaneHost {
 public:
  virtual ~PaneHost() = default;
  // A line entered in a pane; `channel` is empty in the welcome pane.
  virtual void Typed(const std::string& channel, const std::string& text) = 0;
  // The user closes the pane; the frame lets it go later, outside the
  // pane's own message.
  virtual void Closing(HWND pane) = 0;
};

// An "AOL Child" window in the frame's MDI area, bound to its owner.
class ChildPane {
 public:
  virtual ~ChildPane();
  ChildPane(const ChildPane&) = delete;
  ChildPane& operator=(const ChildPane&) = delete;

  HWND Window() const { return window_; }
  void AddLine(const std::string& line);
  // New resolution or font: the pane sets its children's font and places
  // them again.
  void ApplyFont(int dpi);

  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam,
                                    LPARAM lParam) noexcept;

 protected:
  ChildPane(PaneHost& host) : host_(host) {}
  // Throws std::runtime_error when the window cannot be made.
  void Create(HWND mdiArea, const std::wstring& caption);
  HWND CreateControl(const wchar_t* className, DWORD style, int id,
                     DWORD extendedStyle = 0);
  virtual LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam,
                                LPARAM lParam);
  virtual void CreateControls() = 0;
  virtual void Layout(int width, int height) = 0;
  virtual void Entered(HWND entry) = 0;
  // Text of a control as the program keeps it.
  static std::string TextOf(HWND control);
  // The pane's conversation (read-only, drawn as text to read, not greyed)
  // and the line the user types in, which has the keyboard whenever the
  // pane has.
  void SetReadingBox(HWND box);
  HWND entry_ = nullptr;

  PaneHost& host_;
  HFONT Font() const { return font_.get(); }
  int Dpi() const { return dpi_; }
  int lineHeight_ = 16;

 private:
  void SetChildrenFont();

  HWND window_ = nullptr;
  HWND mdiArea_ = nullptr;
  HWND reading_ = nullptr;
  std::unique_ptr<TranscriptBox> lines_;
  UniqueFont font_;
  int dpi_ = 96;
};

}  // namespace tavrin::win32::chat
