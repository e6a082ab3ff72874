#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "standins/player_model.h"

namespace tavrin::standins::winhost {

// What the stand-in player's window shows at one moment.
struct PlayerFace {
  std::wstring title;
  std::int32_t state = PlayerModel::kStopped;
  std::int32_t positionSeconds = 0;
  std::int32_t lengthSeconds = 0;
  std::int32_t bitRate = 0;
  std::size_t track = 0;  // 1-based; 0 with an empty playlist
  std::size_t tracks = 0;
};

PlayerFace FaceOf(PlayerModel& model);

// "m:ss".
std::wstring ClockText(std::int32_t seconds);

void PaintPlayerFace(HDC dc, const RECT& client, const PlayerFace& face);

}  // namespace tavrin::standins::winhost
