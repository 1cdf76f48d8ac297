#pragma once
#include <gtest/gtest.h>

#include "input/background_key_hook.h"
#include "test_program.h"

namespace oriwen::testing {

// A started program with the preset layout whose keys arrive through the
// headless desktop, the main window in front with the focus on a button
// (so that only the hooks play), and the start-up messages cleared.
// Row 4 holds A (65) at table index 46: note 82 on channel 4, raised 83.
struct KeyCapture {
  explicit KeyCapture(headless::Machine machine = {}) : t(std::move(machine)) {
    t.platform->desktop.Attach(*t.program);
    started = t.Start();
    FocusButton();
    t.Midi().clear();
    t.effects.clear();
  }
  Program& p() { return *t.program; }
  Settings& s() { return t.program->settings; }
  headless::HeadlessDesktop& desktop() { return t.platform->desktop; }
  std::vector<std::uint32_t>& Midi() { return t.Midi(); }

  void FocusButton() { Focus(p().mainWindow, "选择框_关于"); }
  void FocusMainWindowItself() { Focus(p().mainWindow, ""); }
  void FocusOtherProgram() { Focus(headless::kOtherProgramWindow, ""); }
  void Focus(WindowId window, std::string control) {
    t.platform->windows.foreground = window;
    t.platform->windows.focusedControl = std::move(control);
  }
  headless::KeyDelivery Press(int code, bool extended = false) {
    return desktop().Press(code, extended);
  }
  headless::KeyDelivery Release(int code, bool extended = false) {
    return desktop().Release(code, extended);
  }
  void Tap(int code, bool extended = false) {
    Press(code, extended);
    Release(code, extended);
  }
  // Clicks 选择框_可后台 as the user does: the box changes, then its handler runs.
  void ClickBackgroundToggle() {
    auto& w = t.platform->windows;
    w.SetChecked(p().mainWindow, kBackgroundToggle, !w.Checked(p().mainWindow, kBackgroundToggle));
    OnBackgroundToggleClick(p());
  }
  // A bare window of the program standing in for one not built yet.
  WindowId OpenStandIn(std::string_view name) {
    static const WindowLayout kWizard{"LayoutWizard", "", 400, 300, {}};
    static const WindowLayout kSettings{"SettingsWindow", "", 400, 300, {}};
    auto& w = t.platform->windows;
    WindowId id = w.CreateFromLayout(name == "LayoutWizard" ? kWizard : kSettings, p().mainWindow);
    w.Show(id);
    return id;
  }
  std::vector<headless::ReceivedKey> ReceivedBy(WindowId window) {
    return desktop().ReceivedBy(window);
  }

  TestProgram t;
  bool started = false;
};

inline std::uint32_t On(unsigned channel, unsigned note) { return Msg(0x90 + channel, note, 127); }
inline std::uint32_t Off(unsigned channel, unsigned note) { return Msg(0x80 + channel, note); }

// The 768 note-offs of AllNotesOff.
inline std::vector<std::uint32_t> EveryNoteOff() {
  std::vector<std::uint32_t> v;
  for (unsigned note = 0; note < 128; ++note) {
    for (unsigned channel = 1; channel <= 6; ++channel) v.push_back(Off(channel, note));
  }
  return v;
}

}  // namespace oriwen::testing
