#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace tavrin::win32 {

// The answer to WM_GETOBJECT for a system control inside a form (a text or
// list box): its standard object, named as the skin's label shows it, which
// the system cannot see. Throws nothing: it is called from the control's
// window procedure.
std::optional<LRESULT> AnswerForSystemControl(HWND control,
                                              const std::wstring& name,
                                              WPARAM wParam,
                                              LPARAM lParam) noexcept;

}  // namespace tavrin::win32
