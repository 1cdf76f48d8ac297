#include <gtest/gtest.h>

#include <sstream>

#include "driver_script.h"

namespace oriwen::headless {
namespace {

TEST(Driver, PlaysTheFirstKeyOfRow1AndStopsItOnRelease) {
  std::string out = RunDriver(
      "write-file 电子琴设置.ini "
      "[按键]\\r\\n1=15\\r\\n[其他]\\r\\n主音=5\\r\\n[起键休止]\\r\\n1=1\\r\\n\n"
      "start\n"
      "key-down 27\n"
      "key-up 27\n"
      "close\n");
  EXPECT_TRUE(Contains(out, "midi 91 1D 7F ch=1 note-on note=29 velocity=127")) << out;
  EXPECT_TRUE(Contains(out, "midi 81 1D 00 ch=1 note-off note=29 velocity=0")) << out;
  EXPECT_TRUE(Contains(out, "midi 81 1E 00 ch=1 note-off note=30 velocity=0")) << out;
  EXPECT_TRUE(Contains(out, "key-down 27 result=1"));
}

TEST(Driver, StartingAndClosingWritesTheSettingsFile) {
  std::string out = RunDriver(
      "file 电子琴设置.ini\n"
      "start\n"
      "window\n"
      "control 选择框_可后台\n"
      "close\n"
      "file 电子琴设置.ini\n");
  EXPECT_TRUE(Contains(out, "file 电子琴设置.ini missing")) << out;
  EXPECT_TRUE(Contains(out, "midi C1 01 ch=1 program-change program=1")) << out;
  EXPECT_NE(out.find("window MainWindow id=1 title=Oriwen电子琴 2.4"), std::string::npos) << out;
  EXPECT_NE(out.find(" client=415x68 visible=1"), std::string::npos) << out;
  EXPECT_TRUE(Contains(out,
                       "control 选择框_可后台 kind=toggle-button place=16,16 size=64x32 "
                       "text=可后台 checked=0 tag= background=E3EDF6"))
      << out;
  // 37 keys, GBK bytes: "[按键]" is 5B B0 B4 BC FC 5D.
  EXPECT_NE(out.find("file-bytes 5B B0 B4 BC FC 5D 0D 0A 31 3D 31 35 0D 0A"), std::string::npos)
      << out;
  EXPECT_TRUE(Contains(out, "file-line 主音=5")) << out;
}

TEST(Driver, ReportsASecondInstanceAndNoDevice) {
  std::string out = RunDriver(
      "start other-instance=1\n"
      "start devices=0\n");
  EXPECT_TRUE(
      Contains(out, "msgbox title=出错 text=请不要重复运行 buttons=ok icon=exclamation answer=1"));
  EXPECT_TRUE(
      Contains(out, "msgbox title=错误 text=设备初始化失败 buttons=ok icon=exclamation answer=1"));
  EXPECT_NE(out.find("exit 0\nended\n"), std::string::npos);
  EXPECT_EQ(out.find("ini-write"), std::string::npos);
}

TEST(Driver, RejectsWhatItCannotUnderstand) {
  std::ostringstream out;
  Driver driver(out);
  EXPECT_FALSE(driver.RunLine("key-down 27"));
  EXPECT_FALSE(driver.RunLine("fly away"));
  EXPECT_NE(out.str().find("error key-down: the program is not running"), std::string::npos);
  EXPECT_NE(out.str().find("error unknown command: fly"), std::string::npos);
}

}  // namespace
}  // namespace oriwen::headless
