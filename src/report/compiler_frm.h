#pragma once

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/clock.h"
#include "platform/foreign_windows.h"
#include "platform/paced_timer.h"
#include "platform/text_reports.h"
#include "settings/save_frm.h"

namespace tavrin::report {

// A line the auto advertiser is to post, and the song it announces.
struct SongLine {
  std::string song;
  std::string text;
};

// The song report compiler: a hidden holder of the song report's fields. It
// is created on first use, rebuilds the report once at once, and lives with
// its AutoAdv timer until the program ends. The timer ticks every 150 ms,
// or only now and then while the player reports its title's changes.
//
// The fields are rebuilt where they are read: whoever builds a line, a reply
// or a tip from them calls RefreshReport just before, so every line carries
// values read from the player at that moment. Nobody sees a refresh in
// between, and each costs a dozen messages to the player.
class CompilerFRM {
 public:
  static constexpr std::string_view kCaption = "Data Compiler";
  // Captions that name the fields for anyone who opens the holder.
  static constexpr std::array<std::string_view, 6> kFieldCaptions = {
      "Song", "Bitrate", "Time Elapsed", "Time Remaining", "Length", "Status"};
  static constexpr platform::Milliseconds kAutoAdvInterval{150};
  // A player that reports every change of its title gets a tick at once
  // when it reports one, and the timer ticks only this often, in case a
  // report was missed (a player that closes or starts reports nothing).
  static constexpr platform::Milliseconds kAutoAdvInCaseInterval{1000};

  // The settings holder is looked up on every rebuild, so a changed setting
  // shows in the next tick.
  using SettingsSource = std::function<const settings::SaveFRM&()>;

  CompilerFRM(platform::ForeignWindows& windows, platform::Timers& timers,
              SettingsSource settings);
  CompilerFRM(const CompilerFRM&) = delete;
  CompilerFRM& operator=(const CompilerFRM&) = delete;

  // Re-reads the player into the fields and rebuilds Data.
  void RefreshReport();

  // What the AutoAdv timer does on each tick; nothing until it is set.
  void SetAutoAdvTick(std::function<void()> onTick);

  // The auto advertiser's look at the player: when the switch is on and the
  // song name differs both from the one remembered and from the one whose
  // line is on its way, the report is rebuilt and the line to post
  // returned; its song is on its way until SongLineDone. The name alone is
  // read to compare, so a tick with no change costs a lookup and a message.
  std::optional<SongLine> NewSongLine(settings::CheckValue autoAdv);
  // The line of `song` went out (or was let go): once out, the song is
  // remembered as announced.
  void SongLineDone(const std::string& song, bool wentOut);
  // The song the auto advertiser takes as already announced.
  void RememberSong(std::string name) { rememberedSong_ = std::move(name); }
  const std::string& RememberedSong() const { return rememberedSong_; }

  std::string SongName;
  std::string BitRate;
  std::string Elapsed;
  std::string Remaining;
  std::string TrackLength;
  std::string WAStatus;  // keeps its text across a state it does not know
  std::string Data;      // the report line

 private:
  void UpdateWAStatus();
  void Tick();
  // The song's name; nothing when the player did not answer: unknown. What
  // the look shows of the player's reports sets the timer's pace.
  std::optional<std::string> LookAtSong();

  platform::ForeignWindows& windows_;
  SettingsSource settings_;
  std::function<void()> onAutoAdvTick_;
  std::string rememberedSong_;  // empty until first set
  std::optional<std::string> songOnItsWay_;
  platform::PacedTimer autoAdv_;
  platform::TextReports playerTitle_;
  std::optional<std::string> lastLook_;
};

}  // namespace tavrin::report
