#include "chat_painting.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "gdi_paint.h"
#include "window_support.h"

namespace tavrin::standins::winhost {
namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBorder = RGB(150, 163, 188);
constexpr COLORREF kFocusBorder = RGB(40, 90, 190);
constexpr COLORREF kInk = RGB(28, 30, 36);
constexpr COLORREF kMuted = RGB(96, 104, 122);
constexpr COLORREF kHeading = RGB(24, 52, 120);
constexpr COLORREF kOnline = RGB(70, 170, 90);
constexpr int kPad = 6;

std::vector<std::wstring_view> SplitLines(std::wstring_view text) {
  std::vector<std::wstring_view> lines;
  while (!text.empty()) {
    const auto end = text.find(L'\n');
    std::wstring_view line = text.substr(0, end);
    if (!line.empty() && line.back() == L'\r') line.remove_suffix(1);
    lines.push_back(line);
    text.remove_prefix(end == std::wstring_view::npos ? text.size() : end + 1);
  }
  return lines;
}

// Each speaker keeps one colour, so that a conversation reads easily.
COLORREF SpeakerColor(std::wstring_view speaker) {
  static constexpr std::array<COLORREF, 5> kColors{
      RGB(24, 70, 170), RGB(160, 40, 40), RGB(20, 120, 70), RGB(130, 60, 150),
      RGB(170, 100, 10)};
  unsigned hash = 0;
  for (const wchar_t c : speaker) hash = hash * 31 + static_cast<unsigned>(c);
  return kColors[hash % kColors.size()];
}

void PaintBox(HDC dc, const RECT& client, COLORREF border) {
  Fill(dc, client, kWhite);
  Outline(dc, client, border);
}

// A chat line is the speaker in bold, then the text, wrapped under itself.
struct ChatLine {
  std::wstring_view speaker;  // with its colon; empty for a line without one
  std::wstring_view text;
};

ChatLine SplitChatLine(std::wstring_view line) {
  const auto split = line.find(L":\t");
  if (split == std::wstring_view::npos) return {{}, line};
  return {line.substr(0, split + 1), line.substr(split + 2)};
}

int SpeakerWidth(HDC dc, const ChatLine& line, HFONT bold) {
  if (line.speaker.empty()) return 0;
  Selection use(dc, bold);
  return TextWidth(dc, line.speaker) + 6;
}

// The height the line's text takes, wrapped to the row's width.
int WrappedHeight(HDC dc, const ChatLine& line, RECT row, HFONT plain) {
  Selection use(dc, plain);
  const std::wstring text(line.text);
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &row,
            DT_LEFT | DT_WORDBREAK | DT_EXPANDTABS | DT_CALCRECT);
  return row.bottom - row.top;
}

void PaintChatLine(HDC dc, const ChatLine& line, RECT row, HFONT bold,
                   HFONT plain) {
  if (!line.speaker.empty()) {
    Selection use(dc, bold);
    DrawTextIn(dc, line.speaker, row, SpeakerColor(line.speaker),
               DT_LEFT | DT_SINGLELINE | DT_END_ELLIPSIS);
    row.left += SpeakerWidth(dc, line, bold);
  }
  Selection use(dc, plain);
  DrawTextIn(dc, line.text, row, kInk,
             DT_LEFT | DT_WORDBREAK | DT_EXPANDTABS | DT_END_ELLIPSIS);
}

}  // namespace

void PaintChildWindow(HWND window, HDC dc, const RECT& client) {
  Fill(dc, client, kChildBackground);
  if (GetWindow(window, GW_CHILD) != nullptr) return;
  RECT upper = client;
  upper.bottom = (client.top + client.bottom) / 2 + 8;
  {
    const auto font = MakeFont(20, true);
    Selection use(dc, font.get());
    DrawTextIn(dc, WideWindowText(window), upper, kHeading,
               DT_CENTER | DT_BOTTOM | DT_SINGLELINE | DT_END_ELLIPSIS);
  }
  RECT lower = client;
  lower.top = upper.bottom + 4;
  const auto font = MakeFont(12, false);
  Selection use(dc, font.get());
  DrawTextIn(dc, L"You are signed on.", lower, kMuted,
             DT_CENTER | DT_TOP | DT_SINGLELINE);
}

// Newest line at the bottom; older lines above it until the box is full.
void PaintTranscript(HWND window, HDC dc, const RECT& client) {
  PaintBox(dc, client, kBorder);
  const auto boldFont = MakeFont(13, true);
  const auto plainFont = MakeFont(13, false);
  const auto bold = static_cast<HFONT>(boldFont.get());
  const auto plain = static_cast<HFONT>(plainFont.get());
  const std::wstring text = WideWindowText(window);
  const std::vector<std::wstring_view> lines = SplitLines(text);
  const tavrin::win32::SavedDcState keep(dc);
  IntersectClipRect(dc, client.left + 1, client.top + 1, client.right - 1,
                    client.bottom - 1);
  int bottom = client.bottom - kPad;
  for (auto line = lines.rbegin();
       line != lines.rend() && bottom > client.top + kPad; ++line) {
    const ChatLine chatLine = SplitChatLine(*line);
    RECT row{client.left + kPad, 0, client.right - kPad, 0};
    RECT textPart = row;
    textPart.left += SpeakerWidth(dc, chatLine, bold);
    const int height = WrappedHeight(dc, chatLine, textPart, plain) + 2;
    row.top = bottom - height;
    row.bottom = bottom;
    PaintChatLine(dc, chatLine, row, bold, plain);
    bottom = row.top;
  }
}

void PaintNameList(HWND window, HDC dc, const RECT& client) {
  PaintBox(dc, client, kBorder);
  const auto font = MakeFont(13, false);
  Selection use(dc, font.get());
  const int height = LineHeight(dc) + 4;
  const std::wstring text = WideWindowText(window);
  RECT row{client.left + kPad + 14, client.top + kPad, client.right - kPad,
           client.top + kPad + height};
  for (const std::wstring_view name : SplitLines(text)) {
    const int dotY = (row.top + row.bottom) / 2;
    Fill(dc, {row.left - 12, dotY - 3, row.left - 6, dotY + 3}, kOnline);
    DrawTextIn(dc, name, row, kInk,
               DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    row.top += height;
    row.bottom += height;
  }
}

void PaintComboBox(HWND window, HDC dc, const RECT& client) {
  PaintBox(dc, client, kBorder);
  const int buttonLeft = client.right - (client.bottom - client.top);
  const RECT button{buttonLeft, client.top + 1, client.right - 1,
                    client.bottom - 1};
  Fill(dc, button, kChildBackground);
  const int midX = (button.left + button.right) / 2;
  const int midY = (button.top + button.bottom) / 2;
  const std::array<POINT, 3> arrow{
      {{midX - 4, midY - 2}, {midX + 4, midY - 2}, {midX, midY + 3}}};
  SetDCBrushColor(dc, kMuted);
  SetDCPenColor(dc, kMuted);
  {
    Selection brush(dc, GetStockObject(DC_BRUSH));
    Selection pen(dc, GetStockObject(DC_PEN));
    Polygon(dc, arrow.data(), static_cast<int>(arrow.size()));
  }
  const auto font = MakeFont(12, false);
  Selection use(dc, font.get());
  const RECT text{client.left + kPad, client.top, buttonLeft - kPad,
                  client.bottom};
  DrawTextIn(dc, WideWindowText(window), text, kInk,
             DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
}

void PaintStaticLabel(HWND window, HDC dc, const RECT& client) {
  Fill(dc, client, kChildBackground);
  const auto font = MakeFont(12, true);
  Selection use(dc, font.get());
  DrawTextIn(dc, WideWindowText(window), client, kHeading,
             DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
}

void PaintEntryBox(HWND window, HDC dc, const RECT& client) {
  const bool focused = GetFocus() == window;
  PaintBox(dc, client, focused ? kFocusBorder : kBorder);
  const auto font = MakeFont(13, false);
  Selection use(dc, font.get());
  const std::wstring text = WideWindowText(window);
  RECT area{client.left + kPad, client.top + kPad - 1, client.right - kPad,
            client.bottom - kPad};
  DrawTextIn(dc, text, area, kInk, DT_LEFT | DT_TOP | DT_SINGLELINE);
  if (!focused) return;
  const int caretX = area.left + TextWidth(dc, text) + 1;
  Fill(dc, {caretX, area.top + 1, caretX + 1, area.top + LineHeight(dc)}, kInk);
}

}  // namespace tavrin::standins::winhost
