#include "app/main_window_layout.h"

#include <array>

namespace oriwen {
namespace {

using K = ControlKind;

// Controls at negative coordinates are off-screen helper surfaces.
constexpr std::array<ControlSpec, 21> kControls = {{
    {"选择框_可后台", K::ToggleButton, 16, 16, 64, 32, "可后台"},
    {"选择框_基本设置", K::ToggleButton, 80, 16, 64, 32, "基本设置"},
    {"选择框_键位设置", K::ToggleButton, 144, 16, 64, 32, "键位设置"},
    {"选择框_隐藏窗口", K::ToggleButton, 208, 16, 64, 32, "隐藏窗口"},
    {"选择框_虚拟琴键", K::ToggleButton, 272, 16, 64, 32, "虚拟琴键"},
    {"选择框_关于", K::ToggleButton, 336, 16, 64, 32, "关于"},
    {"选择框_琴键加长", K::ToggleButton, 456, 72, 24, 32, "→"},
    {"选择框_琴键缩短", K::ToggleButton, 456, 104, 24, 32, "←"},
    {"画板_用户区", K::Canvas, 24, 72, 432, 72, ""},
    {"画板_全键", K::Canvas, -2000, -2000, 1704, 72, ""},
    {"画板_样板", K::Canvas, -2000, -2000, 168, 72, ""},
    {"画板_备份", K::Canvas, -2000, -2000, 1704, 72, ""},
    {"画板_染色用", K::Canvas, -999, -999, 24, 72, ""},
    {"时钟_琴键拖动", K::Timer, 0, 0, 0, 0, ""},
    {"时钟_琴键滑行", K::Timer, 0, 0, 0, 0, ""},
    {"时钟_琴键展开", K::Timer, 0, 0, 0, 0, ""},
    {"时钟_琴键收起", K::Timer, 0, 0, 0, 0, ""},
    {"时钟_琴键变长变短", K::Timer, 0, 0, 0, 0, ""},
    {"标签1", K::Label, -99, -99, 32, 16, ""},
    {"托盘图标1", K::TrayIcon, 0, 0, 0, 0, "Oriwen电子琴 2.4"},
    {"MIDI演奏1", K::MidiComponent, 0, 0, 0, 0, ""},
}};

constexpr std::array<std::string_view, 8> kToggleButtons = {
    "选择框_可后台",   "选择框_基本设置", "选择框_键位设置", "选择框_隐藏窗口",
    "选择框_虚拟琴键", "选择框_关于",     "选择框_琴键加长", "选择框_琴键缩短"};

const WindowLayout kLayout = {"MainWindow", kMainWindowTitle, 510, 198, kControls};

}  // namespace

const WindowLayout& MainWindowLayout() { return kLayout; }

const ControlSpec* FindControl(const WindowLayout& layout, std::string_view name) {
  for (const ControlSpec& control : layout.controls) {
    if (control.name == name) return &control;
  }
  return nullptr;
}

std::span<const std::string_view> MainWindowToggleButtons() { return kToggleButtons; }

}  // namespace oriwen
