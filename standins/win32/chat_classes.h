#pragma once

#include <windows.h>

#include "standins/peer_interface.h"
#include "wide_name.h"

// The custom window classes of the stand-in chat client.
namespace tavrin::standins::winhost {

namespace wide {
inline constexpr auto kFrame = WideName<peer::kFrameClass.size()>(peer::kFrameClass);
inline constexpr auto kMdi = WideName<peer::kMdiClass.size()>(peer::kMdiClass);
inline constexpr auto kChild = WideName<peer::kChildClass.size()>(peer::kChildClass);
inline constexpr auto kTranscript =
    WideName<peer::kTranscriptClass.size()>(peer::kTranscriptClass);
inline constexpr auto kList = WideName<peer::kListClass.size()>(peer::kListClass);
inline constexpr auto kCombo = WideName<peer::kComboClass.size()>(peer::kComboClass);
inline constexpr auto kStatic =
    WideName<peer::kStaticClass.size()>(peer::kStaticClass);
inline constexpr auto kEntry = WideName<peer::kEntryClass.size()>(peer::kEntryClass);
}  // namespace wide
inline constexpr const wchar_t* kFrameClassName = wide::kFrame.data();
inline constexpr const wchar_t* kMdiClassName = wide::kMdi.data();
inline constexpr const wchar_t* kChildClassName = wide::kChild.data();
inline constexpr const wchar_t* kTranscriptClassName = wide::kTranscript.data();
inline constexpr const wchar_t* kListClassName = wide::kList.data();
inline constexpr const wchar_t* kComboClassName = wide::kCombo.data();
inline constexpr const wchar_t* kStaticClassName = wide::kStatic.data();
inline constexpr const wchar_t* kEntryClassName = wide::kEntry.data();

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
