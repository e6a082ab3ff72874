#include "report/compiler_frm.h"

#include <charconv>
#include <utility>

#include "player/winamp_api.h"

namespace tavrin::report {
namespace {

std::string DecimalText(std::int32_t value) {
  char digits[16];
  const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  return std::string(digits, end);
}

}  // namespace

CompilerFRM::CompilerFRM(platform::ForeignWindows& windows,
                         platform::Timers& timers, SettingsSource settings)
    : windows_(windows),
      settings_(std::move(settings)),
      autoAdv_(timers, [this] { Tick(); }),
      playerTitle_(windows, [this] { Tick(); }) {
  RefreshReport();
  autoAdv_.Every(kAutoAdvInterval);
}

void CompilerFRM::Tick() {
  if (onAutoAdvTick_) onAutoAdvTick_();
}

void CompilerFRM::SetAutoAdvTick(std::function<void()> onTick) {
  onAutoAdvTick_ = std::move(onTick);
}

std::optional<SongLine> CompilerFRM::NewSongLine(
    settings::CheckValue autoAdv) {
  if (!settings::IsOn(autoAdv)) return std::nullopt;
  // A player too busy to answer in time has not changed its song: only a
  // name read, or the empty one of an absent player, can differ.
  const std::optional<std::string> name = LookAtSong();
  if (!name || *name == rememberedSong_ || *name == songOnItsWay_) {
    return std::nullopt;
  }
  // The song on its way is the one the line carries, even if the song moved
  // on again between the two reads. Noted before the line goes out: the
  // send pumps, and a tick inside it must see no change.
  RefreshReport();
  songOnItsWay_ = SongName;
  return SongLine{SongName, Data};
}

std::optional<std::string> CompilerFRM::LookAtSong() {
  const bool reported = playerTitle_.TakeReport();
  const bool inCase = !reported && playerTitle_.ReportsAll();
  const platform::WindowHandle player = player::FindWinamp(windows_);
  // A player started anew is learnt anew.
  const bool samePlayer = player == playerTitle_.Followed();
  playerTitle_.Follow(player);
  std::optional<std::string> name = player::ReadSongName(windows_, player);
  if (name && name != lastLook_) {
    if (samePlayer && lastLook_) playerTitle_.Changed(reported, inCase);
    lastLook_ = name;
  }
  autoAdv_.Every(playerTitle_.ReportsAll() ? kAutoAdvInCaseInterval
                                           : kAutoAdvInterval);
  return name;
}

void CompilerFRM::SongLineDone(const std::string& song, bool wentOut) {
  if (wentOut) rememberedSong_ = song;
  if (songOnItsWay_ == song) songOnItsWay_.reset();
}

// Asks the play state three times, one test after the other, exactly as the
// report has always done: a state that changes between the asks can match
// more than once, and the last match wins.
void CompilerFRM::UpdateWAStatus() {
  if (player::GetPlayState(windows_) == player::kPlaying) WAStatus = "Playing";
  if (player::GetPlayState(windows_) == player::kPaused) WAStatus = "Paused On";
  if (player::GetPlayState(windows_) == player::kStopped) {
    WAStatus = "Stopped On";
  }
}

void CompilerFRM::RefreshReport() {
  const settings::SaveFRM& saved = settings_();
  // Built in place: a tick never pumps messages, so nobody sees it half
  // built, and the line's storage is reused from tick to tick.
  std::string& line = Data;
  line.assign(saved.Ascii).push_back(' ');
  SongName = player::GetSongName(windows_);
  BitRate = DecimalText(player::GetBitRate(windows_));
  Elapsed = player::FormatElapsed(windows_);
  Remaining = player::FormatRemaining(windows_);
  TrackLength = player::FormatLength(windows_);
  UpdateWAStatus();
  // Labels and separators stay even around empty fields.
  if (settings::IsOn(saved.WAStatusCB)) line += WAStatus;
  if (settings::IsOn(saved.SongNameCB)) line.append(" Song: ").append(SongName);
  if (settings::IsOn(saved.BitRateCB)) {
    line.append(" BitRate: ").append(BitRate).append(" -");
  }
  if (settings::IsOn(saved.ElapRemCB)) {
    line.append(" Elapsed/Remaining: ")
        .append(Elapsed)
        .append("/")
        .append(Remaining)
        .append(" -");
  }
  if (settings::IsOn(saved.SongLenCB)) {
    line.append(" Length: ").append(TrackLength);
  }
}

}  // namespace tavrin::report
