#pragma once
#include "platform/window_port.h"

namespace oriwen {

inline constexpr std::string_view kMainWindowTitle = "Oriwen电子琴 2.4";
inline constexpr int kHotKeyId = 33001;

const WindowLayout& MainWindowLayout();
// A control of a layout as laid out (the first of that name).
const ControlSpec* FindControl(const WindowLayout& layout, std::string_view name);

// The eight toggle buttons of the main window, left to right and top to bottom.
std::span<const std::string_view> MainWindowToggleButtons();

}  // namespace oriwen
