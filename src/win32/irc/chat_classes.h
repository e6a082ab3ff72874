#pragma once

#include <windows.h>

// The window classes of the chat client. Their names are the ones the
// song reporter looks for: the frame, its MDI area, the child windows, and
// in a room the transcript, the people list, the history box, the topic
// and the entry line. The controls are the system's own under these names,
// so that selection, copying, scrolling and screen readers work as usual.
namespace tavrin::win32::chat {

inline constexpr wchar_t kFrameClass[] = L"AOL Frame25";
inline constexpr wchar_t kChildClass[] = L"AOL Child";
inline constexpr wchar_t kTranscriptClass[] = L"RICHCNTLREADONLY";
inline constexpr wchar_t kPeopleClass[] = L"_AOL_Listbox";
inline constexpr wchar_t kHistoryClass[] = L"_AOL_Combobox";
inline constexpr wchar_t kTopicClass[] = L"_AOL_Static";
inline constexpr wchar_t kEntryClass[] = L"RICHCNTL";

// Sent by an entry line to its parent when it gets Enter (typed, or WM_CHAR
// 13 from another program); lParam is the entry window, which still holds
// the text.
inline constexpr UINT kEntryEnteredMessage = WM_APP + 20;

// Registers every class once; false when one could not be.
bool RegisterChatClasses(WNDPROC frameProcedure, WNDPROC childProcedure);

}  // namespace tavrin::win32::chat
