#include "input/foreground_key_hook.h"

#include <gtest/gtest.h>

#include "key_capture_fixture.h"

namespace oriwen::testing {
namespace {

using headless::ReceivedKey;
using Kind = MainWindowMessageKind;
constexpr int kA = 65;

TEST(ForegroundKeyHook, AHeldKeySoundsOnceAndItsRepeatsAndReleaseAreSwallowed) {
  KeyCapture k;
  ASSERT_TRUE(k.started);
  k.s().rowRestOnRelease[3] = 1;
  EXPECT_TRUE(k.Press(kA).threadSwallowed);
  EXPECT_TRUE(k.Press(kA).threadSwallowed);  // auto-repeat
  EXPECT_TRUE(k.Press(kA).threadSwallowed);
  EXPECT_TRUE(k.Release(kA).threadSwallowed);
  EXPECT_EQ(k.Midi(), (std::vector<std::uint32_t>{On(4, 82), Off(4, 82), Off(4, 83)}));
  EXPECT_TRUE(k.desktop().received.empty());
}

TEST(ForegroundKeyHook, KeysOfDisabledRowsOrOfNoRowReachTheFocusedControl) {
  KeyCapture k;
  ASSERT_TRUE(k.started);
  k.s().rowEnabled[3] = 0;
  k.Tap(kA);
  k.Tap(96);  // numeric pad 0, in no row
  EXPECT_TRUE(k.Midi().empty());
  WindowId main = k.p().mainWindow;
  EXPECT_EQ(k.ReceivedBy(main), (std::vector<ReceivedKey>{{main, "选择框_关于", Kind::KeyDown, kA},
                                                          {main, "选择框_关于", Kind::KeyUp, kA},
                                                          {main, "选择框_关于", Kind::KeyDown, 96},
                                                          {main, "选择框_关于", Kind::KeyUp, 96}}));
}

TEST(ForegroundKeyHook, KeypadEnterIsMinus13AndMainEnterIs13) {
  KeyCapture k;
  ASSERT_TRUE(k.started);
  // Row 1 from index 15 (note 29 with tonic 5): Enter, then keypad Enter.
  k.p().rows.keys[0] = {13, -13};
  k.p().rows.downFlags[0] = {0, 0};
  k.Tap(13, /*extended=*/true);
  k.Tap(13);
  EXPECT_EQ(k.Midi(), (std::vector<std::uint32_t>{On(1, 31), On(1, 29)}));
  // A row with the main Enter only does not answer to the keypad's.
  k.Midi().clear();
  k.p().rows.keys[0] = {13};
  k.p().rows.downFlags[0] = {0};
  EXPECT_FALSE(k.Press(13, true).threadSwallowed);
  EXPECT_TRUE(k.Midi().empty());
}

TEST(ForegroundKeyHook, ShiftOrTheSpaceBarHeldRaisesTheNote) {
  struct Case {
    const char* name;
    std::vector<std::pair<int, bool>> before;  // key, released
    unsigned note;
  } cases[] = {
      {"nothing held", {}, 82},
      {"left Shift", {{160, false}}, 83},
      {"right Shift", {{161, false}}, 83},
      {"space", {{32, false}}, 83},
      {"Shift released again", {{160, false}, {160, true}}, 82},
      {"Shift released while space is held", {{160, false}, {32, false}, {160, true}}, 83},
      {"space released while Shift is held", {{32, false}, {160, false}, {32, true}}, 83},
  };
  for (const Case& c : cases) {
    KeyCapture k;
    ASSERT_TRUE(k.started);
    for (auto [key, released] : c.before) released ? k.Release(key) : k.Press(key);
    k.Tap(kA);
    EXPECT_EQ(k.Midi(), (std::vector<std::uint32_t>{On(4, c.note)})) << c.name;
  }
}

TEST(ForegroundKeyHook, TheModifiersThemselvesAlwaysReachTheWindow) {
  KeyCapture k;
  ASSERT_TRUE(k.started);
  k.p().rows.keys[0] = {32, 16};  // even when a row holds them
  k.p().rows.downFlags[0] = {0, 0};
  for (int key : {32, 160, 162, 164}) {
    EXPECT_FALSE(k.Press(key).threadSwallowed) << key;
    EXPECT_FALSE(k.Release(key).threadSwallowed) << key;
  }
  EXPECT_EQ(k.ReceivedBy(k.p().mainWindow).size(), 8u);
  for (std::uint32_t m : k.Midi()) EXPECT_EQ(m & 0xF0, 0x80u);  // Ctrl's note-offs only
}

TEST(ForegroundKeyHook, AltBlocksPressesAndReleasesAndTheKeyStaysDown) {
  KeyCapture k;
  ASSERT_TRUE(k.started);
  k.Press(164);
  EXPECT_FALSE(k.Press(kA).threadSwallowed);
  EXPECT_FALSE(k.Release(kA).threadSwallowed);
  k.Release(164);
  EXPECT_TRUE(k.Midi().empty());
  // Pressed before Alt and released while it is held: the key stays down,
  // so its next press is silent until a release without Alt.
  k.Press(kA);
  k.Press(165);  // right Alt
  k.Release(kA);
  k.Release(165);
  k.Tap(kA);
  k.Tap(kA);
  EXPECT_EQ(k.Midi(), (std::vector<std::uint32_t>{On(4, 82), On(4, 82)}));
  // The window got the blocked keys as system keys.
  WindowId main = k.p().mainWindow;
  auto got = k.ReceivedBy(main);
  ASSERT_GE(got.size(), 3u);
  EXPECT_EQ(got[1], (ReceivedKey{main, "选择框_关于", Kind::SysKeyDown, kA}));
  EXPECT_EQ(got[2], (ReceivedKey{main, "选择框_关于", Kind::SysKeyUp, kA}));
}

TEST(ForegroundKeyHook, CtrlStopsEveryNoteOnPressRepeatAndReleaseAndPassesOn) {
  for (int ctrl : {162, 163}) {
    KeyCapture k;
    ASSERT_TRUE(k.started);
    k.Press(kA);
    k.Midi().clear();
    EXPECT_FALSE(k.Press(ctrl).threadSwallowed);
    EXPECT_FALSE(k.Press(ctrl).threadSwallowed);
    EXPECT_FALSE(k.Release(ctrl).threadSwallowed);
    std::vector<std::uint32_t> expected;
    for (int i = 0; i < 3; ++i) {
      auto off = EveryNoteOff();
      expected.insert(expected.end(), off.begin(), off.end());
    }
    EXPECT_EQ(k.Midi(), expected) << ctrl;
    EXPECT_EQ(k.ReceivedBy(k.p().mainWindow).size(), 3u);
  }
}

TEST(ForegroundKeyHook, KeysPlayInTheProgramsOtherWindowsToo) {
  KeyCapture k;
  ASSERT_TRUE(k.started);
  WindowId settings = k.OpenStandIn("SettingsWindow");
  k.p().settingsWindow = settings;
  k.Tap(kA);
  EXPECT_EQ(k.Midi(), (std::vector<std::uint32_t>{On(4, 82)}));
  EXPECT_TRUE(k.ReceivedBy(settings).empty());
}

TEST(ForegroundKeyHook, NothingPlaysOrChangesWhileTheWizardIsInFront) {
  KeyCapture k;
  ASSERT_TRUE(k.started);
  WindowId wizard = k.OpenStandIn("LayoutWizard");
  k.p().layoutWizard = wizard;
  k.Press(160);
  k.Press(17);
  k.Tap(kA);
  EXPECT_TRUE(k.Midi().empty());
  EXPECT_FALSE(k.p().modifiers.shiftDown);
  EXPECT_EQ(k.ReceivedBy(wizard).size(), 4u);
  // Another window of the program in front while the wizard is open: keys play.
  k.FocusButton();
  k.Tap(kA);
  EXPECT_EQ(k.Midi(), (std::vector<std::uint32_t>{On(4, 82)}));
}

TEST(ForegroundKeyHook, AnotherProgramInFrontHearsTheKeysAndNothingPlays) {
  KeyCapture k;
  ASSERT_TRUE(k.started);
  k.FocusOtherProgram();
  auto d = k.Press(kA);
  k.Release(kA);
  EXPECT_FALSE(d.threadSeen);
  EXPECT_TRUE(k.Midi().empty());
  EXPECT_EQ(k.ReceivedBy(headless::kOtherProgramWindow).size(), 2u);
}

TEST(ForegroundKeyHook, StandsAsideWhileTheBackgroundHookIsInstalled) {
  KeyCapture k;
  ASSERT_TRUE(k.started);
  k.ClickBackgroundToggle();
  k.Press(160);  // the background hook keeps the flags now
  k.p().modifiers.shiftDown = false;
  KeyEvent a{kA, false, false};
  EXPECT_EQ(ForegroundKeyHook(k.p(), {160, false, false}), HookVerdict::Pass);
  EXPECT_FALSE(k.p().modifiers.shiftDown);
  k.Midi().clear();
  EXPECT_EQ(ForegroundKeyHook(k.p(), a), HookVerdict::Pass);
  EXPECT_TRUE(k.Midi().empty());
}

TEST(ForegroundKeyHook, WithBackgroundModeAndTheMainWindowFocusedAKeySoundsOnceAndIsReleasedTwice) {
  KeyCapture k;
  ASSERT_TRUE(k.started);
  k.s().rowRestOnRelease[3] = 1;
  k.ClickBackgroundToggle();
  k.FocusMainWindowItself();
  k.Press(kA);
  k.Press(kA);
  k.Release(kA);
  // The background hook plays; the filter's key-down finds the key down and
  // its key-up sends the note-offs a second time.
  EXPECT_EQ(k.Midi(), (std::vector<std::uint32_t>{On(4, 82), Off(4, 82), Off(4, 83), Off(4, 82),
                                                  Off(4, 83)}));
  EXPECT_EQ(k.ReceivedBy(k.p().mainWindow).size(), 3u);
}

TEST(ForegroundKeyHook, WithoutTheThreadHookTheMainWindowFilterPlaysWithShiftOnly) {
  headless::Machine m;
  m.failingHooks.insert(HookKind::ThreadKeyboard);
  KeyCapture k(m);
  ASSERT_TRUE(k.started);
  // Focus on a button: nothing reaches the filter.
  k.Tap(kA);
  EXPECT_TRUE(k.Midi().empty());
  k.desktop().received.clear();
  k.FocusMainWindowItself();
  k.Tap(kA);
  k.Press(32);
  k.Tap(kA);  // space does not raise here
  k.Release(32);
  k.Press(161);
  k.Tap(kA);
  k.Release(161);
  k.Press(164);
  k.Tap(83);  // S, row 4 index 47: Alt does not block the filter
  k.Release(164);
  EXPECT_EQ(k.Midi(), (std::vector<std::uint32_t>{On(4, 82), On(4, 82), On(4, 83), On(4, 84)}));
  EXPECT_FALSE(k.p().filterShiftDown);
  // Keys are never swallowed on this path.
  EXPECT_EQ(k.ReceivedBy(k.p().mainWindow).size(), 14u);
}

TEST(ForegroundKeyHook, TheFilterGetsKeypadEnterAs13) {
  headless::Machine m;
  m.failingHooks.insert(HookKind::ThreadKeyboard);
  KeyCapture k(m);
  ASSERT_TRUE(k.started);
  k.p().rows.keys[0] = {-13, 13};
  k.p().rows.downFlags[0] = {0, 0};
  k.FocusMainWindowItself();
  k.Tap(13, /*extended=*/true);
  EXPECT_EQ(k.Midi(), (std::vector<std::uint32_t>{On(1, 31)}));
}

}  // namespace
}  // namespace oriwen::testing
