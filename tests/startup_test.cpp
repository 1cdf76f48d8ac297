#include <gtest/gtest.h>

#include "app/single_instance.h"
#include "test_program.h"

namespace oriwen::testing {
namespace {

bool Has(const std::vector<std::string>& effects, const std::string& line) {
  return std::find(effects.begin(), effects.end(), line) != effects.end();
}

TEST(Startup, SizesCentresAndSendsTheSixInstruments) {
  TestProgram t;
  ASSERT_TRUE(t.Start());
  auto& w = t.platform->windows;
  WindowId main = t.program->mainWindow;
  EXPECT_EQ(w.ClientSize(main), (Size{415, 68}));
  Rect outer = w.OuterRect(main);
  EXPECT_EQ(outer.left, (1920 - outer.Width()) / 2);
  EXPECT_EQ(outer.top, (1080 - outer.Height()) / 2);
  EXPECT_EQ(w.Get(main)->title, "Oriwen电子琴 2.4");
  EXPECT_TRUE(w.Get(main)->visible);
  EXPECT_EQ(t.Midi(), (std::vector<std::uint32_t>{Msg(0xC1, 1), Msg(0xC2, 1), Msg(0xC3, 1),
                                                  Msg(0xC4, 1), Msg(0xC5, 1), Msg(0xC6, 1)}));
  EXPECT_TRUE(Has(t.effects, "hotkey-registered window=1 id=33001 modifiers=9 key=86"));
  EXPECT_TRUE(t.platform->hooks.Installed(HookKind::ThreadKeyboard));
  // Glass on a composited system from version 6 on.
  EXPECT_TRUE(w.Get(main)->layered);
  EXPECT_EQ(w.Background(main), Rgb(227, 237, 246));
  EXPECT_EQ(w.Get(main)->Find("选择框_关于")->background, Rgb(227, 237, 246));
}

TEST(Startup, GlassNeedsVersion6CompositionAndTheOption) {
  struct Case {
    int os;
    bool composition;
    const char* file;
    bool layered;
  } cases[] = {
      {6, true, "", true},
      {5, true, "", false},
      {10, false, "", false},
      {10, true, "[其他]\r\nAero扩展=0\r\n", false},
  };
  for (const Case& c : cases) {
    headless::Machine m;
    m.osMajorVersion = c.os;
    m.composition = c.composition;
    TestProgram t(m);
    t.WriteSettingsFile(c.file);
    ASSERT_TRUE(t.Start());
    EXPECT_EQ(t.platform->windows.Get(t.program->mainWindow)->layered, c.layered) << c.os;
    EXPECT_EQ(t.program->isWindows6OrLater, c.os >= 6);
  }
}

TEST(Startup, ASecondInstanceIsRefusedAndTouchesNothing) {
  TestProgram first;
  ASSERT_TRUE(first.Start());
  first.Close();
  std::string before = first.SettingsFileBytes();

  headless::Machine m = first.machine;  // the same machine, the first still holding its token
  m.namedTokens.insert("oriwenqin2.0");
  TestProgram second(m);
  EXPECT_FALSE(second.Start());
  EXPECT_TRUE(second.platform->process.ended);
  EXPECT_EQ(second.platform->process.exitCode, 0);
  ASSERT_EQ(second.platform->messages.shown.size(), 1u);
  EXPECT_EQ(second.platform->messages.shown[0].text, "请不要重复运行");
  EXPECT_EQ(second.platform->messages.shown[0].title, "出错");
  EXPECT_EQ(second.platform->messages.shown[0].icon, MessageIcon::Exclamation);
  EXPECT_TRUE(second.Midi().empty());
  EXPECT_EQ(first.SettingsFileBytes(), before);
}

TEST(Startup, TheFirstInstanceHoldsTheTokenUntilItIsReleased) {
  headless::Machine shared;
  TestProgram first(shared);
  ASSERT_TRUE(first.Start());
  EXPECT_EQ(first.machine.namedTokens.count("oriwenqin2.0"), 1u);
  ReleaseSingleInstance(*first.program);
  EXPECT_EQ(first.machine.namedTokens.count("oriwenqin2.0"), 0u);
}

TEST(Startup, WithoutAMidiDeviceTheProgramEndsAndWritesNoFile) {
  headless::Machine m;
  m.midiDevices = 0;
  TestProgram t(m);
  EXPECT_FALSE(t.Start());
  ASSERT_EQ(t.platform->messages.shown.size(), 1u);
  EXPECT_EQ(t.platform->messages.shown[0].text, "设备初始化失败");
  EXPECT_EQ(t.platform->messages.shown[0].title, "错误");
  EXPECT_TRUE(t.platform->process.ended);
  EXPECT_FALSE(std::filesystem::exists(t.SettingsPath()));
  EXPECT_EQ(t.platform->store.writes, 0);
}

TEST(Startup, AFailedKeyboardHookIsReportedAndTheProgramRunsOn) {
  headless::Machine m;
  m.failingHooks.insert(HookKind::ThreadKeyboard);
  TestProgram t(m);
  ASSERT_TRUE(t.Start());
  ASSERT_EQ(t.platform->messages.shown.size(), 1u);
  EXPECT_EQ(t.platform->messages.shown[0].text, "键盘功能失效");
  EXPECT_EQ(t.platform->messages.shown[0].title, "错误");
  EXPECT_FALSE(t.platform->process.ended);
  t.Close();
  EXPECT_TRUE(std::filesystem::exists(t.SettingsPath()));
}

TEST(Shutdown, RemovesTheHooksThenSaves) {
  TestProgram t;
  ASSERT_TRUE(t.Start());
  t.effects.clear();
  t.Close();
  ASSERT_GE(t.effects.size(), 2u);
  EXPECT_EQ(t.effects[0], "hook-remove thread-keyboard handle=2");  // 1 is the main window filter
  EXPECT_EQ(t.effects[1].rfind("ini-write [按键] 1=15", 0), 0u);
  EXPECT_TRUE(t.platform->hooks.installed.empty());
  EXPECT_EQ(t.effects.back(), "window-destroyed 1 MainWindow");
}

}  // namespace
}  // namespace oriwen::testing
