#include "win32/skin_fonts.h"

#include <array>
#include <map>
#include <string>

#include "win32/base/dpi.h"
#include "win32/base/gdi_scopes.h"

namespace tavrin::win32 {
namespace {

// Windows faces first; DejaVu is what a bare Wine finds through fontconfig.
constexpr std::array<std::wstring_view, 4> kInterfaceFaces = {
    L"Tahoma", L"Segoe UI", L"DejaVu Sans", L"Arial"};
constexpr std::array<std::wstring_view, 5> kGothicFaces = {
    L"MS Gothic", L"MS UI Gothic", L"Tahoma", L"DejaVu Sans", L"Arial"};
// Its scalable successor next, for resolutions the bitmap face lacks.
constexpr std::array<std::wstring_view, 5> kLabelFaces = {
    L"MS Sans Serif", L"Microsoft Sans Serif", L"Tahoma", L"DejaVu Sans",
    L"Arial"};

int CALLBACK StopAtFirstFace(const LOGFONTW*, const TEXTMETRICW*, DWORD,
                             LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

bool EnumerateFace(std::wstring_view face) {
  LOGFONTW wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;
  face.copy(wanted.lfFaceName, LF_FACESIZE - 1);
  const WindowDc screen(nullptr);
  bool found = false;
  EnumFontFamiliesExW(screen.Dc(), &wanted, &StopAtFirstFace,
                      reinterpret_cast<LPARAM>(&found), 0);
  return found;
}

template <std::size_t N>
std::wstring_view FirstInstalled(const std::array<std::wstring_view, N>& faces) {
  for (const auto face : faces) {
    if (FaceInstalled(face)) return face;
  }
  return faces.front();
}

}  // namespace

bool FaceInstalled(std::wstring_view face) {
  // Fonts are installed rarely; asking once per face keeps painting cheap.
  static std::map<std::wstring, bool, std::less<>> known;
  const auto found = known.find(face);
  if (found != known.end()) return found->second;
  const bool installed = EnumerateFace(face);
  known.emplace(std::wstring(face), installed);
  return installed;
}

std::wstring_view FaceFor(FontFamily family) {
  switch (family) {
    case FontFamily::kGothic: return FirstInstalled(kGothicFaces);
    case FontFamily::kLabel: return FirstInstalled(kLabelFaces);
    case FontFamily::kInterface: break;
  }
  return FirstInstalled(kInterfaceFaces);
}

UniqueFont MakeFont(const FontStyle& style, int dpi) {
  LOGFONTW font{};
  font.lfHeight = -Scaled(style.pixelHeight, dpi);
  font.lfWeight = style.bold ? FW_BOLD : FW_NORMAL;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfQuality = ANTIALIASED_QUALITY;
  font.lfPitchAndFamily = DEFAULT_PITCH | FF_SWISS;
  FaceFor(style.family).copy(font.lfFaceName, LF_FACESIZE - 1);
  return UniqueFont(CreateFontIndirectW(&font));
}

}  // namespace tavrin::win32
