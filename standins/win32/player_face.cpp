#include "player_face.h"

#include <algorithm>
#include <array>

#include "gdi_paint.h"
#include "win32/base/win32_text.h"

namespace tavrin::standins::winhost {
namespace {

constexpr COLORREF kBackground = RGB(22, 24, 30);
constexpr COLORREF kPanel = RGB(32, 35, 44);
constexpr COLORREF kLabel = RGB(130, 138, 155);
constexpr COLORREF kTitle = RGB(235, 238, 245);
constexpr COLORREF kAccent = RGB(96, 210, 130);
constexpr COLORREF kTrack = RGB(58, 63, 78);

const wchar_t* StateWord(std::int32_t state) {
  if (state == PlayerModel::kPlaying) return L"Playing";
  if (state == PlayerModel::kPaused) return L"Paused";
  return L"Stopped";
}

void FillShape(HDC dc, const POINT* points, int count, COLORREF color) {
  SetDCBrushColor(dc, color);
  SetDCPenColor(dc, color);
  Selection brush(dc, GetStockObject(DC_BRUSH));
  Selection pen(dc, GetStockObject(DC_PEN));
  Polygon(dc, points, count);
}

// A play triangle, two pause bars or a stop square in a 14-pixel cell.
void PaintStateIcon(HDC dc, int x, int y, std::int32_t state) {
  if (state == PlayerModel::kPlaying) {
    const std::array<POINT, 3> play{{{x, y}, {x + 12, y + 7}, {x, y + 14}}};
    FillShape(dc, play.data(), 3, kAccent);
  } else if (state == PlayerModel::kPaused) {
    Fill(dc, {x, y, x + 4, y + 14}, kAccent);
    Fill(dc, {x + 8, y, x + 12, y + 14}, kAccent);
  } else {
    Fill(dc, {x, y + 1, x + 12, y + 13}, kLabel);
  }
}

void PaintProgress(HDC dc, const RECT& bar, const PlayerFace& face) {
  Fill(dc, bar, kTrack);
  if (face.lengthSeconds <= 0) return;
  const double share = std::clamp(
      static_cast<double>(face.positionSeconds) / face.lengthSeconds, 0.0, 1.0);
  RECT done = bar;
  done.right = bar.left + static_cast<LONG>((bar.right - bar.left) * share);
  Fill(dc, done, kAccent);
}

void PaintHeader(HDC dc, const RECT& client, const PlayerFace& face) {
  const RECT header{client.left, client.top, client.right, client.top + 24};
  Fill(dc, header, kPanel);
  const auto font = MakeFont(11, true);
  Selection use(dc, font.get());
  const RECT inner{header.left + 14, header.top, header.right - 14,
                   header.bottom};
  DrawTextIn(dc, L"STAND-IN PLAYER", inner, kLabel,
             DT_LEFT | DT_VCENTER | DT_SINGLELINE);
  if (face.bitRate > 0 && face.state != PlayerModel::kStopped) {
    DrawTextIn(dc, std::to_wstring(face.bitRate) + L" kbps", inner, kLabel,
               DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
  }
}

void PaintTitle(HDC dc, const RECT& client, const PlayerFace& face) {
  const auto font = MakeFont(17, true);
  Selection use(dc, font.get());
  const RECT row{client.left + 14, client.top + 34, client.right - 14,
                 client.top + 58};
  DrawTextIn(dc, face.title, row, kTitle,
             DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
}

void PaintStateAndTime(HDC dc, const RECT& client, const PlayerFace& face) {
  const int top = client.top + 66;
  PaintStateIcon(dc, client.left + 16, top + 9, face.state);
  {
    const auto font = MakeFont(14, false);
    Selection use(dc, font.get());
    const RECT word{client.left + 38, top, client.left + 200, top + 32};
    DrawTextIn(dc, StateWord(face.state), word, kLabel,
               DT_LEFT | DT_VCENTER | DT_SINGLELINE);
  }
  const auto font = MakeFont(26, true);
  Selection use(dc, font.get());
  const RECT time{client.left + 140, top, client.right - 14, top + 32};
  DrawTextIn(
      dc,
      ClockText(face.positionSeconds) + L" / " + ClockText(face.lengthSeconds),
      time, kTitle, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
}

void PaintFooter(HDC dc, const RECT& client, const PlayerFace& face) {
  const auto font = MakeFont(12, false);
  Selection use(dc, font.get());
  const RECT row{client.left + 14, client.bottom - 26, client.right - 14,
                 client.bottom - 6};
  const std::wstring track = face.tracks == 0
                                 ? std::wstring(L"Playlist empty")
                                 : L"Track " + std::to_wstring(face.track) +
                                       L" of " + std::to_wstring(face.tracks);
  DrawTextIn(dc, track, row, kLabel, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
  const std::int32_t left =
      std::max(0, face.lengthSeconds - face.positionSeconds);
  DrawTextIn(dc, L"-" + ClockText(left), row, kLabel,
             DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
}

}  // namespace

PlayerFace FaceOf(PlayerModel& model) {
  PlayerFace face;
  // Read first: it applies the time that passed, which may change the song.
  face.positionSeconds = model.PositionMs() / 1000;
  face.title = L"No song loaded";
  face.state = model.PlayState();
  face.tracks = model.Playlist().size();
  if (model.Current() < face.tracks) {
    const Song& song = model.Playlist()[model.Current()];
    face.lengthSeconds = song.lengthSeconds;
    face.bitRate = song.bitRate;
    face.track = model.Current() + 1;
    // The title bar already says "- Winamp"; the face shows number and song.
    face.title = std::to_wstring(face.track) + L". " +
                 tavrin::win32::WideFromUtf8(song.name);
  }
  return face;
}

std::wstring ClockText(std::int32_t seconds) {
  seconds = std::max(0, seconds);
  const std::int32_t rest = seconds % 60;
  return std::to_wstring(seconds / 60) + (rest < 10 ? L":0" : L":") +
         std::to_wstring(rest);
}

void PaintPlayerFace(HDC dc, const RECT& client, const PlayerFace& face) {
  Fill(dc, client, kBackground);
  PaintHeader(dc, client, face);
  PaintTitle(dc, client, face);
  PaintStateAndTime(dc, client, face);
  const RECT bar{client.left + 14, client.bottom - 40, client.right - 14,
                 client.bottom - 34};
  PaintProgress(dc, bar, face);
  PaintFooter(dc, client, face);
}

}  // namespace tavrin::standins::winhost
