#include "win32/skin_labels.h"

#include <array>

namespace tavrin::win32 {
namespace {

// Beside the decoration box, the start switch and the path box.
constexpr std::array<SkinLabel, 3> kOptionsLabels = {{
    {{2200, 610, 740, 285}, "Ascii", true},
    {{540, 1160, 3300, 285}, "AutoStartWA"},
    {{100, 1560, 720, 285}, "Dir", true},
}};

// Each switch's field of the song report.
constexpr std::array<SkinLabel, 6> kSongAdvSetupLabels = {{
    {{570, 650, 1600, 285}, "AsciiCB"},
    {{570, 1250, 1600, 285}, "SongNameCB"},
    {{570, 1850, 1600, 285}, "BitRateCB"},
    {{2540, 650, 1550, 285}, "ElapRemCB"},
    {{2540, 1250, 1550, 285}, "SongLenCB"},
    {{2540, 1850, 1550, 285}, "WAStatusCB"},
}};

}  // namespace

std::span<const SkinLabel> SkinLabels(platform::FormSkin skin) {
  switch (skin) {
    case platform::FormSkin::kOptions: return kOptionsLabels;
    case platform::FormSkin::kSongAdvSetup: return kSongAdvSetupLabels;
    default: return {};
  }
}

}  // namespace tavrin::win32
