#include "win32/skin_roles.h"

#include <array>
#include <utility>

#include "win32/base/win32_text.h"

namespace tavrin::win32 {
namespace {

using platform::ControlKind;

constexpr std::array<std::string_view, 4> kTransportControls = {
    "PrevSong", "StopSong", "NextSong", "PlayPauseSong"};

constexpr std::array<std::pair<std::string_view, std::wstring_view>, 1>
    kDefaultLabels = {{{"BackToMain", L"Back"}}};

bool IsTransport(std::string_view name) {
  for (const auto transport : kTransportControls) {
    if (transport == name) return true;
  }
  return false;
}

ControlRole ButtonRole(std::string_view name) {
  if (name == "ExitLBL") return ControlRole::kCloseTile;
  if (name == "MinimizeLBL") return ControlRole::kMinimiseTile;
  if (IsTransport(name)) return ControlRole::kOverlay;
  return ControlRole::kFaceButton;
}

}  // namespace

ControlRole RoleOf(const shell::FormControl& control) {
  switch (control.design.kind) {
    case ControlKind::kButton: return ButtonRole(control.design.name);
    case ControlKind::kDragBar: return ControlRole::kTitleStrip;
    case ControlKind::kCheckBox: return ControlRole::kCheckBox;
    case ControlKind::kPicture: return ControlRole::kPicture;
    case ControlKind::kText: return ControlRole::kText;
    case ControlKind::kHolder: return ControlRole::kHidden;
    case ControlKind::kListBox:
    case ControlKind::kTextBox: return ControlRole::kFieldFrame;
  }
  return ControlRole::kHidden;
}

std::wstring ButtonLabel(const shell::FormControl& control) {
  if (!control.text.empty()) return WideFromUtf8(control.text);
  for (const auto& [name, label] : kDefaultLabels) {
    if (name == control.design.name) return std::wstring(label);
  }
  return {};
}

std::optional<Glyph> TransportGlyph(std::string_view control, bool pauseFace) {
  if (control == "PrevSong") return Glyph::kPrevious;
  if (control == "StopSong") return Glyph::kStop;
  if (control == "NextSong") return Glyph::kNext;
  if (control == "PlayPauseSong") {
    return pauseFace ? Glyph::kPause : Glyph::kPlay;
  }
  return std::nullopt;
}

}  // namespace tavrin::win32
