#include <gtest/gtest.h>

#include <sstream>

#include "driver_script.h"

namespace oriwen::headless {
namespace {

TEST(DriverKeys, TypesIntoTheMainWindowAndInBackgroundModeIntoAnotherProgram) {
  std::string out = RunDriver(
      "start\n"
      "press 160\n"
      "tap 65\n"
      "release 160\n"
      "tap 32 to=main:选择框_关于\n"
      "click 选择框_可后台\n"
      "focus other\n"
      "press 65\n"
      "repeat 65 times=2\n"
      "release 65\n"
      "tap 32\n"
      "tap 13 extended\n"
      "received other\n"
      "modifiers\n"
      "close\n");
  EXPECT_TRUE(Contains(out, "midi 94 53 7F ch=4 note-on note=83 velocity=127")) << out;
  EXPECT_TRUE(Contains(out, "keystroke 65 press low-level=- thread=swallow reached=none")) << out;
  EXPECT_TRUE(Contains(out, "keystroke 160 press low-level=- thread=pass reached=main")) << out;
  EXPECT_TRUE(Contains(out, "keystroke 32 press low-level=- thread=pass reached=main:选择框_关于"));
  EXPECT_TRUE(Contains(out, "click 选择框_可后台 checked=1")) << out;
  EXPECT_TRUE(Contains(out, "hook-install low-level-keyboard handle=3")) << out;
  EXPECT_TRUE(Contains(out, "keystroke 65 repeat low-level=pass thread=- reached=other")) << out;
  EXPECT_TRUE(Contains(out, "keystroke 32 press low-level=swallow thread=- reached=none")) << out;
  EXPECT_TRUE(Contains(out, "keystroke 13 release extended low-level=pass thread=- reached=other"));
  EXPECT_NE(out.find("received other count=6\n"
                     "received-key other keydown 65\n"
                     "received-key other keydown 65\n"
                     "received-key other keydown 65\n"
                     "received-key other keyup 65\n"
                     "received-key other keydown 13\n"
                     "received-key other keyup 13\n"),
            std::string::npos)
      << out;
  EXPECT_TRUE(Contains(out, "modifiers alt=0 shift=0 space=0 filter-shift=0")) << out;
  EXPECT_TRUE(Contains(out, "hook-remove low-level-keyboard handle=3")) << out;
}

TEST(DriverKeys, ReportsARefusedBackgroundHookAndTheFrameRules) {
  std::string out = RunDriver(
      "start hook-fail=low-level\n"
      "click 选择框_可后台\n"
      "control 选择框_可后台\n"
      "frame button-down top-left\n"
      "frame syscommand 0xF001\n"
      "click 选择框_虚拟琴键\n"
      "frame button-down bottom-right\n"
      "frame double-click\n");
  EXPECT_TRUE(Contains(out,
                       "msgbox title=出错 text=安装键盘钩子时出错，请关闭相应的安全软件！ "
                       "buttons=ok icon=exclamation answer=1"))
      << out;
  EXPECT_NE(out.find("control 选择框_可后台 kind=toggle-button place=16,16 size=64x32 text=可后台 "
                     "checked=0"),
            std::string::npos)
      << out;
  EXPECT_TRUE(Contains(out, "frame nc-button-down wparam=13 consumed result=1")) << out;
  EXPECT_TRUE(Contains(out, "frame syscommand wparam=61441 passed-on")) << out;
  // With the keyboard toggle pressed (and no animation), a corner becomes its side.
  EXPECT_NE(out.find("frame-sent window=1 nc-button-down wparam=11\n"
                     "frame-default window=1 nc-button-down wparam=11\n"
                     "frame nc-button-down wparam=17 consumed result=1\n"),
            std::string::npos)
      << out;
  EXPECT_TRUE(Contains(out, "frame nc-double-click wparam=2 consumed result=1")) << out;
}

TEST(DriverKeys, RejectsUnknownWindowsAndMissingCodes) {
  std::ostringstream out;
  Driver driver(out);
  ASSERT_TRUE(driver.RunLine("start"));
  EXPECT_FALSE(driver.RunLine("press"));
  EXPECT_FALSE(driver.RunLine("focus wizard"));
  EXPECT_FALSE(driver.RunLine("tap 65 to=nowhere"));
  EXPECT_TRUE(driver.RunLine("open-stand-in wizard"));
  EXPECT_TRUE(driver.RunLine("tap 65"));
  EXPECT_NE(out.str().find("error focus: no window wizard"), std::string::npos);
  EXPECT_NE(out.str().find("keystroke 65 press low-level=- thread=pass reached=wizard"),
            std::string::npos)
      << out.str();
}

}  // namespace
}  // namespace oriwen::headless
