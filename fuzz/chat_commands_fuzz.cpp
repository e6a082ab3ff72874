// The chat command dispatcher in the whole program on the sim desktop, fed
// lines by anyone: the signed-on user with command words in any letter
// case, names that differ from it by a letter, other people, empty names,
// near misses and arbitrary bytes, while the chat client is signed on under
// other names, hangs, is slow, closes and comes back, and the player does
// the same. After each line the harness checks what the program did against
// what only the owner's command words may do.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "commands/chat_commands.h"
#include "forwarding_windows.h"
#include "fuzz_input.h"
#include "platform/hung_peer_guard.h"
#include "platform/profile_file.h"
#include "settings/save_frm.h"
#include "shell/program.h"
#include "sim/cp1252.h"
#include "sim/sim_chat.h"
#include "sim/sim_desktop.h"
#include "sim/sim_file_names.h"
#include "sim/sim_foreign_windows.h"
#include "sim/sim_forms.h"
#include "sim/sim_launcher.h"
#include "sim/sim_local_time.h"
#include "sim/sim_player.h"
#include "sim/sim_tray.h"
#include "sim/virtual_clock.h"
#include "standins/chat_model.h"

namespace tavrin::fuzz {
namespace {

using platform::Milliseconds;
using platform::WindowHandle;

// The words the room may type, as the command reference lists them; kept
// here on their own so that a word the program takes by mistake shows.
enum class Does {
  kReply,      // one line
  kStep,       // one command to a player that is there, then one line
  kTransport,  // at most one command to the player, then one line
  kPlay,       // at most two commands to the player, then one line
  kToTray,
  kFromTray,
  kCommands,  // the commands window
  kExit,      // one line, then the end
};

struct Word {
  std::string_view word;
  Does does;
};

constexpr std::array<Word, 31> kWords = {{
    {".time", Does::kReply},
    {".date", Does::kReply},
    {".play", Does::kPlay},
    {".next", Does::kStep},
    {".prev", Does::kStep},
    {".previous", Does::kStep},
    {".>", Does::kStep},
    {".<", Does::kStep},
    {".pause", Does::kTransport},
    {".stop", Does::kTransport},
    {".about", Does::kReply},
    {".?", Does::kReply},
    {".adv", Does::kReply},
    {".song", Does::kReply},
    {".bitrate", Does::kReply},
    {".br", Does::kReply},
    {".eandr", Does::kReply},
    {".e&r", Does::kReply},
    {".len", Does::kReply},
    {".length", Does::kReply},
    {".stat", Does::kReply},
    {".status", Does::kReply},
    {".mini", Does::kToTray},
    {".minimize", Does::kToTray},
    {".res", Does::kFromTray},
    {".restore", Does::kFromTray},
    {".commands", Does::kCommands},
    {".cmds", Does::kCommands},
    {".help", Does::kCommands},
    {".exit", Does::kExit},
    {".end", Does::kExit},
}};

// The word the line is, letter case aside (ASCII letters only), or null.
const Word* WordOf(std::string_view line) {
  for (const Word& entry : kWords) {
    if (entry.word.size() != line.size()) continue;
    bool same = true;
    for (std::size_t i = 0; same && i < line.size(); ++i) {
      char c = line[i];
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
      same = c == entry.word[i];
    }
    if (same) return &entry;
  }
  return nullptr;
}

bool SendsLine(Does does) {
  return does == Does::kReply || does == Does::kStep ||
         does == Does::kTransport || does == Does::kPlay || does == Does::kExit;
}

std::size_t PlayerCommandsAllowed(Does does) {
  return does == Does::kPlay                               ? 2
         : does == Does::kStep || does == Does::kTransport ? 1
                                                           : 0;
}

// Settings kept in memory: the dispatcher never writes any, and the values
// the harness wants are put straight into the settings holder.
class MemoryProfile final : public platform::ProfileFile {
 public:
  std::string Read(std::string_view section, std::string_view key,
                   std::string_view file) override {
    const auto found = values_.find(Key(section, key, file));
    return found == values_.end() ? std::string() : found->second;
  }
  bool Write(std::string_view section, std::string_view key,
             std::string_view value, std::string_view file) override {
    values_[Key(section, key, file)] = std::string(value);
    ++writes;
    return true;
  }
  bool Exists(std::string_view file) override {
    const std::string prefix = std::string(file) + "\n";
    const auto next = values_.lower_bound(prefix);
    return next != values_.end() && next->first.starts_with(prefix);
  }
  bool CanWrite(std::string_view) override { return true; }
  bool CreateFolderOf(std::string_view) override { return true; }

  int writes = 0;

 private:
  static std::string Key(std::string_view section, std::string_view key,
                         std::string_view file) {
    std::string all(file);
    all.append("\n").append(section).append("\n").append(key);
    return all;
  }
  std::map<std::string, std::string> values_;
};

// Counts what the program gives other programs: texts (for the chat
// client's entry boxes) and posted messages (the player's commands).
class CountedWindows final : public testing::ForwardingWindows {
 public:
  using ForwardingWindows::ForwardingWindows;

  platform::Delivery SetText(WindowHandle window,
                             std::string_view text) override {
    ++texts;
    return ForwardingWindows::SetText(window, text);
  }
  void Post(WindowHandle window, unsigned message, std::uintptr_t wParam,
            std::intptr_t lParam) override {
    ++posts;
    ForwardingWindows::Post(window, message, wParam, lParam);
  }

  std::size_t texts = 0;
  std::size_t posts = 0;
};

// The whole program on a sim desktop with the stand-ins.
struct World {
  sim::VirtualClock clock;
  sim::SimDesktop desktop{clock};
  sim::SimForeignWindows simWindows{desktop};
  CountedWindows windows{simWindows};
  sim::SimLauncher launcher;
  MemoryProfile profile;
  sim::SimFormsToolkit forms{&clock};
  sim::SimTray tray;
  sim::SimLocalTime localTime{clock};
  sim::SimFileNames fileNames;
  std::unique_ptr<sim::SimPlayer> player;
  std::unique_ptr<sim::SimChat> chat;
  shell::Program program{
      shell::Ports{windows, profile, launcher, clock, forms, tray, localTime,
                   clock, fileNames}};
};

// What a line may change, taken before and after it.
struct Snapshot {
  std::string transcripts;
  std::string entries;
  std::size_t lines = 0;  // complete lines in every room
  std::size_t texts = 0;
  std::size_t posts = 0;
  std::size_t pending = 0;
  std::size_t received = 0;
  std::size_t trayCalls = 0;
  std::size_t trayIcons = 0;
  std::size_t journal = 0;
  std::size_t launches = 0;
  int writes = 0;
  bool ended = false;
  bool mainVisible = false;
  bool commands = false;
  bool about = false;
  bool message = false;
  bool watching = false;
  std::size_t waitingLines = 0;

  bool operator==(const Snapshot&) const = default;
};

std::size_t CountLines(std::string_view text) {
  std::size_t count = 0;
  for (std::size_t at = text.find("\r\n"); at != std::string_view::npos;
       at = text.find("\r\n", at + 2)) {
    ++count;
  }
  return count;
}

class CommandsHarness {
 public:
  void Run(FuzzInput& input) {
    SetUp(input);
    for (int steps = 0; steps < 48 && !input.Empty() && !world_.forms.Ended();
         ++steps) {
      Step(input);
    }
  }

 private:
  void SetUp(FuzzInput& input) {
    ansi_ = input.Flag();
    const std::uint8_t setup = input.Byte();
    name_ = (setup & 1) != 0 ? ScreenName(input.Bytes(12))
                             : std::string(standins::kDefaultScreenName);
    StartChat();
    if ((setup & 2) == 0) {
      world_.player = std::make_unique<sim::SimPlayer>(world_.desktop);
      const std::size_t state = input.Below(3);
      if (state > 0) world_.player->Drive("play");
      if (state > 1) world_.player->Drive("pause");
    }
    int date[6];
    for (int i = 0; i < 6; ++i) {
      static constexpr int kRange[6] = {100, 12, 28, 24, 60, 60};
      date[i] = static_cast<int>(input.Below(kRange[i]));
    }
    world_.localTime.Set(2000 + date[0], 1 + date[1], 1 + date[2], date[3],
                         date[4], date[5]);
    // The splash, double-clicked away once it is in, then the main window.
    world_.program.Start();
    world_.clock.Advance(Milliseconds(230));
    sim::SimFormWindow* intro = world_.forms.Find("IntroFRM");
    Check(intro != nullptr, "harness: the splash is up");
    intro->DoubleClick();
    world_.clock.Advance(Milliseconds(240));
    Check(world_.program.MainLoaded(), "harness: the main window is up");
    Decorate(input.Bytes(10));
    settings::SaveFRM& saved = world_.program.Save();
    const std::uint8_t toggles = input.Byte();
    saved.WAStatusCB = toggles & 1;
    saved.SongNameCB = (toggles >> 1) & 1;
    saved.BitRateCB = (toggles >> 2) & 1;
    saved.ElapRemCB = (toggles >> 3) & 1;
    saved.SongLenCB = (toggles >> 4) & 1;
  }

  // A screen name is any bytes but a line break, which would split the
  // owner's lines in the transcript that the harness counts.
  static std::string ScreenName(std::string name) {
    for (char& c : name) {
      if (c == '\r' || c == '\n') c = '_';
    }
    return name;
  }

  // The decoration is one line of a text box: no line breaks.
  void Decorate(std::string decoration) {
    for (char& c : decoration) {
      if (c == '\r' || c == '\n') c = ' ';
    }
    world_.program.Save().Ascii = decoration;
  }

  void StartChat() {
    world_.chat = std::make_unique<sim::SimChat>(
        world_.desktop, name_,
        ansi_ ? sim::SimDesktop::Charset::kAnsi
              : sim::SimDesktop::Charset::kUnicode);
    chatOpen_ = true;
    unsureUntil_ = Milliseconds(0);
    slowed_ = false;
  }

  // The text as the client's windows hold it.
  std::string Held(std::string_view text) const {
    return ansi_ ? sim::Utf8FromCp1252(sim::Cp1252FromUtf8(text))
                 : std::string(text);
  }

  // The name the program should read off the client: up to the first "!"
  // of its welcome; none without a client.
  std::string SignedOnName() const {
    if (!chatOpen_) return {};
    const std::string held = Held(name_);
    return held.substr(0, held.find('!'));
  }

  // Whether the client may fail to answer, so that its name reads as none.
  bool Unsure() const {
    return chatOpen_ && (slowed_ || world_.clock.Now() < unsureUntil_);
  }

  static std::string AnyCase(std::string_view word, std::uint8_t bits) {
    std::string line(word);
    for (std::size_t i = 0; i < line.size(); ++i) {
      const char c = line[i];
      if (c >= 'a' && c <= 'z' && ((bits >> (i % 8)) & 1) != 0) {
        line[i] = static_cast<char>(c - 'a' + 'A');
      }
    }
    return line;
  }

  std::string AnyWord(FuzzInput& input) {
    const std::string_view word = kWords[input.Below(kWords.size())].word;
    return AnyCase(word, input.Byte());
  }

  // A command word spoiled: a byte more or less, one changed, or a look-alike.
  std::string NearMiss(FuzzInput& input) {
    std::string line = AnyWord(input);
    const std::size_t at = input.Below(line.size() + 1);
    const char byte = static_cast<char>(input.Byte());
    switch (input.Below(5)) {
      case 0:
        line.insert(line.begin() + static_cast<std::ptrdiff_t>(at), byte);
        break;
      case 1:
        if (at < line.size()) line.erase(at, 1);
        break;
      case 2:
        if (at < line.size()) line[at] = byte;
        break;
      case 3:
        // Letters outside ASCII whose lower case looks like a word's letter.
        if (at < line.size()) {
          static constexpr std::array<std::string_view, 4> kLookAlikes = {
              "\xC4\xB0", "\xE2\x84\xAA", "\xEF\xBC\xA5", "\xC3\x89"};
          line.replace(at, 1, kLookAlikes[static_cast<std::uint8_t>(byte) % 4]);
        }
        break;
      default:
        line = input.Bytes(12);
        break;
    }
    return line;
  }

  // The owner's name with one difference: a letter's case, a byte more or less.
  std::string NearName(FuzzInput& input) {
    std::string name = SignedOnName();
    const std::size_t at = input.Below(name.size() + 1);
    switch (input.Below(4)) {
      case 0:
        for (char& c : name) {
          if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
            break;
          }
          if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
            break;
          }
        }
        break;
      case 1:
        name.insert(name.begin() + static_cast<std::ptrdiff_t>(at),
                    static_cast<char>(input.Byte()));
        break;
      case 2:
        if (at < name.size()) name.erase(at, 1);
        break;
      default:
        name.push_back(' ');
        break;
    }
    return name;
  }

  // The speaker's bytes are read before the line's.
  void Step(FuzzInput& input) {
    World& w = world_;
    switch (input.Below(19)) {
      case 0:
      case 1:
        return Say(SignedOnName(), AnyWord(input));
      case 2:
        return Say(SignedOnName(), NearMiss(input));
      case 3: {
        const std::string speaker = input.Bytes(12);
        return Say(speaker, AnyWord(input));
      }
      case 4: {
        const std::string speaker = NearName(input);
        return Say(speaker, AnyWord(input));
      }
      case 5:
        return Say("", AnyWord(input));
      case 6: {
        const std::string speaker = input.Bytes(12);
        return Say(speaker, input.Bytes(16));
      }
      case 7:
        name_ = ScreenName(input.Bytes(12));
        if (chatOpen_) w.chat->SignOn(name_);
        return;
      case 8: {
        const Milliseconds hang(std::size_t{input.Byte()} * 8);
        w.chat->Hang(hang);
        Troubled(hang);
        return;
      }
      case 9:
        w.chat->SlowDown(Milliseconds(std::size_t{input.Byte()} * 8));
        slowed_ = true;
        return;
      case 10:
        if (chatOpen_) {
          w.chat->Close();
          chatOpen_ = false;
        } else {
          StartChat();
        }
        return;
      case 11:
        if (w.player)
          w.player->Hang(Milliseconds(std::size_t{input.Byte()} * 8));
        return;
      case 12:
        if (w.player) {
          w.player.reset();
        } else {
          w.player = std::make_unique<sim::SimPlayer>(w.desktop);
        }
        return;
      case 13: {
        static constexpr std::array<std::string_view, 5> kDrive = {
            "play", "pause", "stop", "next", "prev"};
        if (w.player) w.player->Drive(kDrive[input.Below(kDrive.size())]);
        return;
      }
      case 14:
        w.clock.Advance(Milliseconds(input.Byte()));
        return;
      case 15:
        return Decorate(input.Bytes(10));
      case 16:
        if (chatOpen_) w.chat->AddDecoys(1 + input.Below(3));
        return;
      case 17:
        if (chatOpen_) w.chat->OpenRoom(input.Bytes(6));
        return;
      default: {
        // The client turns slow while the program pumps in its next room
        // search: the text it is given then may come late.
        const Milliseconds slow(std::size_t{input.Byte()} * 8);
        if (!chatOpen_) return;
        sim::SimDesktop& desktop = w.desktop;
        const sim::SimDesktop::ProcessId client =
            desktop.ProcessOf(w.chat->Mdi());
        w.clock.ScheduleInput(w.clock.Now(), [&desktop, client, slow] {
          desktop.SlowDown(client, slow);
        });
        slowed_ = true;
        return;
      }
    }
  }

  void Troubled(Milliseconds hang) {
    const Milliseconds until = world_.clock.Now() + hang +
                               platform::HungPeerGuard::kBackOff +
                               platform::HungPeerGuard::kSendTimeout;
    if (until > unsureUntil_) unsureUntil_ = until;
  }

  Snapshot Take() {
    World& w = world_;
    Snapshot s;
    if (chatOpen_) {
      for (std::size_t room = 1;
           w.chat->RoomWindow(room) != platform::kNoWindow; ++room) {
        const std::string text = w.chat->Transcript(room);
        s.lines += CountLines(text);
        s.transcripts.append(text).push_back('\0');
        s.entries.append(w.chat->EntryText(room)).push_back('\0');
      }
    }
    s.texts = w.windows.texts;
    s.posts = w.windows.posts;
    s.pending = w.desktop.PendingPosts();
    s.received = w.player ? w.player->ReceivedCommands().size() : 0;
    s.trayCalls = w.tray.Calls().size();
    s.trayIcons = w.tray.IconCount();
    s.journal = w.forms.journal.size();
    s.launches = w.launcher.Launches().size();
    s.writes = w.profile.writes;
    s.ended = w.forms.Ended();
    const sim::SimFormWindow* main = w.forms.Find("MainFRM");
    s.mainVisible = main != nullptr && main->IsVisible();
    s.commands = w.program.CommandsLoaded();
    s.about = w.program.AboutLoaded();
    s.message = w.program.MessageLoaded();
    s.watching = w.program.Chat().Watching();
    s.waitingLines = w.program.Chat().WaitingLines();
    return s;
  }

  // The first room's newest line, without its CR LF.
  std::string LastLine() const {
    const std::string text = world_.chat->Transcript(1);
    if (text.size() < 2) return {};
    const std::size_t start = text.rfind("\r\n", text.size() - 3);
    const std::size_t from = start == std::string::npos ? 0 : start + 2;
    return text.substr(from, text.size() - 2 - from);
  }

  void Say(const std::string& speaker, const std::string& line) {
    const Word* word = WordOf(line);
    const std::string name = SignedOnName();
    const bool unsure = Unsure();
    const bool owner = speaker == name;
    // A client that does not answer makes its name read as none.
    const bool mayBeOwner = owner || (unsure && speaker.empty());
    const bool playerThere =
        world_.player && world_.desktop.Exists(world_.player->Window());
    // Commands whose speaker the client could not tell yet wait, and are
    // decided in the turn of the next command line.
    const bool waitingBefore = !world_.program.WaitingCommandLines().Empty();
    const Snapshot before = Take();

    commands::DispatchChatCommand(world_.program, speaker, line);

    const Snapshot after = Take();
    if (Tracing()) {
      std::fprintf(stderr,
                   "%6lld ms  %s says %s (%s, %s): %zu lines, %zu texts, %zu "
                   "posts, %zu tray calls (%zu waited, %s)\n",
                   static_cast<long long>(world_.clock.Now().count()),
                   Shown(speaker).c_str(), Shown(line).c_str(),
                   word != nullptr ? "command" : "no command",
                   owner ? (unsure ? "owner, client unsure" : "owner")
                         : (mayBeOwner ? "maybe owner" : "not owner"),
                   after.lines - before.lines, after.texts - before.texts,
                   after.posts - before.posts,
                   after.trayCalls - before.trayCalls, before.waitingLines,
                   before.watching ? "one watched" : "none watched");
    }
    if (word == nullptr) {
      Check(after == before, "a line that is no command word did something");
      return;
    }
    // What the waiting commands do mixes in with this one's.
    if (waitingBefore) return;
    if (!mayBeOwner) {
      Check(after == before, "a command from someone else did something");
      return;
    }
    // Lines that waited for a stalled client go out ahead of the command's.
    Check(after.texts - before.texts <= 1 + before.waitingLines,
          "a command gave the chat client more than one line");
    Check(after.lines - before.lines <=
              1 + before.waitingLines + (before.watching ? 1 : 0),
          "a command put more than one line into the room");
    Check(after.posts - before.posts <= PlayerCommandsAllowed(word->does),
          "a command gave the player more commands than it has");
    Check(after.launches == before.launches && after.writes == before.writes,
          "a command started a program or wrote a setting");
    Check(word->does == Does::kExit || !after.ended,
          "a command other than exit ended the program");

    // With the owner certain and the client answering, each word does
    // exactly its part.
    if (!owner || unsure || !chatOpen_ || before.watching ||
        before.waitingLines != 0)
      return;
    const bool sends = SendsLine(word->does);
    Check(after.lines - before.lines == (sends ? 1u : 0u),
          sends ? "a command's line did not reach the room"
                : "a command that sends nothing sent a line");
    if (sends && !ansi_) {
      // The owner's line, decorated; with a blank, so that it never comes
      // back as a command.
      const std::string last = LastLine();
      const std::string start = name_ + ":\t" + world_.program.Save().Ascii;
      Check(last.compare(0, start.size(), start) == 0,
            "a reply that is not the owner's decorated line");
      const std::string reply = last.substr(name_.size() + 2);
      Check(reply.find(' ') != std::string::npos && WordOf(reply) == nullptr,
            "a reply that could be taken for a command");
    }
    switch (word->does) {
      case Does::kToTray:
        Check(after.trayCalls == before.trayCalls + 1 && after.trayIcons == 1 &&
                  !after.mainVisible,
              ".mini did not put the main window into the tray");
        break;
      case Does::kFromTray:
        Check(after.trayCalls == before.trayCalls + 1 && after.trayIcons == 0 &&
                  after.mainVisible,
              ".res did not bring the main window back");
        break;
      case Does::kCommands:
        Check(after.commands, "the commands window is not loaded");
        break;
      case Does::kExit:
        Check(after.ended && after.trayIcons == 0 && !after.mainVisible,
              "exit did not end the program with the icon gone");
        break;
      case Does::kStep:
        Check(after.posts - before.posts == (playerThere ? 1u : 0u),
              "a next or previous did not reach the player, or reached none");
        [[fallthrough]];
      case Does::kReply:
      case Does::kTransport:
      case Does::kPlay:
        Check(after.trayCalls == before.trayCalls && !after.ended,
              "a reply touched the tray or ended the program");
        break;
    }
  }

  World world_;
  std::string name_;
  bool ansi_ = false;
  bool chatOpen_ = false;
  bool slowed_ = false;
  Milliseconds unsureUntil_{0};
};

}  // namespace
}  // namespace tavrin::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  tavrin::fuzz::FuzzInput input(data, size);
  tavrin::fuzz::CommandsHarness harness;
  harness.Run(input);
  return 0;
}
