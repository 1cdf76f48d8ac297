#include "settings/settings_file.h"

#include <array>
#include <string>

#include "app/main_window_layout.h"
#include "app/program.h"
#include "settings/number_text.h"
#include "settings/preset_layouts.h"
#include "settings/row_value.h"

namespace oriwen {
namespace {

constexpr std::array<std::string_view, 5> kRowKeys = {"1", "2", "3", "4", "5"};
constexpr std::array<std::string_view, 5> kRowValueKeys = {"第一排", "第二排", "第三排", "第四排",
                                                           "第五排"};
constexpr std::array<std::string_view, 5> kDefaultPositions = {"15", "25", "38", "46", "53"};
constexpr std::string_view kMouse = "鼠标辅助";

std::int32_t ReadInteger(Program& p, std::string_view section, std::string_view key,
                         std::string_view def) {
  return TextToInteger(ReadSetting(p, section, key, def));
}

std::int32_t ReadBoolean(Program& p, std::string_view section, std::string_view key,
                         std::string_view def) {
  return TextToBoolean(ReadSetting(p, section, key, def));
}

void ReadRowBooleans(Program& p, std::string_view section, std::string_view def,
                     std::array<std::int32_t, 5>& field) {
  for (std::size_t r = 0; r < 5; ++r) field[r] = ReadBoolean(p, section, kRowKeys[r], def);
}

void WriteInteger(Program& p, std::string_view section, std::string_view key, std::int32_t value) {
  WriteSetting(p, section, key, std::to_string(value));
}

void WriteBoolean(Program& p, std::string_view section, std::string_view key, std::int32_t value) {
  WriteSetting(p, section, key, value != 0 ? "1" : "0");
}

void WriteRowIntegers(Program& p, std::string_view section,
                      const std::array<std::int32_t, 5>& field) {
  for (std::size_t r = 0; r < 5; ++r) WriteInteger(p, section, kRowKeys[r], field[r]);
}

void WriteRowBooleans(Program& p, std::string_view section,
                      const std::array<std::int32_t, 5>& field) {
  for (std::size_t r = 0; r < 5; ++r) WriteBoolean(p, section, kRowKeys[r], field[r]);
}

void LoadKeyRows(Program& p) {
  Settings& s = p.settings;
  if (s.presetLayout == 0) {
    std::array<std::string, 5> texts;
    for (std::size_t r = 0; r < 5; ++r) texts[r] = ReadSetting(p, "键组", kRowValueKeys[r], "");
    for (std::size_t r = 0; r < 5; ++r) {
      for (std::int32_t code : ParseRowValue(texts[r])) p.rows.keys[r].push_back(code);
    }
    return;
  }
  int keyboard = s.presetLayout == 2 ? 2 : 1;
  for (int row = 1; row <= 5; ++row) {
    auto preset = PresetRow(keyboard, row);
    p.rows.keys[static_cast<std::size_t>(row - 1)].assign(preset.begin(), preset.end());
  }
}

}  // namespace

std::string SettingsFilePath(Program& program) {
  return program.ports.process.ProgramDirectory() + "\\" + std::string(kSettingsFileName);
}

std::string ReadSetting(Program& program, std::string_view section, std::string_view key,
                        std::string_view defaultText) {
  return program.ports.store.ReadProfileString(section, key, defaultText, SettingsFilePath(program),
                                               kProfileBufferSize);
}

bool WriteSetting(Program& program, std::string_view section, std::string_view key,
                  std::string_view value) {
  return program.ports.store.WriteProfileString(section, key, value, SettingsFilePath(program));
}

void LoadSettings(Program& p) {
  Settings& s = p.settings;
  // Only the exact text "1" opens the keyboard.
  s.keyboardOpen = ReadSetting(p, kMouse, "琴键打开了", "0") == "1" ? 1 : 0;
  s.assistAreaWidth = ReadInteger(p, kMouse, "辅助区宽度", "415");
  s.presetLayout = ReadInteger(p, "键组", "使用预定", "1");
  LoadKeyRows(p);
  s.lockKeyLights = ReadBoolean(p, "其他", "屏蔽键盘灯", "1");
  s.blockSpace = ReadBoolean(p, "其他", "屏蔽空格键", "1");
  s.aeroGlass = ReadBoolean(p, "其他", "Aero扩展", "1");
  for (std::size_t r = 0; r < 5; ++r) p.rows.downFlags[r].assign(p.rows.keys[r].size(), 0);
  for (std::size_t r = 0; r < 5; ++r) {
    s.rowPosition[r] = ReadInteger(p, "按键", kRowKeys[r], kDefaultPositions[r]);
  }
  for (std::size_t r = 0; r < 5; ++r) {
    if (s.rowPosition[r] < 1) s.rowPosition[r] = 1;
  }
  for (std::size_t r = 0; r < 5; ++r) {
    auto highest = 72 - static_cast<std::int32_t>(p.rows.keys[r].size());
    if (s.rowPosition[r] > highest) s.rowPosition[r] = highest;
  }
  ReadRowBooleans(p, "启用", "1", s.rowEnabled);
  ReadRowBooleans(p, "升调", "1", s.rowMayRaise);
  ReadRowBooleans(p, "起键休止", "0", s.rowRestOnRelease);
  s.mouseRestOnRelease = ReadBoolean(p, "起键休止", kMouse, "0");
  for (std::size_t r = 0; r < 5; ++r)
    s.rowInstrument[r] = ReadInteger(p, "乐器号", kRowKeys[r], "0");
  s.mouseInstrument = ReadInteger(p, "乐器号", kMouse, "0");
  s.smoothSwitch = ReadBoolean(p, kMouse, "平滑切换", "1");
  s.glideEnabled = ReadBoolean(p, kMouse, "滑行开启", "1");
  s.glideSensitivity = ReadInteger(p, kMouse, "滑行触发灵敏度", "1");
  s.glideFriction = ReadInteger(p, kMouse, "滑行阻力", "1");
  const ControlSpec* fullKeyboard = FindControl(MainWindowLayout(), "画板_全键");
  s.keyboardScroll = ReadInteger(p, kMouse, "琴键定位", std::to_string(fullKeyboard->width));
  s.tonic = ReadInteger(p, "其他", "主音", "5");
}

void SaveSettings(Program& p) {
  const Settings& s = p.settings;
  WriteRowIntegers(p, "按键", s.rowPosition);
  WriteRowBooleans(p, "启用", s.rowEnabled);
  WriteRowBooleans(p, "升调", s.rowMayRaise);
  WriteRowBooleans(p, "起键休止", s.rowRestOnRelease);
  WriteBoolean(p, "起键休止", kMouse, s.mouseRestOnRelease);
  WriteRowIntegers(p, "乐器号", s.rowInstrument);
  WriteInteger(p, "乐器号", kMouse, s.mouseInstrument);
  WriteBoolean(p, kMouse, "平滑切换", s.smoothSwitch);
  WriteBoolean(p, kMouse, "滑行开启", s.glideEnabled);
  WriteInteger(p, kMouse, "滑行触发灵敏度", s.glideSensitivity);
  WriteInteger(p, kMouse, "滑行阻力", s.glideFriction);
  WriteInteger(p, kMouse, "辅助区宽度", s.assistAreaWidth);
  WriteInteger(p, kMouse, "琴键定位", s.keyboardScroll);
  WriteBoolean(p, kMouse, "琴键打开了", s.keyboardOpen);
  WriteBoolean(p, "其他", "屏蔽键盘灯", s.lockKeyLights);
  WriteBoolean(p, "其他", "屏蔽空格键", s.blockSpace);
  WriteInteger(p, "其他", "主音", s.tonic);
}

}  // namespace oriwen
