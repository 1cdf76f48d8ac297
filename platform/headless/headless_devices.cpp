#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <sstream>

#include "platform/headless/headless_platform.h"

namespace oriwen::headless {

std::string HexBytes(std::string_view bytes) {
  std::string out;
  char buf[4];
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    std::snprintf(buf, sizeof buf, "%02X", static_cast<unsigned char>(bytes[i]));
    if (i) out += ' ';
    out += buf;
  }
  return out;
}

std::string DescribeMidi(std::uint32_t message) {
  unsigned status = message & 0xFF;
  unsigned data1 = (message >> 8) & 0xFF;
  unsigned data2 = (message >> 16) & 0xFF;
  unsigned kind = status & 0xF0;
  unsigned channel = status & 0x0F;
  char buf[96];
  if (kind == 0xC0) {
    std::snprintf(buf, sizeof buf, "%02X %02X ch=%u program-change program=%u", status, data1,
                  channel, data1);
  } else {
    const char* name = kind == 0x90 ? "note-on" : kind == 0x80 ? "note-off" : "message";
    std::snprintf(buf, sizeof buf, "%02X %02X %02X ch=%u %s note=%u velocity=%u", status, data1,
                  data2, channel, name, data1, data2);
  }
  return buf;
}

// Timers

void HeadlessTimers::SetTimerPeriod(WindowId window, std::string_view timer, int periodMs) {
  Timer& t = timers_[{window, std::string(timer)}];
  t.period = periodMs;
  t.due = now_ + periodMs;
}

int HeadlessTimers::TimerPeriod(WindowId window, std::string_view timer) const {
  auto it = timers_.find({window, std::string(timer)});
  return it == timers_.end() ? 0 : it->second.period;
}

void HeadlessTimers::Advance(std::int64_t ms, const TickHandler& onTick) {
  std::int64_t end = now_ + ms;
  for (;;) {
    // The earliest due running timer; ties go in name order.
    const std::pair<WindowId, std::string>* next = nullptr;
    std::int64_t due = end + 1;
    for (auto& [key, t] : timers_) {
      if (t.period > 0 && t.due < due) {
        due = t.due;
        next = &key;
      }
    }
    if (!next || due > end) break;
    auto key = *next;
    now_ = due;
    Timer& t = timers_[key];
    t.due = now_ + t.period;
    if (onTick) onTick(key.first, key.second);
  }
  now_ = end;
}

// MIDI

bool HeadlessMidi::Open(int deviceIndex) {
  bool ok = deviceIndex >= 0 && deviceIndex < machine_.midiDevices;
  sink_("midi-open " + std::to_string(deviceIndex) + (ok ? " ok" : " failed"));
  return ok;
}

void HeadlessMidi::SendShortMessage(std::uint32_t message) {
  sent.push_back(message);
  sink_("midi " + DescribeMidi(message));
}

// Settings store

bool HeadlessStore::WriteProfileString(std::string_view section, std::string_view key,
                                       std::string_view value, std::string_view path) {
  bool ok = ProfileFileStore::WriteProfileString(section, key, value, path);
  ++writes;
  sink_("ini-write [" + std::string(section) + "] " + std::string(key) + "=" + std::string(value) +
        (ok ? "" : " failed"));
  return ok;
}

// Process

TokenHandle HeadlessProcess::OpenSingleInstanceToken(std::string_view name) {
  if (!machine_.namedTokens.count(std::string(name))) return kNoToken;
  TokenHandle h = next_++;
  tokens_[h] = std::string(name);
  return h;
}

TokenHandle HeadlessProcess::CreateSingleInstanceToken(std::string_view name) {
  TokenHandle h = next_++;
  tokens_[h] = std::string(name);
  created_.insert(h);
  machine_.namedTokens.insert(std::string(name));
  return h;
}

void HeadlessProcess::CloseToken(TokenHandle token) {
  auto it = tokens_.find(token);
  if (it == tokens_.end()) return;
  if (created_.erase(token)) machine_.namedTokens.erase(it->second);
  tokens_.erase(it);
}

std::string HeadlessProcess::ProgramFile() {
  return machine_.programDirectory + "\\" + machine_.programFile;
}

void HeadlessProcess::EndProcess(int code) {
  ended = true;
  exitCode = code;
  sink_("exit " + std::to_string(code));
}

// Message boxes

MessageAnswer HeadlessMessages::ShowMessageBox(WindowId /*owner*/, std::string_view text,
                                               std::string_view title, MessageButtons buttons,
                                               MessageIcon icon) {
  MessageAnswer answer = buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Abort;
  if (!scriptedAnswers.empty()) {
    answer = scriptedAnswers.front();
    scriptedAnswers.pop_front();
  }
  shown.push_back({std::string(text), std::string(title), buttons, icon});
  std::ostringstream line;
  line << "msgbox title=" << title << " text=" << text
       << " buttons=" << (buttons == MessageButtons::Ok ? "ok" : "abort-retry-ignore") << " icon="
       << (icon == MessageIcon::Exclamation   ? "exclamation"
           : icon == MessageIcon::Information ? "information"
                                              : "none")
       << " answer=" << static_cast<int>(answer);
  sink_(line.str());
  return answer;
}

// Hooks

namespace {
const char* HookName(HookKind kind) {
  switch (kind) {
    case HookKind::ThreadKeyboard: return "thread-keyboard";
    case HookKind::ThreadMouse: return "thread-mouse";
    case HookKind::LowLevelKeyboard: return "low-level-keyboard";
    case HookKind::WizardLowLevelKeyboard: return "wizard-low-level-keyboard";
    case HookKind::MainWindowFilter: return "main-window-filter";
  }
  return "?";
}
}  // namespace

HookHandle HeadlessHooks::InstallHook(HookKind kind) {
  if (machine_.failingHooks.count(kind)) {
    sink_(std::string("hook-install ") + HookName(kind) + " failed");
    return kNoHook;
  }
  HookHandle h = next_++;
  installed[h] = kind;
  sink_(std::string("hook-install ") + HookName(kind) + " handle=" + std::to_string(h));
  return h;
}

void HeadlessHooks::RemoveHook(HookHandle hook) {
  auto it = installed.find(hook);
  if (it == installed.end()) return;
  sink_(std::string("hook-remove ") + HookName(it->second) + " handle=" + std::to_string(hook));
  installed.erase(it);
}

void HeadlessHooks::Forget(HookKind kind) {
  std::erase_if(installed, [kind](const auto& entry) { return entry.second == kind; });
}

bool HeadlessHooks::Installed(HookKind kind) const {
  for (const auto& [h, k] : installed) {
    if (k == kind) return true;
  }
  return false;
}

// Glass

void HeadlessGlass::MakeLayered(WindowId window, bool keepExtendedStyles) {
  if (auto* w = windows_.Get(window)) {
    w->layered = true;
    w->keepsExtendedStyles = keepExtendedStyles;
  }
  sink_("glass-layered window=" + std::to_string(window) +
        (keepExtendedStyles ? " keep-styles" : " replace-styles"));
}

void HeadlessGlass::SetLayeredColourKey(WindowId window, Colour key) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "glass-colour-key window=%d key=%06X", window, key);
  sink_(buf);
}

void HeadlessGlass::ExtendFrameIntoClientArea(WindowId window, Margins m) {
  std::ostringstream line;
  line << "glass-extend window=" << window << " margins=" << m.left << "," << m.right << ","
       << m.top << "," << m.bottom;
  sink_(line.str());
}

// Platform

Platform::Platform(Machine& m, EffectSink s)
    : machine(m),
      sink(std::move(s)),
      windows(machine, sink),
      midi(machine, sink),
      store(sink),
      process(machine, sink),
      messages(sink),
      hooks(machine, sink),
      glass(machine, windows, sink),
      desktop(windows, hooks, sink) {
  windows.onNonClientButtonDown = [this](WindowId, int hitTest) {
    desktop.SendToMainWindow({MainWindowMessageKind::NonClientButtonDown, hitTest});
  };
  windows.onDestroy = [this](WindowId window) { desktop.OnWindowDestroyed(window); };
}

Ports Platform::ports() {
  return Ports{windows, timers, midi, store, process, messages, hooks, glass};
}

TemporaryDirectory::TemporaryDirectory() {
  namespace fs = std::filesystem;
  fs::path base = fs::temp_directory_path();
  std::random_device random;
  for (int attempt = 0;; ++attempt) {
    fs::path candidate =
        base / ("oriwen-" + std::to_string(random()) + "-" + std::to_string(attempt));
    std::error_code ec;
    if (fs::create_directory(candidate, ec)) {
      path_ = candidate.string();
      return;
    }
  }
}

TemporaryDirectory::~TemporaryDirectory() {
  std::error_code ec;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ec);
  std::filesystem::remove_all(path_, ec);
}

}  // namespace oriwen::headless
