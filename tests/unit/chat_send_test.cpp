#include <gtest/gtest.h>

#include "chat/aol8chatsend.h"
#include "sim_world.h"

namespace tavrin::chat {
namespace {

using platform::kNoWindow;
using platform::WindowHandle;
using testing::SimWorld;

class ChatSendTest : public ::testing::Test {
 protected:
  SimWorld world;
  platform::ForeignWindows& windows = world.windows;
};

TEST_F(ChatSendTest, LinePostedAsTheUsersOwnAndEntryEmptied) {
  auto& chat = world.StartChat();
  world.desktop.SetTextOf(chat.EntryWindow(1), "half-typed words");
  ChatSend(windows, "~~ Playing Song: Artist - Title");
  EXPECT_EQ(chat.Transcript(1), "DemoUser:\t~~ Playing Song: Artist - Title\r\n");
  EXPECT_EQ(chat.EntryText(1), "");
}

TEST_F(ChatSendTest, GoesToTheFirstRoomPastWindowsThatAreNoRooms) {
  auto& chat = world.StartChat();
  chat.Drive("open Second Room");
  chat.Drive("decoys 3");
  EXPECT_EQ(FindChatRoom(windows), chat.RoomWindow(1));
  ChatSend(windows, "hello");
  EXPECT_EQ(chat.Transcript(1), "DemoUser:\thello\r\n");
  EXPECT_EQ(chat.Transcript(2), "");
}

TEST_F(ChatSendTest, ChildMissingAnyOneRoomPartIsSkipped) {
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

TEST_F(ChatSendTest, WithoutClientOrRoomNothingHappens) {
  ChatSend(windows, "lost");
  auto& chat = world.StartChat();
  world.desktop.Destroy(chat.RoomWindow(1));
  EXPECT_EQ(FindChatRoom(windows), kNoWindow);
  ChatSend(windows, "lost too");
  EXPECT_EQ(world.desktop.TextOf(chat.EntryWindow(1)), "");
}

TEST_F(ChatSendTest, RoomWithoutEntryBoxTakesNothing) {
  auto& chat = world.StartChat();
  world.desktop.Destroy(chat.EntryWindow(1));
  ChatSend(windows, "nowhere");
  EXPECT_EQ(chat.Transcript(1), "");
}

TEST_F(ChatSendTest, PumpsOnceForEveryCandidateItExamines) {
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

TEST_F(ChatSendTest, TextCrossesAsTheAnsiCodePage) {
  auto& chat = world.StartChat();
  ChatSend(windows, "café €5 ☃");
  EXPECT_EQ(chat.Transcript(1), "DemoUser:\tcafé €5 ?\r\n");
}

TEST_F(ChatSendTest, HungClientCostsOneBoundedWaitAndLosesTheLine) {
  auto& chat = world.StartChat();
  chat.Drive("hang 5000");
  const auto before = world.clock.Now();
  ChatSend(windows, "first");
  ChatSend(windows, "second");
  EXPECT_EQ(world.clock.Now() - before, platform::HungWindowGuard::kSendTimeout);
  world.clock.Advance(platform::Milliseconds(6000));
  ChatSend(windows, "third");
  EXPECT_EQ(chat.Transcript(1), "DemoUser:\tthird\r\n");
}

}  // namespace
}  // namespace tavrin::chat
