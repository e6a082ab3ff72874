#include <gtest/gtest.h>

#include "chat/chat_room.h"
#include "player/winamp_api.h"
#include "sim_world.h"

namespace tavrin::chat {
namespace {

using platform::HungPeerGuard;
using platform::kNoWindow;
using platform::Milliseconds;
using platform::WindowHandle;
using sim::SimDesktop;
using testing::SimWorld;

class ChatRoom : public ::testing::Test {
 protected:
  // The entry boxes of every "AOL Child" of the client, rooms or not.
  std::vector<WindowHandle> EntryBoxes() {
    std::vector<WindowHandle> boxes;
    const WindowHandle mdi = world.chat->Mdi();
    for (WindowHandle child = world.desktop.FindWindowEx(mdi, 0, kChildClass);
         child != kNoWindow;
         child = world.desktop.FindWindowEx(mdi, child, kChildClass)) {
      if (const auto box = world.desktop.FindWindowEx(child, 0, kEntryClass)) {
        boxes.push_back(box);
      }
    }
    return boxes;
  }

  SimWorld world;
  platform::ForeignWindows& windows = world.windows;
};

TEST_F(ChatRoom, LinePostedAsTheUsersOwnAndEntryEmptied) {
  auto& chat = world.StartChat();
  world.desktop.SetTextOf(chat.EntryWindow(1), "half-typed words");
  ChatSend(windows, "~~ Playing Song: Artist - Title");
  EXPECT_EQ(chat.Transcript(1), "DemoUser:\t~~ Playing Song: Artist - Title\r\n");
  EXPECT_EQ(chat.EntryText(1), "");
}

TEST_F(ChatRoom, GoesToTheFirstRoomPastWindowsThatAreNoRooms) {
  auto& chat = world.StartChat();
  chat.Drive("open Second Room");
  chat.Drive("decoys 3");
  EXPECT_EQ(FindChatRoom(windows), chat.RoomWindow(1));
  ChatSend(windows, "hello");
  EXPECT_EQ(chat.Transcript(1), "DemoUser:\thello\r\n");
  EXPECT_EQ(chat.Transcript(2), "");
}

TEST_F(ChatRoom, ChildMissingAnyOneRoomPartIsSkipped) {
  auto& d = world.desktop;
  const auto process = d.NewProcess();
  const WindowHandle frame = d.Create(process, kFrameClass, "");
  const WindowHandle mdi = d.Create(process, kMdiClass, "", frame);
  for (std::size_t missing = 0; missing < kRoomChildClasses.size(); ++missing) {
    const WindowHandle partial = d.Create(process, kChildClass, "", mdi);
    for (std::size_t i = 0; i < kRoomChildClasses.size(); ++i) {
      if (i != missing) d.Create(process, kRoomChildClasses[i], "", partial);
    }
  }
  EXPECT_EQ(FindChatRoom(windows), kNoWindow);
  const WindowHandle room = d.Create(process, kChildClass, "", mdi);
  for (const auto childClass : kRoomChildClasses) {
    d.Create(process, childClass, "", room);
  }
  EXPECT_EQ(FindChatRoom(windows), room);
}

TEST_F(ChatRoom, WithoutClientTheLineIsDroppedAtNoCost) {
  const auto before = world.clock.Now();
  ChatSend(windows, "lost");
  EXPECT_EQ(world.clock.Now(), before);
  EXPECT_EQ(world.desktop.PendingPosts(), 0u);
  auto& chat = world.StartChat();
  world.Pump();
  EXPECT_EQ(chat.Transcript(1), "") << "nothing was kept for later";
}

TEST_F(ChatRoom, WithoutRoomNoOtherWindowTakesTheLine) {
  auto& chat = world.StartChat();
  chat.Drive("decoys 2");
  world.desktop.Destroy(chat.RoomWindow(1));
  ASSERT_EQ(EntryBoxes().size(), 2u) << "the message windows' entry boxes";
  EXPECT_EQ(FindChatRoom(windows), kNoWindow);
  ChatSend(windows, "lost too");
  world.Pump();
  for (const WindowHandle box : EntryBoxes()) {
    EXPECT_EQ(world.desktop.TextOf(box), "");
  }
}

TEST_F(ChatRoom, RoomWithoutEntryBoxTakesNothing) {
  auto& chat = world.StartChat();
  world.desktop.Destroy(chat.EntryWindow(1));
  ChatSend(windows, "nowhere");
  EXPECT_EQ(chat.Transcript(1), "");
}

TEST_F(ChatRoom, PumpsOnceForEveryCandidateItExamines) {
  auto& chat = world.StartChat();
  chat.Drive("decoys 20");
  // A window that posts itself a message each time one reaches it counts
  // the pumps: each pump delivers exactly one.
  int pumps = 0;
  const WindowHandle counter = world.desktop.Create(
      world.desktop.NewProcess(), "Counter", "", 0,
      [&](WindowHandle self, unsigned, std::uintptr_t, std::intptr_t) {
        ++pumps;
        world.desktop.PostMessage(self, 0x8000, 0, 0);
        return std::intptr_t{0};
      });
  world.desktop.PostMessage(counter, 0x8000, 0, 0);
  ChatSend(windows, "line");
  EXPECT_EQ(pumps, 20 + 3) << "decoys, buddy list, welcome, room";
  EXPECT_EQ(chat.Transcript(1), "DemoUser:\tline\r\n");
}

// Titles in several scripts, as a player shows them.
constexpr std::string_view kJapanese = "坂本龍一 - Ｅｎｅｒｇｙ Ｆｌｏｗ";
constexpr std::string_view kCyrillic = "Кино - Группа крови";
constexpr std::string_view kAccented = "Céline Dion - Pour que tu m'aimes encore";

TEST_F(ChatRoom, UnicodeClientGetsTextInAnyScriptWhole) {
  auto& chat = world.StartChat();
  for (const auto title : {kJapanese, kCyrillic, kAccented}) {
    ChatSend(windows, title);
  }
  EXPECT_EQ(chat.Transcript(1), "DemoUser:\t" + std::string(kJapanese) +
                                    "\r\nDemoUser:\t" + std::string(kCyrillic) +
                                    "\r\nDemoUser:\t" + std::string(kAccented) +
                                    "\r\n");
}

TEST_F(ChatRoom, AnsiClientGetsItsCodePageAndQuestionMarksNeverLookAlikes) {
  auto& chat = world.StartChat(SimDesktop::Charset::kAnsi);
  ChatSend(windows, kAccented);
  ChatSend(windows, kJapanese);
  ChatSend(windows, "path＼file €5");
  EXPECT_EQ(chat.Transcript(1), "DemoUser:\t" + std::string(kAccented) +
                                    "\r\nDemoUser:\t???? - ?????? ????"
                                    "\r\nDemoUser:\tpath?file €5\r\n");
}

TEST_F(ChatRoom, PlayerTitleInAnyScriptReachesTheRoomWhole) {
  auto& player = world.StartPlayer({{std::string(kJapanese), 200, 128},
                                    {std::string(kCyrillic), 200, 128},
                                    {std::string(kAccented), 200, 128}});
  auto& chat = world.StartChat();
  for (int song = 0; song < 3; ++song) {
    ChatSend(windows, player::GetSongName(windows));
    player.Drive("next");
  }
  EXPECT_EQ(chat.Transcript(1), "DemoUser:\t" + std::string(kJapanese) +
                                    "\r\nDemoUser:\t" + std::string(kCyrillic) +
                                    "\r\nDemoUser:\t" + std::string(kAccented) +
                                    "\r\n");
}

TEST_F(ChatRoom, HungClientCostsOneWaitAndNeverGetsAnEnterWithoutItsText) {
  auto& chat = world.StartChat();
  world.desktop.SetTextOf(chat.EntryWindow(1), "half-typed words");
  chat.Drive("hang 5000");
  const auto before = world.clock.Now();
  const SentLine first = ChatSend(windows, "first");
  EXPECT_EQ(first.delivery, platform::Delivery::kLate);
  EXPECT_EQ(first.entry, chat.EntryWindow(1));
  EXPECT_EQ(world.clock.Now() - before, HungPeerGuard::kSendTimeout);
  EXPECT_EQ(ChatSend(windows, "second").delivery, platform::Delivery::kNotSent);
  EXPECT_EQ(world.clock.Now() - before, HungPeerGuard::kSendTimeout)
      << "backed off: the second line is dropped at once";
  world.clock.Advance(Milliseconds(6000));
  world.Pump();
  EXPECT_EQ(chat.Transcript(1), "") << "the user's words were not sent";
  EXPECT_EQ(chat.EntryText(1), "half-typed words");
  EXPECT_EQ(ChatSend(windows, "third").delivery, platform::Delivery::kAnswered);
  EXPECT_EQ(chat.Transcript(1), "DemoUser:\tthird\r\n");
}

TEST_F(ChatRoom, OneHungClientCostsOneWaitForAllItsWindows) {
  auto& chat = world.StartChat();
  auto& player = world.StartPlayer();
  player.Drive("play");
  const WindowHandle transcript =
      world.desktop.FindWindowEx(chat.RoomWindow(1), 0, kRoomChildClasses[0]);
  chat.Drive("hang 5000");
  const auto before = world.clock.Now();
  EXPECT_EQ(windows.GetText(transcript), "");
  ChatSend(windows, "dropped");
  EXPECT_EQ(windows.GetText(chat.EntryWindow(1)), "");
  EXPECT_EQ(world.clock.Now() - before, HungPeerGuard::kSendTimeout)
      << "transcript, entry box: one peer, one wait";
  EXPECT_EQ(player::GetPlayState(windows), player::kPlaying)
      << "another peer still answers";
  world.clock.Advance(Milliseconds(6000));
  world.Pump();
  EXPECT_EQ(chat.Transcript(1), "") << "a line never sent stays unsent";
}

// On a slow desktop time passes during the room search, so the program's
// own input and timers run inside its pumps, as they do on Windows.
class ChatRoomReentry : public ChatRoom {
 protected:
  ChatRoomReentry() {
    world.StartChat().Drive("decoys 10");
    world.windows.SetCallCost(Milliseconds(1));
  }
};

TEST_F(ChatRoomReentry, InputThatArrivesDuringTheSearchIsHandledInsideIt) {
  std::vector<std::string> seen;
  world.clock.ScheduleInput(world.clock.Now() + Milliseconds(5), [&] {
    seen.push_back("click");
    ChatSend(windows, "nested");
  });
  seen.push_back("send");
  ChatSend(windows, "outer");
  seen.push_back("sent");
  EXPECT_EQ(seen, (std::vector<std::string>{"send", "click", "sent"}));
  EXPECT_EQ(world.chat->Transcript(1),
            "DemoUser:\tnested\r\nDemoUser:\touter\r\n");
}

TEST_F(ChatRoomReentry, TimerNeverTicksInsideItsOwnTickButOthersDo) {
  int depth = 0;
  int deepest = 0;
  int otherTicks = 0;
  auto sender = world.clock.Start(Milliseconds(10), [&] {
    deepest = std::max(deepest, ++depth);
    ChatSend(windows, "tick");
    --depth;
  });
  auto other = world.clock.Start(Milliseconds(10), [&] { ++otherTicks; });
  world.clock.Advance(Milliseconds(10));
  EXPECT_EQ(deepest, 1);
  EXPECT_GE(otherTicks, 2) << "due again during the slow send";
}

}  // namespace
}  // namespace tavrin::chat
