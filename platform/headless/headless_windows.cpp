#include <algorithm>
#include <sstream>

#include "platform/headless/headless_platform.h"

namespace oriwen::headless {

ControlRecord* WindowRecord::Find(std::string_view control) {
  for (auto& c : controls) {
    if (c.layout.name == control) return &c;
  }
  return nullptr;
}

const ControlRecord* WindowRecord::Find(std::string_view control) const {
  return const_cast<WindowRecord*>(this)->Find(control);
}

WindowId HeadlessWindows::CreateFromLayout(const WindowLayout& layout, WindowId owner) {
  WindowId id = next_++;
  WindowRecord record;
  record.name = std::string(layout.name);
  record.title = std::string(layout.title);
  record.owner = owner;
  record.outer = {0, 0, layout.width, layout.height};
  for (const ControlSpec& laidOut : layout.controls) {
    ControlRecord control;
    control.layout = laidOut;
    control.text = std::string(laidOut.text);
    record.controls.push_back(std::move(control));
  }
  windows_[id] = std::move(record);
  sink_("window-created " + std::to_string(id) + " " + windows_[id].name);
  return id;
}

void HeadlessWindows::Destroy(WindowId window) {
  auto it = windows_.find(window);
  if (it == windows_.end()) return;
  if (onDestroy) onDestroy(window);
  sink_("window-destroyed " + std::to_string(window) + " " + it->second.name);
  if (foreground == window) {
    foreground = Exists(it->second.owner) ? it->second.owner : kNoWindow;
    focusedControl.clear();
  }
  windows_.erase(it);
}

bool HeadlessWindows::Exists(WindowId window) const { return windows_.count(window) != 0; }

void HeadlessWindows::Show(WindowId window) {
  if (auto* w = Get(window)) {
    w->visible = true;
    foreground = window;
    focusedControl.clear();
  }
}

WindowId HeadlessWindows::ForegroundWindow() const {
  return Exists(foreground) ? foreground : kNoWindow;
}

void HeadlessWindows::SendNonClientButtonDown(WindowId window, int hitTest) {
  sink_("frame-sent window=" + std::to_string(window) + " " +
        MessageName(MainWindowMessageKind::NonClientButtonDown) +
        " wparam=" + std::to_string(hitTest));
  if (onNonClientButtonDown) onNonClientButtonDown(window, hitTest);
}

Rect HeadlessWindows::OuterRect(WindowId window) const {
  const auto* w = Get(window);
  return w ? w->outer : Rect{};
}

Size HeadlessWindows::ClientSize(WindowId window) const {
  const auto* w = Get(window);
  if (!w) return {};
  const Rect& f = machine_.frame;
  return {std::max(0, w->outer.Width() - f.left - f.right),
          std::max(0, w->outer.Height() - f.top - f.bottom)};
}

void HeadlessWindows::SetOuterRect(WindowId window, Rect rect) {
  auto* w = Get(window);
  if (!w) return;
  const Rect& f = machine_.frame;
  int width = std::max(rect.Width(), f.left + f.right);
  if (machine_.largestOuterWidth > 0) width = std::min(width, machine_.largestOuterWidth);
  int height = std::max(rect.Height(), f.top + f.bottom);
  w->outer = {rect.left, rect.top, rect.left + width, rect.top + height};
}

Size HeadlessWindows::ScreenSize() const { return machine_.screen; }

void HeadlessWindows::SetBackground(WindowId window, Colour colour) {
  if (auto* w = Get(window)) w->background = colour;
}

Colour HeadlessWindows::Background(WindowId window) const {
  const auto* w = Get(window);
  return w ? w->background : 0;
}

void HeadlessWindows::SetChecked(WindowId window, std::string_view control, bool checked) {
  if (auto* w = Get(window)) {
    if (auto* c = w->Find(control)) c->checked = checked;
  }
}

bool HeadlessWindows::Checked(WindowId window, std::string_view control) const {
  const auto* w = Get(window);
  const auto* c = w ? w->Find(control) : nullptr;
  return c && c->checked;
}

void HeadlessWindows::SetTag(WindowId window, std::string_view control, std::string tag) {
  if (auto* w = Get(window)) {
    if (auto* c = w->Find(control)) c->tag = std::move(tag);
  }
}

std::string HeadlessWindows::Tag(WindowId window, std::string_view control) const {
  const auto* w = Get(window);
  const auto* c = w ? w->Find(control) : nullptr;
  return c ? c->tag : std::string();
}

void HeadlessWindows::SetControlBackground(WindowId window, std::string_view control,
                                           Colour colour) {
  if (auto* w = Get(window)) {
    if (auto* c = w->Find(control)) {
      c->background = colour;
      c->hasBackground = true;
    }
  }
}

bool HeadlessWindows::RegisterHotKey(WindowId window, int id, int modifiers, int virtualKey) {
  std::ostringstream line;
  line << "hotkey-registered window=" << window << " id=" << id << " modifiers=" << modifiers
       << " key=" << virtualKey;
  sink_(line.str());
  return true;
}

WindowRecord* HeadlessWindows::Get(WindowId window) {
  auto it = windows_.find(window);
  return it == windows_.end() ? nullptr : &it->second;
}

const WindowRecord* HeadlessWindows::Get(WindowId window) const {
  auto it = windows_.find(window);
  return it == windows_.end() ? nullptr : &it->second;
}

WindowId HeadlessWindows::FindByName(std::string_view name) const {
  for (const auto& [id, w] : windows_) {
    if (w.name == name) return id;
  }
  return kNoWindow;
}

}  // namespace oriwen::headless
