#include "win32/tray_tip.h"

#include <windows.h>

#include "shell/tip_text.h"
#include "win32/base/win32_text.h"

namespace tavrin::win32 {

std::string AnsiTip(std::string_view utf8, std::size_t fieldSize) {
  if (fieldSize == 0) return {};
  // Windows 10 and 11 can make UTF-8 the ANSI code page, which knows no
  // lead bytes: its characters are told by their first byte instead.
  const shell::CharacterLength length =
      GetACP() == CP_UTF8 ? shell::CharacterLength(shell::Utf8CharacterLength)
                          : shell::DoubleByteLength([](unsigned char byte) {
                              return IsDBCSLeadByteEx(CP_ACP, byte) != FALSE;
                            });
  return shell::CutAnsi(AnsiFromUtf8(utf8), fieldSize - 1, length);
}

}  // namespace tavrin::win32
