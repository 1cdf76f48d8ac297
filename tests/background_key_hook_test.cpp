#include <gtest/gtest.h>

#include "key_capture_fixture.h"

namespace oriwen::testing {
namespace {

using headless::kOtherProgramWindow;
using headless::ReceivedKey;
using Kind = MainWindowMessageKind;
constexpr int kA = 65;

// Background mode switched on with another program in front.
struct BackgroundMode : KeyCapture {
  BackgroundMode() {
    ClickBackgroundToggle();
    FocusOtherProgram();
    Midi().clear();
    t.effects.clear();
  }
  std::vector<ReceivedKey> Other() { return ReceivedBy(kOtherProgramWindow); }
};

TEST(BackgroundKeyHook, ARowKeySoundsOnceAndStillReachesTheProgramInFront) {
  BackgroundMode b;
  ASSERT_TRUE(b.started);
  b.s().rowRestOnRelease[3] = 1;
  auto d = b.Press(kA);
  EXPECT_TRUE(d.lowLevelSeen);
  EXPECT_FALSE(d.lowLevelSwallowed);
  b.Press(kA);  // auto-repeat
  b.Release(kA);
  EXPECT_EQ(b.Midi(), (std::vector<std::uint32_t>{On(4, 82), Off(4, 82), Off(4, 83)}));
  EXPECT_EQ(b.Other(), (std::vector<ReceivedKey>{{kOtherProgramWindow, "", Kind::KeyDown, kA},
                                                 {kOtherProgramWindow, "", Kind::KeyDown, kA},
                                                 {kOtherProgramWindow, "", Kind::KeyUp, kA}}));
}

TEST(BackgroundKeyHook, SwallowsTheLockKeysAndTheSpaceBarAsTheOptionsSay) {
  struct Case {
    int lockKeyLights, blockSpace, key;
    bool swallowed;
  } cases[] = {
      {1, 0, 20, true},  {1, 0, 144, true},  {1, 0, 145, true},
      {1, 0, 32, false}, {0, 1, 20, false},  {0, 1, 144, false},
      {0, 1, 32, true},  {0, 0, 145, false}, {1, 1, kA, false},
  };
  for (const Case& c : cases) {
    BackgroundMode b;
    ASSERT_TRUE(b.started);
    b.s().lockKeyLights = c.lockKeyLights;
    b.s().blockSpace = c.blockSpace;
    EXPECT_EQ(b.Press(c.key).lowLevelSwallowed, c.swallowed) << c.key;
    EXPECT_EQ(b.Release(c.key).lowLevelSwallowed, c.swallowed) << c.key;
    EXPECT_EQ(b.Other().size(), c.swallowed ? 0u : 2u) << c.key;
  }
}

TEST(BackgroundKeyHook, ASwallowedLockKeyInARowStillPlays) {
  BackgroundMode b;
  ASSERT_TRUE(b.started);
  b.s().lockKeyLights = 1;
  b.Tap(145);  // Scroll Lock, row 1 key 15: index 29
  EXPECT_EQ(b.Midi(), (std::vector<std::uint32_t>{On(1, 5 + 48)}));
  EXPECT_TRUE(b.Other().empty());
}

TEST(BackgroundKeyHook, TheOptionsAreReadAtEveryKeystroke) {
  BackgroundMode b;
  ASSERT_TRUE(b.started);
  b.s().blockSpace = 1;
  EXPECT_TRUE(b.Press(32).lowLevelSwallowed);
  b.s().blockSpace = 0;
  EXPECT_FALSE(b.Release(32).lowLevelSwallowed);
}

TEST(BackgroundKeyHook, TheSpaceBarRaisesWhetherOrNotItIsKeptFromOtherPrograms) {
  for (int block : {1, 0}) {
    BackgroundMode b;
    ASSERT_TRUE(b.started);
    b.s().blockSpace = block;
    b.Press(32);
    b.Tap(kA);
    b.Release(32);
    b.Press(161);  // right Shift
    b.Tap(83);     // S: index 47, La
    b.Release(161);
    b.Tap(kA);
    EXPECT_EQ(b.Midi(), (std::vector<std::uint32_t>{On(4, 83), On(4, 85), On(4, 82)})) << block;
    EXPECT_EQ(b.Other().size(), block ? 8u : 10u);
  }
}

TEST(BackgroundKeyHook, CtrlStopsEveryNoteOnPressRepeatAndReleaseAndPassesOn) {
  for (int ctrl : {162, 163}) {
    BackgroundMode b;
    ASSERT_TRUE(b.started);
    b.Press(ctrl);
    b.Press(ctrl);
    b.Release(ctrl);
    EXPECT_EQ(b.Midi().size(), 3u * 768u);
    EXPECT_EQ(std::vector<std::uint32_t>(b.Midi().begin(), b.Midi().begin() + 768), EveryNoteOff());
    EXPECT_EQ(b.Other().size(), 3u);
  }
}

TEST(BackgroundKeyHook, AltHeldKeysNeitherStartNorStopNotesAndEverythingPassesOn) {
  BackgroundMode b;
  ASSERT_TRUE(b.started);
  b.s().rowRestOnRelease[3] = 1;
  b.Press(83);  // S sounds before Alt
  b.Press(165);
  b.Tap(kA);
  b.Release(83);
  b.Release(165);
  EXPECT_EQ(b.Midi(), (std::vector<std::uint32_t>{On(4, 84)}));
  EXPECT_EQ(b.Other().size(), 6u);
}

TEST(BackgroundKeyHook, KeypadEnterPlaysMinus13AndMainEnterPlays13) {
  BackgroundMode b;
  ASSERT_TRUE(b.started);
  b.p().rows.keys[0] = {13, -13};
  b.p().rows.downFlags[0] = {0, 0};
  b.Tap(13, /*extended=*/true);
  b.Tap(13);
  EXPECT_EQ(b.Midi(), (std::vector<std::uint32_t>{On(1, 31), On(1, 29)}));
}

TEST(BackgroundKeyHook, SwitchingOnClearsTheModifiersUntilTheirNextPress) {
  KeyCapture k;
  ASSERT_TRUE(k.started);
  k.Press(160);  // Shift held, seen by the foreground hook
  k.ClickBackgroundToggle();
  EXPECT_FALSE(k.p().modifiers.shiftDown);
  k.Tap(kA);
  k.Press(160);  // Shift's auto-repeat
  k.Tap(kA);
  EXPECT_EQ(k.Midi(), (std::vector<std::uint32_t>{On(4, 82), On(4, 83)}));
}

TEST(BackgroundKeyHook, SwitchingOffHandsTheNextKeyToTheForegroundHookWithTheFlagsAsLeft) {
  BackgroundMode b;
  ASSERT_TRUE(b.started);
  b.Press(160);
  b.FocusButton();
  b.ClickBackgroundToggle();
  EXPECT_EQ(b.p().backgroundKeyHook, kNoHook);
  EXPECT_FALSE(b.t.platform->hooks.Installed(HookKind::LowLevelKeyboard));
  auto d = b.Press(kA);
  EXPECT_FALSE(d.lowLevelSeen);
  EXPECT_TRUE(d.threadSwallowed);
  EXPECT_EQ(b.Midi(), (std::vector<std::uint32_t>{On(4, 83)}));
}

TEST(BackgroundKeyHook, ARefusedInstallReleasesTheToggleAndTellsTheUserOnce) {
  headless::Machine m;
  m.failingHooks.insert(HookKind::LowLevelKeyboard);
  KeyCapture k(m);
  ASSERT_TRUE(k.started);
  k.ClickBackgroundToggle();
  EXPECT_FALSE(k.t.platform->windows.Checked(k.p().mainWindow, kBackgroundToggle));
  EXPECT_EQ(k.p().backgroundKeyHook, kNoHook);
  const auto& shown = k.t.platform->messages.shown;
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, "安装键盘钩子时出错，请关闭相应的安全软件！");
  EXPECT_EQ(shown[0].title, "出错");
  EXPECT_EQ(shown[0].icon, MessageIcon::Exclamation);
  EXPECT_EQ(shown[0].buttons, MessageButtons::Ok);
  // Foreground play goes on.
  EXPECT_TRUE(k.Press(kA).threadSwallowed);
  EXPECT_EQ(k.Midi(), (std::vector<std::uint32_t>{On(4, 82)}));
}

TEST(BackgroundKeyHook, ShutDownRemovesItBeforeTheThreadHook) {
  KeyCapture k;
  ASSERT_TRUE(k.started);
  k.ClickBackgroundToggle();
  k.t.effects.clear();
  k.t.Close();
  ASSERT_GE(k.t.effects.size(), 2u);
  EXPECT_EQ(k.t.effects[0], "hook-remove low-level-keyboard handle=3");
  EXPECT_EQ(k.t.effects[1], "hook-remove thread-keyboard handle=2");
  EXPECT_TRUE(k.t.platform->hooks.installed.empty());
}

}  // namespace
}  // namespace oriwen::testing
