#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include "test_program.h"

namespace oriwen::testing {
namespace {

using Codes = std::vector<std::int32_t>;

TEST(LoadSettings, WithoutAFileGivesTheDefaultsAndPresetKeyboard1) {
  TestProgram t;
  ASSERT_TRUE(t.Start());
  const Settings& s = t.program->settings;
  using A = std::array<std::int32_t, 5>;
  EXPECT_EQ(s.rowPosition, (A{15, 25, 38, 46, 53}));
  EXPECT_EQ(s.rowEnabled, (A{1, 1, 1, 1, 1}));
  EXPECT_EQ(s.rowMayRaise, (A{1, 1, 1, 1, 1}));
  EXPECT_EQ(s.rowRestOnRelease, (A{0, 0, 0, 0, 0}));
  EXPECT_EQ(s.rowInstrument, (A{0, 0, 0, 0, 0}));
  EXPECT_EQ(s.mouseInstrument, 0);
  EXPECT_EQ(s.mouseRestOnRelease, 0);
  EXPECT_EQ(s.tonic, 5);
  EXPECT_EQ(s.keyboardOpen, 0);
  EXPECT_EQ(s.presetLayout, 1);
  EXPECT_EQ(s.aeroGlass, 1);
  EXPECT_EQ(s.lockKeyLights, 1);
  EXPECT_EQ(s.blockSpace, 1);
  EXPECT_EQ(s.glideSensitivity, 1);
  EXPECT_EQ(s.glideFriction, 1);
  EXPECT_EQ(s.glideEnabled, 1);
  EXPECT_EQ(s.smoothSwitch, 1);
  EXPECT_EQ(s.keyboardScroll, 1704);
  EXPECT_EQ(s.assistAreaWidth, 415);
  EXPECT_EQ(t.program->rows.keys[0].size(), 16u);
  EXPECT_EQ(t.program->rows.keys[1].size(), 18u);
  EXPECT_EQ(t.program->rows.keys[3], (Codes{65, 83, 68, 70, 71, 72, 74, 75, 76, 186, 222}));
  for (std::size_t r = 0; r < 5; ++r) {
    EXPECT_EQ(t.program->rows.downFlags[r], Codes(t.program->rows.keys[r].size(), 0));
  }
  EXPECT_FALSE(std::filesystem::exists(t.SettingsPath())) << "loading must not create the file";
}

TEST(SaveSettings, WritesThe37KeysInOrderAsGbk) {
  TestProgram t;
  ASSERT_TRUE(t.Start());
  t.Close();
  const std::string expected =
      "[按键]\r\n1=15\r\n2=25\r\n3=38\r\n4=46\r\n5=53\r\n"
      "[启用]\r\n1=1\r\n2=1\r\n3=1\r\n4=1\r\n5=1\r\n"
      "[升调]\r\n1=1\r\n2=1\r\n3=1\r\n4=1\r\n5=1\r\n"
      "[起键休止]\r\n1=0\r\n2=0\r\n3=0\r\n4=0\r\n5=0\r\n鼠标辅助=0\r\n"
      "[乐器号]\r\n1=0\r\n2=0\r\n3=0\r\n4=0\r\n5=0\r\n鼠标辅助=0\r\n"
      "[鼠标辅助]\r\n平滑切换=1\r\n滑行开启=1\r\n滑行触发灵敏度=1\r\n滑行阻力=1\r\n"
      "辅助区宽度=415\r\n琴键定位=1704\r\n琴键打开了=0\r\n"
      "[其他]\r\n屏蔽键盘灯=1\r\n屏蔽空格键=1\r\n主音=5\r\n";
  EXPECT_EQ(t.SettingsFileBytes(), Utf8ToGbk(expected));
  EXPECT_EQ(t.platform->store.writes, 37);
}

TEST(SaveSettings, KeepsCommentsUnknownKeysAndTheLayoutSection) {
  TestProgram t;
  t.WriteSettingsFile(
      "; 我的设置\r\n[其他]\r\n主音=3\r\nAero扩展=0\r\n自定义=保留\r\n\r\n"
      "[键组]\r\n使用预定=0\r\n第一排=65,66\r\n[未知]\r\nx=y\r\n");
  ASSERT_TRUE(t.Start());
  t.program->settings.tonic = 4;
  t.Close();
  std::string text = GbkToUtf8(t.SettingsFileBytes());
  EXPECT_EQ(
      text.rfind("; 我的设置\r\n[其他]\r\n主音=4\r\nAero扩展=0\r\n自定义=保留\r\n屏蔽键盘灯=1\r\n"
                 "屏蔽空格键=1\r\n\r\n[键组]\r\n使用预定=0\r\n第一排=65,66\r\n[未知]\r\nx=y\r\n",
                 0),
      0u)
      << text;
}

struct LoadCase {
  const char* name;
  const char* file;
  std::function<void(const Program&)> check;
  friend void PrintTo(const LoadCase& c, std::ostream* os) { *os << c.name; }
};

class LoadSettingsCases : public ::testing::TestWithParam<LoadCase> {};

TEST_P(LoadSettingsCases, ReadsTheFileAsTheProgramAlwaysHas) {
  TestProgram t;
  t.WriteSettingsFile(GetParam().file);
  ASSERT_TRUE(t.Start());
  GetParam().check(*t.program);
}

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, LoadSettingsCases,
    ::testing::Values(LoadCase{"PositionBelowOneBecomesOne", "[按键]\r\n3=0\r\n",
                               [](const Program& p) { EXPECT_EQ(p.settings.rowPosition[2], 1); }},
                      LoadCase{"PositionTooHighStopsAtTheLastFittingIndex", "[按键]\r\n3=99\r\n",
                               [](const Program& p) { EXPECT_EQ(p.settings.rowPosition[2], 60); }},
                      LoadCase{"UnknownPresetMeansKeyboard1", "[键组]\r\n使用预定=7\r\n",
                               [](const Program& p) { EXPECT_EQ(p.rows.keys[1].size(), 18u); }},
                      LoadCase{"Preset2", "[键组]\r\n使用预定=2\r\n",
                               [](const Program& p) {
                                 EXPECT_EQ(p.rows.keys[1].size(), 17u);
                                 EXPECT_EQ(p.rows.keys[3].back(), 13);
                                 EXPECT_EQ(p.rows.keys[2],
                                           (Codes{81, 87, 69, 82, 84, 89, 85, 73, 79, 80, 219, 221,
                                                  220, 46, 35, 34}));
                               }},
                      LoadCase{"CustomWithoutRowsGivesEmptyRows", "[键组]\r\n使用预定=0\r\n",
                               [](const Program& p) {
                                 for (const auto& row : p.rows.keys) EXPECT_TRUE(row.empty());
                                 // an empty row's position may rise up to 72
                                 EXPECT_EQ(p.settings.rowPosition[0], 15);
                               }},
                      LoadCase{"CustomRowWithEmptyPieces",
                               "[键组]\r\n使用预定=0\r\n第二排=81,87,,69,\r\n第四排=13,-13\r\n",
                               [](const Program& p) {
                                 EXPECT_EQ(p.rows.keys[1], (Codes{81, 87, 0, 69}));
                                 EXPECT_EQ(p.rows.keys[3], (Codes{13, -13}));
                                 EXPECT_EQ(p.rows.downFlags[1], (Codes{0, 0, 0, 0}));
                               }},
                      LoadCase{"OnePointZeroEnablesARowButDoesNotOpenTheKeyboard",
                               "[启用]\r\n2=1.0\r\n3=2\r\n[鼠标辅助]\r\n琴键打开了=1.0\r\n",
                               [](const Program& p) {
                                 EXPECT_EQ(p.settings.rowEnabled[1], 1);
                                 EXPECT_EQ(p.settings.rowEnabled[2], 0);
                                 EXPECT_EQ(p.settings.keyboardOpen, 0);
                               }},
                      LoadCase{"TonicOutOfRangeStaysAsRead", "[其他]\r\n主音=9\r\n",
                               [](const Program& p) { EXPECT_EQ(p.settings.tonic, 9); }},
                      LoadCase{"NamesMatchWithoutRegardToCase", "[其他]\r\naero扩展=0\r\n",
                               [](const Program& p) { EXPECT_EQ(p.settings.aeroGlass, 0); }},
                      LoadCase{"DamagedLinesAreSkippedAndTheRestReads",
                               "\xFF\xFE garbage\r\n[按键\r\n=\r\n[按键]\r\n1=abc\r\n2=30\r\n",
                               [](const Program& p) {
                                 EXPECT_EQ(p.settings.rowPosition[0], 1);
                                 EXPECT_EQ(p.settings.rowPosition[1], 30);
                               }}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(LoadSettings, ARowValueOf40CodesKeepsTheFirst35) {
  TestProgram t;
  std::string row;
  for (int i = 0; i < 40; ++i) row += std::to_string(100 + i) + ",";
  t.WriteSettingsFile("[键组]\r\n使用预定=0\r\n第三排=" + row + "\r\n");
  ASSERT_TRUE(t.Start());
  ASSERT_EQ(t.program->rows.keys[2].size(), 35u);
  EXPECT_EQ(t.program->rows.keys[2].back(), 134);
  EXPECT_EQ(t.program->settings.rowPosition[2], 37);  // 72 - 35
}

TEST(SaveSettings, AReadOnlyFileIsLeftAsItWas) {
  TestProgram t;
  t.WriteSettingsFile("[其他]\r\n主音=3\r\n");
  std::filesystem::permissions(t.SettingsPath(), std::filesystem::perms::owner_read);
  ASSERT_TRUE(t.Start());
  t.Close();
  std::filesystem::permissions(t.SettingsPath(), std::filesystem::perms::owner_all);
  EXPECT_EQ(t.SettingsFileBytes(), Utf8ToGbk("[其他]\r\n主音=3\r\n"));
}

}  // namespace
}  // namespace oriwen::testing
