#pragma once

#include <string>
#include <string_view>

// The program keeps text as UTF-8; these convert it at the call into
// Windows or into another program's window.
namespace tavrin::win32 {

std::wstring WideFromUtf8(std::string_view utf8);
std::string Utf8FromWide(std::wstring_view wide);

// The system's ANSI code page; characters it cannot hold become "?", never
// a look-alike.
std::string AnsiFromUtf8(std::string_view utf8);
std::string Utf8FromAnsi(std::string_view ansi);

}  // namespace tavrin::win32
