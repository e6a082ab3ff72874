#include "chat_layout.h"

namespace tavrin::standins::winhost {
namespace {

constexpr int kMargin = 8;
constexpr int kSideWidth = 150;
constexpr int kEntryHeight = 44;
constexpr int kLabelHeight = 18;
constexpr int kStyleHeight = 24;
constexpr int kCascade = 16;  // later rooms and decoys step down and right
constexpr std::size_t kCascadeSteps = 3;

int Step(std::size_t index) {
  return static_cast<int>(index % kCascadeSteps) * kCascade;
}

}  // namespace

Placement BuddyListPlace() { return {8, 8, 170, 400}; }

Placement WelcomePlace() { return {186, 8, 300, 110}; }

Placement RoomPlace(std::size_t number) {
  const int step = Step(number == 0 ? 0 : number - 1);
  return {186 + step, 126 + step, 560, 392};
}

Placement DecoyPlace(std::size_t index) {
  const int step = Step(index);
  return {430 + step, 8 + step, 300, 170};
}

RoomLayout LayoutRoom(int width, int height) {
  const int sideX = width - kMargin - kSideWidth;
  const int entryY = height - kMargin - kEntryHeight;
  const int talkBottom = entryY - kMargin;
  RoomLayout layout{};
  layout.transcript = {kMargin, kMargin, sideX - 2 * kMargin,
                       talkBottom - kMargin};
  layout.label = {sideX, kMargin, kSideWidth, kLabelHeight};
  const int peopleY = kMargin + kLabelHeight + 4;
  const int styleY = talkBottom - kStyleHeight;
  layout.people = {sideX, peopleY, kSideWidth, styleY - kMargin - peopleY};
  layout.style = {sideX, styleY, kSideWidth, kStyleHeight};
  layout.entry = {kMargin, entryY, width - 2 * kMargin, kEntryHeight};
  return layout;
}

MessageLayout LayoutMessageWindow(int width, int height) {
  const int entryHeight = 36;
  const int entryY = height - kMargin - entryHeight;
  return {{kMargin, kMargin, width - 2 * kMargin, entryY - 2 * kMargin},
          {kMargin, entryY, width - 2 * kMargin, entryHeight}};
}

Placement Inset(int width, int height, int margin) {
  return {margin, margin, width - 2 * margin, height - 2 * margin};
}

}  // namespace tavrin::standins::winhost
