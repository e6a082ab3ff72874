#include "win32/irc/chat_font.h"

#include "win32/base/dpi.h"
#include "win32/base/gdi_scopes.h"

namespace tavrin::win32::chat {
namespace {

using ParametersForDpi = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);

// Windows 10 1607 and later give the metrics for any resolution.
ParametersForDpi FindParametersForDpi() {
  const HMODULE user32 = GetModuleHandleW(L"user32.dll");
  if (user32 == nullptr) return nullptr;
  return reinterpret_cast<ParametersForDpi>(reinterpret_cast<void*>(
      GetProcAddress(user32, "SystemParametersInfoForDpi")));
}

}  // namespace

UniqueFont MessageFont(int dpi) {
  static const ParametersForDpi forDpi = FindParametersForDpi();
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  bool got = false;
  if (forDpi != nullptr) {
    got = forDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0,
                 static_cast<UINT>(dpi)) != 0;
  }
  if (!got) {
    got = SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics,
                                &metrics, 0) != 0;
    // Given at the screen's resolution.
    if (got) {
      metrics.lfMessageFont.lfHeight =
          MulDiv(metrics.lfMessageFont.lfHeight, dpi, ScreenDpi());
    }
  }
  if (!got) {
    metrics.lfMessageFont = LOGFONTW{};
    metrics.lfMessageFont.lfHeight = -MulDiv(9, dpi, 72);
    lstrcpyW(metrics.lfMessageFont.lfFaceName, L"Tahoma");
  }
  return UniqueFont(CreateFontIndirectW(&metrics.lfMessageFont));
}

int LineHeight(HWND window, HFONT font) {
  const WindowDc dc(window);
  const Selection selected(dc.Dc(), font);
  TEXTMETRICW text{};
  GetTextMetricsW(dc.Dc(), &text);
  return text.tmHeight > 0 ? text.tmHeight : 16;
}

}  // namespace tavrin::win32::chat
