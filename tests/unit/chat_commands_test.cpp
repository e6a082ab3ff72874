// The chat commands as the signed-on user types them in the room: the scan
// hears the line, the dispatcher acts, and the reply comes back into the
// room's transcript.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <ostream>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "chat/chat_scan.h"
#include "commands/chat_commands.h"
#include "commands/waiting_commands.h"
#include "platform/hung_peer_guard.h"
#include "player/winamp_api.h"
#include "report/compiler_frm.h"
#include "shell/main_frm.h"
#include "shell_world.h"

namespace tavrin::commands {

// Names the word in a failing test's message.
static void PrintTo(const CommandWord& entry, std::ostream* out) {
  *out << entry.word;
}

namespace {

using platform::Milliseconds;
using testing::ShellWorld;

constexpr std::string_view kOwner = "DemoUser";

class ChatCommands : public ::testing::Test {
 protected:
  ChatCommands() {
    world.Settings({"Ascii=~~", "UseWAStatus=1", "UseSongName=1",
                    "UseBitRate=1", "UseElapRem=1", "UseSongLen=1"});
    world.StartChat();
    world.StartPlayer();
    // The first song, paused 83 s in: every field holds a known value.
    world.player->Drive("play");
    world.player->Drive("seek 83000");
    world.player->Drive("pause");
    world.localTime.Set(2026, 12, 7, 17, 45, 12);
    world.StartToMainWindow();
    heardBefore = Lines().size();
  }

  // The room's lines, without their CR LF.
  std::vector<std::string> Lines() {
    std::vector<std::string> lines;
    const std::string text = world.chat->Transcript(1);
    for (std::size_t at = 0, end; (end = text.find("\r\n", at)) != text.npos;
         at = end + 2) {
      lines.push_back(text.substr(at, end - at));
    }
    return lines;
  }
  // What the room got after the start-up, the typed lines included.
  std::vector<std::string> NewLines() {
    const std::vector<std::string> lines = Lines();
    return {lines.begin() + static_cast<std::ptrdiff_t>(heardBefore),
            lines.end()};
  }

  // Someone types the line in the room; the scan hears it at its next poll.
  void Type(std::string_view text, std::string_view speaker = kOwner) {
    world.chat->AddLine(1, speaker, text);
    world.clock.Advance(chat::ChatScan::kPollInterval * 2);
  }
  // The owner types the command; what the program answered in the room.
  std::vector<std::string> Answer(std::string_view command) {
    const std::size_t before = Lines().size();
    Type(command);
    const std::vector<std::string> lines = Lines();
    if (lines.size() <= before) return {};
    return {lines.begin() + static_cast<std::ptrdiff_t>(before) + 1,
            lines.end()};
  }
  std::string Reply(std::string_view command) {
    const std::vector<std::string> replies = Answer(command);
    return replies.size() == 1 ? replies[0] : "(" + std::to_string(replies.size()) + " replies)";
  }
  std::vector<std::uintptr_t> PlayerCommands() {
    world.Pump();
    return world.player->ReceivedCommands();
  }

  ShellWorld world;
  std::size_t heardBefore = 0;
};

constexpr std::string_view kReport =
    "DemoUser:\t~~ Paused On Song: Artist - Title BitRate: 128 - "
    "Elapsed/Remaining: 00:01:23/00:02:34 - Length: 00:03:57";

TEST_F(ChatCommands, EveryReplyWordSendsItsExactLine) {
  const std::vector<std::pair<std::string_view, std::string>> table = {
      {".time", "DemoUser:\t~~ The Time is: 5:45:12 PM."},
      {".date", "DemoUser:\t~~ The Date is: 12/7/2026."},
      {".adv", std::string(kReport)},
      {".song", "DemoUser:\t~~ Song Name: Artist - Title"},
      {".bitrate", "DemoUser:\t~~ BitRate: 128"},
      {".br", "DemoUser:\t~~ BitRate: 128"},
      {".eandr", "DemoUser:\t~~ Elapsed/Remaining: 00:01:23/00:02:34"},
      {".e&r", "DemoUser:\t~~ Elapsed/Remaining: 00:01:23/00:02:34"},
      {".len", "DemoUser:\t~~ Track Length: 00:03:57"},
      {".length", "DemoUser:\t~~ Track Length: 00:03:57"},
      {".stat", "DemoUser:\t~~ Winamp Status: Paused On"},
      {".status", "DemoUser:\t~~ Winamp Status: Paused On"},
      {".about", "DemoUser:\t~~ Tavrin By: Dunmarrow (Kestle). Advertises "
                 "WinAmp Version 2, 3, and 5 to the AOL 7, 8, and 9 ChatRoom"},
      {".?", "DemoUser:\t~~ Tavrin By: Dunmarrow (Kestle). Advertises WinAmp "
             "Version 2, 3, and 5 to the AOL 7, 8, and 9 ChatRoom"},
  };
  for (const auto& [command, line] : table) {
    EXPECT_EQ(Reply(command), line) << command;
  }
  EXPECT_TRUE(PlayerCommands().empty());
  EXPECT_FALSE(world.program.AboutLoaded()) << ".about opens no window";
}

TEST_F(ChatCommands, CaseOfTheWordIsIgnoredButNothingElseIs) {
  EXPECT_EQ(Reply(".ADV"), kReport);
  EXPECT_EQ(Reply(".Adv"), kReport);
  EXPECT_EQ(Reply(".E&R"), "DemoUser:\t~~ Elapsed/Remaining: 00:01:23/00:02:34");
  for (const std::string_view noCommand :
       {".adv ", " .adv", ".adv now", "adv", ".ad", ".advv", "..adv", ".",
        "", ".adv\t", ".ＡＤＶ"}) {
    EXPECT_TRUE(Answer(noCommand).empty()) << "'" << noCommand << "'";
  }
}

// What a word did, seen from outside: the program's lines after the typed
// one, the player's commands, and where the windows and the icon stand.
struct Outcome {
  std::vector<std::string> replies = {};
  std::vector<std::uintptr_t> player = {};
  bool mainShown = true;
  bool iconShown = false;
  bool commandsShown = false;
  bool ended = false;
};

constexpr std::string_view kPlayingReport =
    "DemoUser:\t~~ Playing Song: Artist - Title BitRate: 128 - "
    "Elapsed/Remaining: 00:01:23/00:02:34 - Length: 00:03:57";

// Each word in full capitals, typed into a program where it has something
// to do: pause and stop act only on a playing player, restore only on a
// window in the tray.
class WordInCapitals : public ChatCommands,
                       public ::testing::WithParamInterface<CommandWord> {
 protected:
  void Prepare(ChatCommand command) {
    if (command == ChatCommand::kPause || command == ChatCommand::kStop) {
      world.player->Drive("play");
    }
    if (command == ChatCommand::kRestore) {
      world.Form("MainFRM").Click("MinimizeLBL");
    }
  }

  // Spelled out here, not taken from the program.
  static Outcome Expected(ChatCommand command) {
    const std::string about =
        "DemoUser:\t~~ Tavrin By: Dunmarrow (Kestle). Advertises WinAmp "
        "Version 2, 3, and 5 to the AOL 7, 8, and 9 ChatRoom";
    const std::string report(kReport);
    switch (command) {
      case ChatCommand::kTime:
        return {.replies = {"DemoUser:\t~~ The Time is: 5:45:12 PM."}};
      case ChatCommand::kDate:
        return {.replies = {"DemoUser:\t~~ The Date is: 12/7/2026."}};
      case ChatCommand::kPlay:
        return {.replies = {report}, .player = {40045}};
      case ChatCommand::kNext:
        return {.replies = {report}, .player = {40048}};
      case ChatCommand::kPrevious:
        return {.replies = {report}, .player = {40044}};
      case ChatCommand::kPause:
        return {.replies = {std::string(kPlayingReport)}, .player = {40046}};
      case ChatCommand::kStop:
        return {.replies = {std::string(kPlayingReport)}, .player = {40047}};
      case ChatCommand::kAbout:
        return {.replies = {about}};
      case ChatCommand::kAdvertise:
        return {.replies = {report}};
      case ChatCommand::kSong:
        return {.replies = {"DemoUser:\t~~ Song Name: Artist - Title"}};
      case ChatCommand::kBitRate:
        return {.replies = {"DemoUser:\t~~ BitRate: 128"}};
      case ChatCommand::kElapsedRemaining:
        return {.replies = {"DemoUser:\t~~ Elapsed/Remaining: 00:01:23/00:02:34"}};
      case ChatCommand::kLength:
        return {.replies = {"DemoUser:\t~~ Track Length: 00:03:57"}};
      case ChatCommand::kStatus:
        return {.replies = {"DemoUser:\t~~ Winamp Status: Paused On"}};
      case ChatCommand::kMinimize:
        return {.mainShown = false, .iconShown = true};
      case ChatCommand::kRestore:
        return {.mainShown = true, .iconShown = false};
      case ChatCommand::kCommands:
      case ChatCommand::kHelp:
        return {.commandsShown = true};
      case ChatCommand::kExit:
        return {.replies = {"DemoUser:\t~~ Tavrin By: Dunmarrow (Kestle) "
                            "Session Ended."},
                .mainShown = false,
                .ended = true};
    }
    return {};
  }
};

TEST_P(WordInCapitals, IsActedOn) {
  const CommandWord entry = GetParam();
  std::string capitals(entry.word);
  for (char& c : capitals) {
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  }
  SCOPED_TRACE(capitals);
  Prepare(entry.command);
  const Outcome expected = Expected(entry.command);

  EXPECT_EQ(Answer(capitals), expected.replies);
  EXPECT_EQ(PlayerCommands(), expected.player);
  auto& main = world.Form("MainFRM");
  EXPECT_EQ(main.IsVisible(), expected.mainShown);
  EXPECT_EQ(world.tray.Shows(main.Handle(), 1), expected.iconShown);
  EXPECT_EQ(world.program.CommandsLoaded() &&
                world.Form("CommandsFRM").IsVisible(),
            expected.commandsShown);
  EXPECT_EQ(world.forms.Ended(), expected.ended);
}

// Test names: the word's letters, or its place for a word of signs alone.
std::string WordName(const ::testing::TestParamInfo<CommandWord>& info) {
  std::string name;
  for (const char c : info.param.word) {
    if (std::isalnum(static_cast<unsigned char>(c))) name += c;
  }
  return name.empty() ? "word" + std::to_string(info.index) : name;
}

INSTANTIATE_TEST_SUITE_P(EveryWord, WordInCapitals,
                         ::testing::ValuesIn(kCommandWords), WordName);

TEST_F(ChatCommands, OnlyTheSignedOnUserIsObeyed) {
  for (const std::string_view speaker :
       {"Bob", "demouser", "DEMOUSER", "DemoUser ", " DemoUser", "DemoUse"}) {
    Type(".next", speaker);
    Type(".exit", speaker);
  }
  EXPECT_EQ(NewLines().size(), 12u) << "only the typed lines";
  EXPECT_TRUE(PlayerCommands().empty());
  EXPECT_FALSE(world.forms.Ended());
}

TEST_F(ChatCommands, WithoutAScreenNameOnlyANamelessSpeakerIsObeyed) {
  world.chat->SignOn("");  // "Welcome, !": the name is empty
  Type(".song", "DemoUser");
  EXPECT_EQ(NewLines().size(), 1u);
  world.chat->AddLine(1, "", ".song");
  world.clock.Advance(chat::ChatScan::kPollInterval * 2);
  ASSERT_EQ(NewLines().size(), 3u);
  EXPECT_EQ(NewLines()[2], ":\t~~ Song Name: Artist - Title");
}

TEST_F(ChatCommands, OwnRepliesComingBackAreNeverCommands) {
  for (const CommandWord& entry : kCommandWords) {
    if (entry.command == ChatCommand::kExit) continue;
    Type(entry.word);
  }
  const std::size_t afterCommands = Lines().size();
  world.clock.Advance(Milliseconds(2000));
  EXPECT_EQ(Lines().size(), afterCommands) << "no reply answered a reply";
}

// The report is built right after the command is posted, before the player
// has acted on it: each reply shows the player as it was, and the next one
// shows what the command did.
TEST_F(ChatCommands, TransportCommandsActUnderTheirConditionsAndSendTheReport) {
  EXPECT_EQ(Reply(".pause"), kReport) << "paused: untouched";
  EXPECT_EQ(Reply(".stop"), kReport) << "paused: untouched";
  EXPECT_TRUE(PlayerCommands().empty());
  EXPECT_EQ(Reply(".play"), kReport) << "built before the player resumed";
  EXPECT_EQ(PlayerCommands(), std::vector<std::uintptr_t>{player::kPlayCommand});
  const std::vector<std::pair<std::string_view, std::string_view>> steps = {
      {".play", "~~ Playing Song: Artist - Title "},  // playing: untouched
      {".next", "~~ Playing Song: Artist - Title "},
      {".>", "~~ Playing Song: Night Drive - Neon Harbour "},
      {".<", "~~ Playing Song: The Quiet Band - Paper Boats "},
      {".prev", "~~ Playing Song: Night Drive - Neon Harbour "},
      {".previous", "~~ Playing Song: Artist - Title "},
      {".pause", "~~ Playing Song: The Quiet Band - Paper Boats "},
      {".stop", "~~ Paused On Song: The Quiet Band - Paper Boats "},
      {".play", "~~ Paused On Song: The Quiet Band - Paper Boats "},
      {".adv", "~~ Playing Song: The Quiet Band - Paper Boats "},
  };
  for (const auto& [command, shown] : steps) {
    EXPECT_NE(Reply(command).find(shown), std::string::npos) << command;
  }
  EXPECT_EQ(Reply(".stop").find("DemoUser:\t~~ Playing Song:"), 0u);
  EXPECT_EQ(Reply(".play").find("DemoUser:\t~~ Stopped On Song:"), 0u)
      << "stopped: play";
  EXPECT_EQ(Reply(".adv").find("DemoUser:\t~~ Playing Song:"), 0u);
  const std::vector<std::uintptr_t> expected = {
      player::kPlayCommand,     player::kNextCommand,
      player::kNextCommand,     player::kPreviousCommand,
      player::kPreviousCommand, player::kPreviousCommand,
      player::kPauseCommand,    player::kPlayCommand,
      player::kStopCommand,     player::kPlayCommand};
  EXPECT_EQ(PlayerCommands(), expected);
}

TEST_F(ChatCommands, WithoutThePlayerEveryCommandStillAnswers) {
  world.player->Drive("close");
  EXPECT_EQ(Reply(".play"),
            "DemoUser:\t~~ Stopped On Song:  BitRate: 0 - Elapsed/Remaining: / "
            "- Length: ");
  EXPECT_EQ(Reply(".pause"), Reply(".stop"));
  EXPECT_EQ(Reply(".song"), "DemoUser:\t~~ Song Name: ");
}

TEST_F(ChatCommands, SingleFieldRepliesIgnoreTheReportToggles) {
  world.program.Save().SongNameCB = settings::kUnchecked;
  world.program.Save().BitRateCB = settings::kUnchecked;
  world.program.Save().Ascii = "";
  EXPECT_EQ(Reply(".song"), "DemoUser:\t Song Name: Artist - Title");
  EXPECT_EQ(Reply(".br"), "DemoUser:\t BitRate: 128");
  EXPECT_EQ(Reply(".time"), "DemoUser:\t The Time is: 5:45:12 PM.");
}

TEST_F(ChatCommands, MiniAndRestoreMoveTheMainWindowToTheTrayAndBack) {
  auto& main = world.Form("MainFRM");
  EXPECT_TRUE(Answer(".mini").empty());
  EXPECT_FALSE(main.IsVisible());
  const auto window = main.Handle();
  ASSERT_TRUE(world.tray.Shows(window, 1));
  EXPECT_EQ(world.tray.Calls().back().record.tip,
            "Tavrin: Paused On - Artist - Title");
  Type(".minimize");
  EXPECT_EQ(world.tray.Calls().size(), 2u) << "a second add, as the button";
  EXPECT_EQ(world.tray.IconCount(), 1u);
  Type(".RES");
  EXPECT_TRUE(main.IsVisible());
  EXPECT_FALSE(world.tray.Shows(window, 1));
  Type(".restore");
  EXPECT_TRUE(main.IsVisible());
  EXPECT_EQ(world.tray.Calls().size(), 4u) << "a harmless second delete";
}

TEST_F(ChatCommands, ExitSaysGoodbyeAfterHidingAndEndsWithTheIconGone) {
  Type(".mini");
  world.forms.journal.clear();
  world.forms.journal.push_back("typed");
  world.chat->AddLine(1, kOwner, ".End");
  world.clock.Advance(chat::ChatScan::kPollInterval * 2);
  EXPECT_TRUE(world.forms.Ended());
  EXPECT_EQ(world.tray.IconCount(), 0u);
  EXPECT_EQ(NewLines().back(),
            "DemoUser:\t~~ Tavrin By: Dunmarrow (Kestle) Session Ended.");
  EXPECT_EQ(world.forms.journal,
            (std::vector<std::string>{"typed", "MainFRM hide"}));
}

TEST_F(ChatCommands, CommandsAndHelpShowTheCommandsWindow) {
  Type(".cmds");
  ASSERT_TRUE(world.program.CommandsLoaded());
  EXPECT_TRUE(world.Form("CommandsFRM").IsVisible());
  Type(".HELP");
  Type(".commands");
  EXPECT_EQ(world.forms.Created("CommandsFRM"), 1);
  EXPECT_EQ(NewLines().size(), 3u) << "no replies";
}

// On a slow desktop the reply's room search runs the scan's next polls
// inside it: the line typed meanwhile is answered once, inside, and no line
// twice.
TEST_F(ChatCommands, LinesHeardDuringAReplyAreEachAnsweredOnce) {
  world.chat->Drive("decoys 20");
  world.windows.SetCallCost(Milliseconds(1));
  world.clock.ScheduleInput(world.clock.Now() + chat::ChatScan::kPollInterval,
                            [&] { world.chat->AddLine(1, kOwner, ".br"); });
  world.chat->AddLine(1, kOwner, ".song");
  world.clock.Advance(Milliseconds(1000));
  const std::vector<std::string> lines = NewLines();
  EXPECT_EQ(std::count(lines.begin(), lines.end(),
                       "DemoUser:\t~~ Song Name: Artist - Title"),
            1);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "DemoUser:\t~~ BitRate: 128"),
            1);
  EXPECT_EQ(lines.size(), 4u);
}

// Random chatter by everyone but the owner, the owner's name in other
// letter cases included, with command words among it: nothing is done.
TEST_F(ChatCommands, TenThousandLinesFromOthersDoNothing) {
  std::mt19937 random(20261209);
  const std::vector<std::string> speakers = {
      "demouser", "DEMOUSER", "Demouser", "DemoUser ", "Bob", "", "DemoUsers"};
  std::vector<std::string> words;
  for (const CommandWord& entry : kCommandWords) {
    words.emplace_back(entry.word);
  }
  words.push_back("hello there");
  const std::size_t trayCalls = world.tray.Calls().size();
  const std::string transcript = world.chat->Transcript(1);
  world.forms.journal.clear();
  for (int i = 0; i < 10000; ++i) {
    std::string speaker = speakers[random() % speakers.size()];
    std::string line = words[random() % words.size()];
    for (char& c : line) {
      if (random() % 2) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    DispatchChatCommand(world.program, speaker, line);
  }
  EXPECT_EQ(world.chat->Transcript(1), transcript);
  EXPECT_TRUE(PlayerCommands().empty());
  EXPECT_EQ(world.tray.Calls().size(), trayCalls);
  EXPECT_TRUE(world.forms.journal.empty());
  EXPECT_FALSE(world.forms.Ended());
}

// The client stops answering just as the owner's commands come in: who
// said them is decided once it answers, in order; a client away longer
// than the wait lets them go.
TEST_F(ChatCommands, CommandsWhoseSpeakerCouldNotBeReadWaitForTheClient) {
  const struct {
    Milliseconds hang;
    std::vector<std::string> answered;
  } cases[] = {
      {Milliseconds(300),
       {"DemoUser:\t~~ Song Name: Artist - Title", "DemoUser:\t~~ BitRate: 128"}},
      {WaitingCommands::kPatience + Milliseconds(5000), {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.hang.count());
    const std::size_t before = Lines().size();
    world.chat->Drive("hang " + std::to_string(c.hang.count()));
    DispatchChatCommand(world.program, kOwner, ".song");
    DispatchChatCommand(world.program, "Bob", ".adv");
    DispatchChatCommand(world.program, kOwner, ".br");
    world.clock.Advance(c.hang + platform::HungPeerGuard::kBackOff +
                        Milliseconds(500));
    const std::vector<std::string> lines = Lines();
    EXPECT_EQ(std::vector<std::string>(
                  lines.begin() + static_cast<std::ptrdiff_t>(before), lines.end()),
              c.answered);
    EXPECT_TRUE(world.program.WaitingCommandLines().Empty());
  }
}

}  // namespace
}  // namespace tavrin::commands
