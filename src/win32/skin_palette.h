#pragma once

#include <windows.h>

// The skins' colours: a dark blue body, a light blue title band, amber and
// green accents.
namespace tavrin::win32::palette {

inline constexpr COLORREF kBodyTop = RGB(46, 60, 88);
inline constexpr COLORREF kBodyBottom = RGB(20, 27, 42);
inline constexpr COLORREF kFrameDark = RGB(7, 10, 18);
inline constexpr COLORREF kFrameLight = RGB(88, 108, 142);

inline constexpr COLORREF kTitleTop = RGB(98, 170, 228);
inline constexpr COLORREF kTitleBottom = RGB(36, 92, 166);
inline constexpr COLORREF kTitleEdge = RGB(10, 30, 64);
inline constexpr COLORREF kTitleShine = RGB(170, 212, 245);
inline constexpr COLORREF kTitleText = RGB(255, 255, 255);
inline constexpr COLORREF kTitleShadow = RGB(16, 46, 92);
inline constexpr COLORREF kTitleHoverTop = RGB(128, 190, 238);
inline constexpr COLORREF kTitleHoverBottom = RGB(60, 118, 190);
inline constexpr COLORREF kCloseHoverTop = RGB(236, 104, 92);
inline constexpr COLORREF kCloseHoverBottom = RGB(176, 40, 34);

inline constexpr COLORREF kFaceTop = RGB(78, 96, 130);
inline constexpr COLORREF kFaceBottom = RGB(44, 56, 82);
inline constexpr COLORREF kFaceHoverTop = RGB(96, 118, 158);
inline constexpr COLORREF kFaceHoverBottom = RGB(56, 72, 104);
inline constexpr COLORREF kFacePressedTop = RGB(30, 40, 60);
inline constexpr COLORREF kFacePressedBottom = RGB(54, 68, 96);
inline constexpr COLORREF kFaceBorder = RGB(8, 12, 22);
inline constexpr COLORREF kFaceShine = RGB(132, 152, 188);
inline constexpr COLORREF kFaceText = RGB(236, 241, 250);
inline constexpr COLORREF kFaceTextShadow = RGB(14, 20, 34);

inline constexpr COLORREF kTextBright = RGB(244, 247, 252);
inline constexpr COLORREF kTextLight = RGB(212, 222, 238);
inline constexpr COLORREF kTextDim = RGB(146, 166, 200);
inline constexpr COLORREF kAccent = RGB(255, 200, 90);
inline constexpr COLORREF kAccentCool = RGB(98, 190, 240);

inline constexpr COLORREF kFocusMark = RGB(255, 200, 90);

inline constexpr COLORREF kCheckFill = RGB(14, 26, 48);
inline constexpr COLORREF kCheckBorder = RGB(232, 242, 255);
inline constexpr COLORREF kCheckTick = RGB(255, 255, 255);
inline constexpr COLORREF kCheckGrey = RGB(150, 160, 176);

// The system's controls inside a skin (a list box): a dark field with
// light letters.
inline constexpr COLORREF kFieldFill = RGB(14, 24, 42);
inline constexpr COLORREF kFieldText = RGB(222, 230, 244);

inline constexpr COLORREF kLcdTop = RGB(18, 38, 30);
inline constexpr COLORREF kLcdBottom = RGB(6, 16, 12);
inline constexpr COLORREF kLcdEdge = RGB(2, 6, 4);
inline constexpr COLORREF kLcdDivider = RGB(36, 70, 52);
inline constexpr COLORREF kLcdHover = RGB(28, 58, 44);
inline constexpr COLORREF kLcdPlay = RGB(112, 240, 160);
inline constexpr COLORREF kLcdPause = RGB(255, 200, 90);
inline constexpr COLORREF kLcdPauseTop = RGB(44, 36, 16);
inline constexpr COLORREF kLcdPauseBottom = RGB(18, 14, 6);
inline constexpr COLORREF kLcdPauseDivider = RGB(84, 68, 30);
inline constexpr COLORREF kLcdPauseHover = RGB(64, 52, 24);

}  // namespace tavrin::win32::palette
