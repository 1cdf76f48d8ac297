#include <gtest/gtest.h>

#include "key_capture_fixture.h"

namespace oriwen::testing {
namespace {

using Kind = MainWindowMessageKind;

enum class Keyboard { Closed, Steady, Opening, Closing };

struct FrameCase {
  const char* name;
  Keyboard keyboard;
  MainWindowMessage message;
  bool consumed;
  int sizingDragAt;  // hit-test code the system's sizing drag starts at; 0: none
};

void SetKeyboard(KeyCapture& k, Keyboard state) {
  WindowId main = k.p().mainWindow;
  k.t.platform->windows.SetChecked(main, "选择框_虚拟琴键", state != Keyboard::Closed);
  k.t.platform->timers.SetTimerPeriod(main, "时钟_琴键展开", state == Keyboard::Opening ? 10 : 0);
  k.t.platform->timers.SetTimerPeriod(main, "时钟_琴键收起", state == Keyboard::Closing ? 10 : 0);
}

TEST(MainWindowFilter, SizesTheWindowOnlySidewaysAndOnlyWhileTheKeyboardIsOpenAndStill) {
  using K = Keyboard;
  const FrameCase cases[] = {
      {"caption double click", K::Steady, {Kind::NonClientDoubleClick, 2}, true, 0},
      {"caption double click, closed", K::Closed, {Kind::NonClientDoubleClick, 2}, true, 0},
      {"top border", K::Steady, {Kind::NonClientButtonDown, kHitTop}, true, 0},
      {"bottom border", K::Steady, {Kind::NonClientButtonDown, kHitBottom}, true, 0},
      {"left border", K::Steady, {Kind::NonClientButtonDown, kHitLeft}, false, kHitLeft},
      {"right border", K::Steady, {Kind::NonClientButtonDown, kHitRight}, false, kHitRight},
      {"top-left corner", K::Steady, {Kind::NonClientButtonDown, kHitTopLeft}, true, kHitLeft},
      {"bottom-left corner",
       K::Steady,
       {Kind::NonClientButtonDown, kHitBottomLeft},
       true,
       kHitLeft},
      {"top-right corner", K::Steady, {Kind::NonClientButtonDown, kHitTopRight}, true, kHitRight},
      {"bottom-right corner",
       K::Steady,
       {Kind::NonClientButtonDown, kHitBottomRight},
       true,
       kHitRight},
      {"left border, closed", K::Closed, {Kind::NonClientButtonDown, kHitLeft}, true, 0},
      {"right border, closed", K::Closed, {Kind::NonClientButtonDown, kHitRight}, true, 0},
      {"corner, closed", K::Closed, {Kind::NonClientButtonDown, kHitBottomRight}, true, 0},
      {"left border, opening", K::Opening, {Kind::NonClientButtonDown, kHitLeft}, true, 0},
      {"corner, closing", K::Closing, {Kind::NonClientButtonDown, kHitTopLeft}, true, 0},
      {"caption press", K::Closed, {Kind::NonClientButtonDown, 2}, false, 0},
      {"menu Size, open", K::Steady, {Kind::SysCommand, kSysCommandSize}, true, 0},
      {"menu Size, closed", K::Closed, {Kind::SysCommand, kSysCommandSize}, true, 0},
      {"sizing from a border drag", K::Closed, {Kind::SysCommand, kSysCommandSize + 1}, false, 0},
      {"another message", K::Closed, {Kind::Other, 0}, false, 0},
  };
  for (const FrameCase& c : cases) {
    KeyCapture k;
    ASSERT_TRUE(k.started);
    SetKeyboard(k, c.keyboard);
    k.t.effects.clear();
    FilterVerdict v = k.desktop().SendToMainWindow(c.message);
    EXPECT_EQ(v.consumed, c.consumed) << c.name;
    if (v.consumed) {
      EXPECT_EQ(v.result, 1) << c.name;
    }
    std::string drag;
    for (const std::string& e : k.t.effects) {
      if (e.rfind("frame-default", 0) == 0 && e.find("nc-button-down") != std::string::npos &&
          e != "frame-default window=1 nc-button-down wparam=2") {
        drag = e;
      }
    }
    std::string expected = c.sizingDragAt ? "frame-default window=1 nc-button-down wparam=" +
                                                std::to_string(c.sizingDragAt)
                                          : "";
    EXPECT_EQ(drag, expected) << c.name;
  }
}

TEST(MainWindowFilter, HasItsOwnShiftFlagAndNeverSwallowsAKey) {
  KeyCapture k;
  ASSERT_TRUE(k.started);
  EXPECT_FALSE(MainWindowFilter(k.p(), {Kind::KeyDown, 16}).consumed);
  EXPECT_TRUE(k.p().filterShiftDown);
  EXPECT_FALSE(k.p().modifiers.shiftDown);
  EXPECT_FALSE(MainWindowFilter(k.p(), {Kind::SysKeyDown, 65}).consumed);
  EXPECT_FALSE(MainWindowFilter(k.p(), {Kind::SysKeyUp, 16}).consumed);
  EXPECT_FALSE(k.p().filterShiftDown);
  EXPECT_FALSE(MainWindowFilter(k.p(), {Kind::KeyUp, 65}).consumed);
  EXPECT_EQ(k.Midi(), (std::vector<std::uint32_t>{On(4, 83)}));
}

}  // namespace
}  // namespace oriwen::testing
