#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "shell/form_layout.h"

namespace tavrin::platform {
inline void PrintTo(const PixelRect& r, std::ostream* out) {
  *out << "{" << r.left << ", " << r.top << ", " << r.right << ", "
       << r.bottom << "}";
}
}  // namespace tavrin::platform

namespace tavrin::shell {
namespace {

using platform::ControlKind;
using platform::FormDesign;
using platform::PixelPoint;
using platform::PixelRect;
using platform::TwipsRect;

constexpr int kResolutions[] = {96, 120, 144, 168, 240};

struct Rounding {
  int twips;
  int dpi;
  int pixels;
};

TEST(PixelsFromTwips, RoundsToTheNearestPixelAndHalvesAwayFromZero) {
  const std::vector<Rounding> cases = {
      // At 96 a pixel is 15 twips: no whole number of twips is a half.
      {0, 96, 0}, {7, 96, 0}, {8, 96, 1}, {15, 96, 1}, {22, 96, 1},
      {23, 96, 2}, {-7, 96, 0}, {-8, 96, -1}, {-23, 96, -2},
      // 12 twips a pixel.
      {5, 120, 0}, {6, 120, 1}, {18, 120, 2}, {30, 120, 3}, {-5, 120, 0},
      {-6, 120, -1}, {-18, 120, -2}, {-30, 120, -3},
      // 10 twips a pixel.
      {4, 144, 0}, {5, 144, 1}, {15, 144, 2}, {25, 144, 3}, {-4, 144, 0},
      {-5, 144, -1}, {-25, 144, -3},
      // 60 twips are 7 pixels.
      {29, 168, 3}, {30, 168, 4}, {90, 168, 11}, {150, 168, 18},
      {-29, 168, -3}, {-30, 168, -4}, {-90, 168, -11},
      // 6 twips a pixel.
      {2, 240, 0}, {3, 240, 1}, {9, 240, 2}, {15, 240, 3}, {-2, 240, 0},
      {-3, 240, -1}, {-9, 240, -2}, {-15, 240, -3},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PixelsFromTwips(c.twips, c.dpi), c.pixels)
        << c.twips << " twips at " << c.dpi << " dpi";
  }
}

TEST(PixelsFromTwips, AgreesWithExactRoundingOverAWholeScreen) {
  for (const int dpi : kResolutions) {
    for (int twips = -40000; twips <= 40000; ++twips) {
      const long expected = std::lround(twips * dpi / 1440.0);
      ASSERT_EQ(PixelsFromTwips(twips, dpi), expected)
          << twips << " twips at " << dpi << " dpi";
    }
  }
}

TEST(PixelsFromTwips, AnInchIsTheResolutionEvenForLargeForms) {
  for (const int dpi : kResolutions) {
    EXPECT_EQ(PixelsFromTwips(1440, dpi), dpi);
    EXPECT_EQ(PixelsFromTwips(-1440, dpi), -dpi);
    EXPECT_EQ(PixelsFromTwips(1440 * 10000, dpi), dpi * 10000)
        << "no overflow on the way";
  }
}

TEST(TwipsFromPixels, GivesFifteenTwipsAPixelAt96AndScalesWithResolution) {
  EXPECT_FLOAT_EQ(TwipsFromPixels(1, 96), 15.0f);
  EXPECT_FLOAT_EQ(TwipsFromPixels(1, 120), 12.0f);
  EXPECT_FLOAT_EQ(TwipsFromPixels(1, 144), 10.0f);
  EXPECT_FLOAT_EQ(TwipsFromPixels(7, 168), 60.0f);
  EXPECT_FLOAT_EQ(TwipsFromPixels(1, 168), 1440.0f / 168.0f);
  EXPECT_FLOAT_EQ(TwipsFromPixels(1, 240), 6.0f);
  EXPECT_FLOAT_EQ(TwipsFromPixels(-3, 96), -45.0f);
  EXPECT_FLOAT_EQ(TwipsFromPixels(0, 168), 0.0f);
}

TEST(TwipsFromPixels, LeadsBackToTheSamePixel) {
  for (const int dpi : kResolutions) {
    for (int pixels = -2000; pixels <= 2000; ++pixels) {
      const auto twips =
          static_cast<int>(std::lround(TwipsFromPixels(pixels, dpi)));
      ASSERT_EQ(PixelsFromTwips(twips, dpi), pixels)
          << pixels << " pixels at " << dpi << " dpi";
    }
  }
}

TEST(PixelRectFromTwips, RoundsEachEdgeNotTheSize) {
  // Left 0.5 and width 2.5 pixels: the right edge is 3, not 1 + 3.
  EXPECT_EQ(PixelRectFromTwips({6, 6, 30, 18}, 120), (PixelRect{1, 1, 3, 2}));
  EXPECT_EQ(PixelRectFromTwips({-8, -7, 16, 30}, 96),
            (PixelRect{-1, 0, 1, 2}));
}

TEST(PixelRectFromTwips, NeighbouringControlsStayFlushAtEveryResolution) {
  // Widths and heights that fall on and beside half pixels.
  const std::vector<int> sizes = {7, 8, 22, 23, 30, 45, 50, 91, 150, 1337};
  for (const int dpi : kResolutions) {
    int left = 5;
    int top = 3;
    for (std::size_t i = 0; i + 1 < sizes.size(); ++i) {
      const TwipsRect first{left, top, sizes[i], sizes[i + 1]};
      const TwipsRect beside{left + sizes[i], top, sizes[i + 1], sizes[i]};
      const TwipsRect below{left, top + sizes[i + 1], sizes[i], sizes[i]};
      const PixelRect a = PixelRectFromTwips(first, dpi);
      EXPECT_EQ(a.right, PixelRectFromTwips(beside, dpi).left)
          << "widths " << sizes[i] << ", " << sizes[i + 1] << " at " << dpi;
      EXPECT_EQ(a.bottom, PixelRectFromTwips(below, dpi).top)
          << "heights " << sizes[i + 1] << " at " << dpi;
      left += sizes[i];
      top += sizes[i + 1];
    }
  }
}

TEST(Contains, RightAndBottomEdgesLieJustOutside) {
  const PixelRect rect{10, 20, 30, 40};
  EXPECT_TRUE(Contains(rect, {10, 20}));
  EXPECT_TRUE(Contains(rect, {29, 39}));
  EXPECT_FALSE(Contains(rect, {30, 39}));
  EXPECT_FALSE(Contains(rect, {29, 40}));
  EXPECT_FALSE(Contains(rect, {9, 20}));
  EXPECT_FALSE(Contains(rect, {10, 19}));
  EXPECT_FALSE(Contains({5, 5, 5, 5}, {5, 5})) << "an empty rectangle";
}

// Every kind of control: whether the skin reports its clicks, and whether
// it is one of the system's own controls, which take their own input.
struct KindCase {
  ControlKind kind;
  bool reportsClicks;
  bool system;
};
const std::vector<KindCase> kEveryKind = {
    {ControlKind::kButton, true, false},   {ControlKind::kDragBar, false, false},
    {ControlKind::kCheckBox, true, false}, {ControlKind::kPicture, true, false},
    {ControlKind::kText, false, false},    {ControlKind::kHolder, false, false},
    {ControlKind::kListBox, false, true},  {ControlKind::kTextBox, false, true},
};

TEST(ReportsClicks, ButtonsPicturesAndCheckBoxesOnly) {
  for (const KindCase& c : kEveryKind) {
    EXPECT_EQ(ReportsClicks(c.kind), c.reportsClicks)
        << static_cast<int>(c.kind);
  }
}

// At 96 dots per inch: the face 0..100 square, the button 20..60 by
// 20..40 on it, a holder over the button and a holder alone at 120..140.
FormDesign FaceButtonAndHolders() {
  return {"TestFRM",
          "Test",
          3000,
          1500,
          platform::FormSkin::kMain,
          {{"Face", ControlKind::kPicture, {0, 0, 1500, 1500}, ""},
           {"Button", ControlKind::kButton, {300, 300, 600, 300}, "Go"},
           {"Over", ControlKind::kHolder, {300, 300, 600, 300}, "kept"},
           {"Alone", ControlKind::kHolder, {1800, 0, 300, 300}, ""}}};
}

// The name of the control under the point; "" for none.
std::string HitName(const FormModel& model, PixelPoint point) {
  const auto index = model.HitTest(point);
  return index ? model.Controls()[*index].design.name : std::string();
}

TEST(FormModelHitTest, TheLaterControlInDesignOrderWinsAnOverlap) {
  const FormModel model(FaceButtonAndHolders());
  EXPECT_EQ(HitName(model, {30, 30}), "Button");
  EXPECT_EQ(HitName(model, {10, 10}), "Face");

  FormDesign reversed = FaceButtonAndHolders();
  std::swap(reversed.controls[0], reversed.controls[1]);
  const FormModel faceLater(reversed);
  EXPECT_EQ(HitName(faceLater, {30, 30}), "Face");
  EXPECT_EQ(faceLater.HitTest({30, 30}), 1u) << "indices follow the design";
}

TEST(FormModelHitTest, HoldersAreNeverHit) {
  const FormModel model(FaceButtonAndHolders());
  EXPECT_EQ(HitName(model, {40, 30}), "Button") << "under a holder";
  EXPECT_EQ(model.HitTest({130, 10}), std::nullopt) << "a holder alone";
}

TEST(IsSystemControl, TheListBoxAndTheTextBoxOnly) {
  for (const KindCase& c : kEveryKind) {
    EXPECT_EQ(IsSystemControl(c.kind), c.system) << static_cast<int>(c.kind);
  }
}

// The list box and the text box take their own mouse input: the face
// under them is not hit either.
TEST(FormModelHitTest, SystemControlsAreNeverHit) {
  FormDesign design = FaceButtonAndHolders();
  design.controls.push_back(
      {"List", ControlKind::kListBox, {300, 750, 600, 300}, ""});
  design.controls.push_back(
      {"Box", ControlKind::kTextBox, {300, 1200, 600, 150}, ""});
  const FormModel model(design);
  EXPECT_EQ(model.HitTest({30, 60}), std::nullopt) << "on the list";
  EXPECT_EQ(model.HitTest({30, 85}), std::nullopt) << "on the text box";
  EXPECT_EQ(HitName(model, {30, 45}), "Face") << "just above the list";
  EXPECT_EQ(HitName(model, {30, 95}), "Face") << "just below the text box";
  EXPECT_EQ(HitName(model, {30, 30}), "Button");
}

TEST(FormModelHitTest, RightAndBottomEdgesBelongToWhatLiesBeyond) {
  const FormModel model(FaceButtonAndHolders());
  EXPECT_EQ(HitName(model, {20, 20}), "Button");
  EXPECT_EQ(HitName(model, {59, 39}), "Button");
  EXPECT_EQ(HitName(model, {60, 30}), "Face");
  EXPECT_EQ(HitName(model, {30, 40}), "Face");
  EXPECT_EQ(HitName(model, {19, 30}), "Face");
  EXPECT_EQ(HitName(model, {99, 99}), "Face");
  EXPECT_EQ(model.HitTest({100, 50}), std::nullopt);
  EXPECT_EQ(model.HitTest({50, 100}), std::nullopt);
  EXPECT_EQ(model.HitTest({-1, 0}), std::nullopt);
}

TEST(FormModelHitTest, FollowsTheLayoutToAnotherResolution) {
  FormModel model(FaceButtonAndHolders());
  model.Layout(144);
  EXPECT_EQ(model.Dpi(), 144);
  EXPECT_EQ(model.Controls()[1].rect, (PixelRect{30, 30, 90, 60}));
  EXPECT_EQ(HitName(model, {89, 59}), "Button");
  EXPECT_EQ(HitName(model, {90, 59}), "Face");
  EXPECT_EQ(HitName(model, {149, 149}), "Face");
  EXPECT_EQ(model.HitTest({150, 10}), std::nullopt);
}

TEST(FormModel, SizeAndControlsFollowTheDesign) {
  FormModel model({"W", "", 3345, 1650, platform::FormSkin::kAbout,
                   {{"A", ControlKind::kText, {0, 0, 15, 15}, "caption"},
                    {"B", ControlKind::kCheckBox, {15, 0, 15, 15}, ""}}});
  EXPECT_EQ(model.Skin(), platform::FormSkin::kAbout);
  EXPECT_EQ(model.SizeInPixels(), (PixelPoint{223, 110}));
  model.Layout(120);
  EXPECT_EQ(model.SizeInPixels(), (PixelPoint{279, 138}));
  EXPECT_EQ(model.IndexOf("B"), 1u);
  EXPECT_EQ(model.IndexOf("b"), std::nullopt) << "names are exact";
  EXPECT_EQ(model.Controls()[0].text, "caption");
  model.At(0).text = "set";
  EXPECT_EQ(model.Controls()[0].text, "set");
  model.Layout(96);
  EXPECT_EQ(model.Controls()[0].text, "set") << "a new layout keeps it";
}

}  // namespace
}  // namespace tavrin::shell
