#include <gtest/gtest.h>

#include <optional>

#include "shell/main_frm.h"
#include "shell/tray_icon.h"
#include "shell_world.h"
#include "sim/sim_tray.h"

namespace tavrin::shell {
namespace {

using platform::IconRecord;
using platform::TrayCommand;

TEST(TrayIconRecord, AddFillsTheFirstVersionRecord) {
  sim::SimTray tray;
  TrayIcon icon(tray);
  icon.TrayAdd(0x1234, "Tavrin: Playing - Artist - Title", 0x99);
  const IconRecord& record = icon.Record();
  EXPECT_EQ(record.size, 88u);
  EXPECT_EQ(record.window, 0x1234u);
  EXPECT_EQ(record.id, 1u);
  EXPECT_EQ(record.flags, 7u);
  EXPECT_EQ(record.callbackMessage, 512u);
  EXPECT_EQ(record.icon, 0x99u);
  EXPECT_EQ(record.tip, "Tavrin: Playing - Artist - Title");
  ASSERT_EQ(tray.Calls().size(), 1u);
  EXPECT_EQ(tray.Calls()[0].command, TrayCommand::kAdd);
  EXPECT_TRUE(tray.Shows(0x1234, 1));
}

TEST(TrayIconRecord, TipKeepsAtMost63CharactersSoItsEndFits) {
  sim::SimTray tray;
  TrayIcon icon(tray);
  const std::string fits(63, 't');
  icon.TrayAdd(1, fits, 0);
  EXPECT_EQ(icon.Record().tip, fits);
  icon.TrayAdd(1, fits + "xyz", 0);
  EXPECT_EQ(icon.Record().tip, fits);
  // Characters, not bytes: a name with accents is not cut inside a letter.
  const std::string accented = std::string(62, 'a') + "éé";
  icon.TrayAdd(1, accented, 0);
  EXPECT_EQ(icon.Record().tip, std::string(62, 'a') + "é");
}

TEST(TrayIconRecord, RemoveHandsTheSameRecordBackAndIsHarmlessTwice) {
  sim::SimTray tray;
  TrayIcon icon(tray);
  icon.TrayRemove();
  icon.TrayAdd(7, "tip", 3);
  icon.TrayRemove();
  icon.TrayRemove();
  EXPECT_EQ(tray.IconCount(), 0u);
  ASSERT_EQ(tray.Calls().size(), 4u);
  const IconRecord& added = tray.Calls()[1].record;
  for (const std::size_t call : {2u, 3u}) {
    const IconRecord& removed = tray.Calls()[call].record;
    EXPECT_EQ(tray.Calls()[call].command, TrayCommand::kDelete);
    EXPECT_EQ(removed.size, added.size);
    EXPECT_EQ(removed.window, added.window);
    EXPECT_EQ(removed.id, added.id);
    EXPECT_EQ(removed.flags, added.flags);
    EXPECT_EQ(removed.callbackMessage, added.callbackMessage);
    EXPECT_EQ(removed.icon, added.icon);
    EXPECT_EQ(removed.tip, added.tip);
  }
  EXPECT_EQ(icon.Record().window, 7u) << "the record stays filled";
}

// The sim shell's notification area, and the record of the icon it shows:
// the one of the last add it took.
struct WatchedShell : platform::Tray {
  sim::SimTray shell;
  std::optional<IconRecord> shown;

  bool Notify(TrayCommand command, const IconRecord& record) override {
    const bool taken = shell.Notify(command, record);
    if (taken && command == TrayCommand::kAdd) shown = record;
    if (taken && command == TrayCommand::kDelete) shown.reset();
    return taken;
  }
};

TEST(TrayIconRecord, SecondAddKeepsTheFirstTip) {
  WatchedShell tray;
  TrayIcon icon(tray);
  icon.TrayAdd(7, "first", 3);
  icon.TrayAdd(7, "second", 3);
  EXPECT_EQ(tray.shell.IconCount(), 1u);
  ASSERT_TRUE(tray.shown.has_value());
  EXPECT_EQ(tray.shown->tip, "first");
}

TEST(TrayIconShell, IconShownBeforeAShellRestartIsShownAgain) {
  testing::ShellWorld world;
  world.StartToMainWindow();
  auto& main = world.Form("MainFRM");
  main.ShellRestarted();
  EXPECT_EQ(world.tray.IconCount(), 0u) << "no icon was shown";
  world.program.Tray().TrayAdd(main.Handle(), "Tavrin: Playing - X", main.Icon());
  world.tray.Restart();
  main.ShellRestarted();
  EXPECT_TRUE(world.tray.Shows(main.Handle(), 1));
  EXPECT_EQ(world.tray.Calls().back().record.tip, "Tavrin: Playing - X");
  world.program.Tray().TrayRemove();
  world.tray.Restart();
  main.ShellRestarted();
  EXPECT_EQ(world.tray.IconCount(), 0u);
}

}  // namespace
}  // namespace tavrin::shell
