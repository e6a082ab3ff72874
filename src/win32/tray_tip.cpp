#include "win32/tray_tip.h"

#include <windows.h>

#include "win32/win32_text.h"

namespace tavrin::win32 {

std::string CutAnsi(std::string_view ansi, std::size_t limit,
                    const std::function<bool(unsigned char)>& isLeadByte) {
  // Walked from the start: a trail byte can look like a lead byte.
  std::size_t kept = 0;
  while (kept < ansi.size()) {
    const bool pair = isLeadByte(static_cast<unsigned char>(ansi[kept])) &&
                      kept + 1 < ansi.size();
    const std::size_t next = kept + (pair ? 2 : 1);
    if (next > limit) break;
    kept = next;
  }
  return std::string(ansi.substr(0, kept));
}

std::string AnsiTip(std::string_view utf8, std::size_t fieldSize) {
  if (fieldSize == 0) return {};
  return CutAnsi(AnsiFromUtf8(utf8), fieldSize - 1, [](unsigned char byte) {
    return IsDBCSLeadByteEx(CP_ACP, byte) != FALSE;
  });
}

}  // namespace tavrin::win32
