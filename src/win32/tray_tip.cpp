#include "win32/tray_tip.h"

#include <windows.h>

#include "shell/tip_text.h"
#include "win32/win32_text.h"

namespace tavrin::win32 {

std::string AnsiTip(std::string_view utf8, std::size_t fieldSize) {
  if (fieldSize == 0) return {};
  return shell::CutAnsi(AnsiFromUtf8(utf8), fieldSize - 1,
                        [](unsigned char byte) {
                          return IsDBCSLeadByteEx(CP_ACP, byte) != FALSE;
                        });
}

}  // namespace tavrin::win32
