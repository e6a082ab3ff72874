#pragma once

#include <windows.h>

// The custom window classes of the stand-in chat client.
namespace tavrin::standins::winhost {

inline constexpr wchar_t kFrameClassName[] = L"AOL Frame25";
inline constexpr wchar_t kMdiClassName[] = L"MDIClient";
inline constexpr wchar_t kChildClassName[] = L"AOL Child";
inline constexpr wchar_t kTranscriptClassName[] = L"RICHCNTLREADONLY";
inline constexpr wchar_t kListClassName[] = L"_AOL_Listbox";
inline constexpr wchar_t kComboClassName[] = L"_AOL_Combobox";
inline constexpr wchar_t kStaticClassName[] = L"_AOL_Static";
inline constexpr wchar_t kEntryClassName[] = L"RICHCNTL";

// Told what reaches an entry box that was created with it.
class EntrySink {
 public:
  virtual void EnterPressed(HWND entry) = 0;
  // After the box took a new text.
  virtual void TextTaken(HWND entry) = 0;

 protected:
  ~EntrySink() = default;
};

// Registers every class but the frame's; false when one failed. An entry box
// takes its EntrySink (or nullptr) as its creation parameter.
bool RegisterChatChildClasses();

}  // namespace tavrin::standins::winhost
