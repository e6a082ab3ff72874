#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

#include "forms/dragger.h"
#include "forms/effects.h"
#include "shell/form_layout.h"
#include "sim/sim_forms.h"

namespace tavrin::forms {
namespace {

using shell::TwipsFromPixels;

struct OneWindow : ::testing::Test {
  sim::SimFormsToolkit forms;
  platform::FormEvents events;
  std::unique_ptr<platform::FormWindow> owned = forms.Create(
      {"TestFRM", "Test", 3345, 1650, platform::FormSkin::kMain, {}}, events);
  sim::SimFormWindow& window = *forms.Find("TestFRM");
};

using Translucency = OneWindow;

TEST_F(Translucency, AppliesAlphasFromZeroTo255AndRefusesOthers) {
  EXPECT_EQ(SetTranslucency(window, 255), kApplied);
  EXPECT_TRUE(window.Layered());
  EXPECT_EQ(window.Alpha(), 255);
  EXPECT_EQ(SetTranslucency(window, 256), kAlphaOutOfRange);
  EXPECT_EQ(SetTranslucency(window, -1), kAlphaOutOfRange);
  EXPECT_EQ(window.Alpha(), 255);
  EXPECT_EQ(window.AlphaHistory().size(), 1u) << "nothing done when refused";
  EXPECT_EQ(SetTranslucency(window, 0), kApplied);
  EXPECT_EQ(window.Alpha(), 0);
  EXPECT_EQ(window.AlphaHistory(), (std::vector<int>{255, 0}));
}

TEST_F(Translucency, TopmostBandIsEnteredAndLeft) {
  SetTopmost(window);
  EXPECT_TRUE(window.Topmost());
  SetNotTopmost(window);
  EXPECT_FALSE(window.Topmost());
}

// The pixels of a union of rectangles.
std::set<std::pair<int, int>> PixelsOf(const std::vector<PixelRect>& shape) {
  std::set<std::pair<int, int>> pixels;
  for (const auto& r : shape) {
    for (int x = r.left; x < r.right; ++x) {
      for (int y = r.top; y < r.bottom; ++y) pixels.insert({x, y});
    }
  }
  return pixels;
}

// One-pixel-wide vertical runs, column by column: how the outline is
// described strip by strip.
int StripCount(const std::set<std::pair<int, int>>& pixels, int width,
               int height) {
  int strips = 0;
  for (int x = 0; x < width; ++x) {
    for (int y = 0; y < height; ++y) {
      if (pixels.count({x, y}) && !pixels.count({x, y - 1})) ++strips;
    }
  }
  return strips;
}

struct ShapeCase {
  const std::vector<PixelRect>& (*shape)();
  int width;
  int height;
  int strips;
  std::vector<int> gapColumns;  // columns under a gap of the title band
};

TEST(WindowShapes, OutlinesHaveTheirSizeStripsAndGaps) {
  const std::vector<ShapeCase> cases = {
      {&MainFRMShape, 223, 110, 430, {144, 149, 171, 175, 197, 201}},
      {&OptionsFRMShape, 264, 152, 523, {238, 242}},
      {&CommandsFRMShape, 308, 224, 611, {282, 286}},
      {&SongAdvSetupFRMShape, 275, 164, 545, {249, 253}},
  };
  for (const auto& c : cases) {
    const auto pixels = PixelsOf(c.shape());
    int right = 0;
    int bottom = 0;
    for (const auto& [x, y] : pixels) {
      right = std::max(right, x + 1);
      bottom = std::max(bottom, y + 1);
    }
    EXPECT_EQ(right, c.width);
    EXPECT_EQ(bottom, c.height);
    EXPECT_EQ(StripCount(pixels, c.width, c.height), c.strips);
    for (int y = 21; y < 28; ++y) {
      EXPECT_FALSE(pixels.count({0, y})) << "the gap below the title band";
    }
    for (const int x : c.gapColumns) {
      EXPECT_FALSE(pixels.count({x, 0})) << "column " << x;
      EXPECT_TRUE(pixels.count({x, 28})) << "column " << x;
    }
  }
}

TEST(WindowShapes, MainWindowHasNoPixelWhereTrayMessagesWouldLand) {
  const auto pixels = PixelsOf(MainFRMShape());
  for (int y = 0; y < 200; ++y) {
    EXPECT_FALSE(pixels.count({513, y}));
    EXPECT_FALSE(pixels.count({516, y}));
  }
}

TEST(WindowShapes, BuildersApplyTheirOutline) {
  sim::SimFormsToolkit forms;
  platform::FormEvents events;
  auto window = forms.Create({"W", "", 0, 0, platform::FormSkin::kMain, {}},
                             events);
  const sim::SimFormWindow& shown = *forms.Find("W");
  ShapeMainFRM(*window);
  EXPECT_EQ(shown.Shape(), MainFRMShape());
  ShapeOptionsFRM(*window);
  EXPECT_EQ(shown.Shape(), OptionsFRMShape());
  ShapeCommandsFRM(*window);
  EXPECT_EQ(shown.Shape(), CommandsFRMShape());
  ShapeSongAdvSetupFRM(*window);
  EXPECT_EQ(shown.Shape(), SongAdvSetupFRMShape());
}

using Dragging = OneWindow;

TEST_F(Dragging, WindowFollowsThePointerKeepingTheGrabPoint) {
  Dragger dragger;
  window.MoveTo({100, 200});
  dragger.MouseDown(300, 150);
  dragger.MouseMove(window, 450, 300);
  EXPECT_EQ(window.Position(), (PixelPoint{110, 210}));
  // The bar moved with the window: the same grab point is under the
  // pointer again, so the next move is relative to it.
  dragger.MouseMove(window, 300, 150);
  EXPECT_EQ(window.Position(), (PixelPoint{110, 210}));
  dragger.MouseUp(window, 285, 165);
  EXPECT_EQ(window.Position(), (PixelPoint{109, 211}));
  EXPECT_FALSE(dragger.Dragging());
  dragger.MouseMove(window, 600, 600);
  EXPECT_EQ(window.Position(), (PixelPoint{109, 211})) << "no drag, no move";
}

TEST_F(Dragging, MouseUpMovesEvenWithoutADrag) {
  Dragger dragger;
  window.MoveTo({0, 0});
  dragger.MouseUp(window, 30, 45);
  EXPECT_EQ(window.Position(), (PixelPoint{2, 3}));
}

TEST_F(Dragging, GrabPointRoundsHalvesToEven) {
  Dragger dragger;
  window.MoveTo({50, 50});
  // Kept as 22 and 38; halves away from zero would keep 23, truncation
  // 37.
  dragger.MouseDown(22.5f, 37.5f);
  // Left 45 - 22 + 750 = 773 twips, 51.53 pixels; with 23 it would be
  // 772, 51.47. Top 60 - 38 + 750 = 772, 51.47; with 37, 773.
  dragger.MouseMove(window, 45, 60);
  EXPECT_EQ(window.Position(), (PixelPoint{52, 51}));
}

TEST_F(Dragging, AtEveryScaleTheGrabPointStaysUnderThePointer) {
  for (const int dpi : {96, 120, 144, 192}) {
    SCOPED_TRACE(dpi);
    window.MovedToMonitor(dpi);
    window.MoveTo({100, 200});
    // The pointer in screen pixels, as the window reports it: twips at its
    // own scale from its top-left corner, where the bar starts.
    const auto twipsX = [&](int x) {
      return TwipsFromPixels(x - window.Position().x, dpi);
    };
    const auto twipsY = [&](int y) {
      return TwipsFromPixels(y - window.Position().y, dpi);
    };
    Dragger dragger;
    dragger.MouseDown(twipsX(130), twipsY(210));
    dragger.MouseMove(window, twipsX(431), twipsY(517));
    EXPECT_EQ(window.Position(), (PixelPoint{401, 507}));
    dragger.MouseUp(window, twipsX(90), twipsY(60));
    EXPECT_EQ(window.Position(), (PixelPoint{60, 50}));
  }
}

}  // namespace
}  // namespace tavrin::forms
