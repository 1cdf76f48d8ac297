#include "platform/headless/driver.h"

#include <filesystem>
#include <istream>
#include <ostream>
#include <set>
#include <sstream>

#include "app/main_window_layout.h"
#include "app/shutdown.h"
#include "app/startup.h"
#include "input/background_key_hook.h"
#include "input/main_window_filter.h"
#include "keyboard_view/keyboard_toggle.h"
#include "note_engine/note_engine.h"
#include "platform/common/gbk_codec.h"
#include "settings/settings_file.h"

namespace oriwen::headless {
namespace {

std::string Trim(const std::string& s) {
  auto b = s.find_first_not_of(" \t\r");
  if (b == std::string::npos) return {};
  auto e = s.find_last_not_of(" \t\r");
  return s.substr(b, e - b + 1);
}

// "a=1 b=2" into a map.
std::map<std::string, std::string> Options(const std::string& args) {
  std::map<std::string, std::string> options;
  std::istringstream in(args);
  std::string word;
  while (in >> word) {
    auto eq = word.find('=');
    if (eq == std::string::npos) {
      options[word] = "1";
    } else {
      options[word.substr(0, eq)] = word.substr(eq + 1);
    }
  }
  return options;
}

// "\r", "\n", "\t" and "\\" escapes of write-file.
std::string Unescape(const std::string& s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\\' && i + 1 < s.size()) {
      char c = s[++i];
      out += c == 'r' ? '\r' : c == 'n' ? '\n' : c == 't' ? '\t' : c;
    } else {
      out += s[i];
    }
  }
  return out;
}

std::optional<HookKind> HookByName(const std::string& name) {
  if (name == "keyboard" || name == "thread-keyboard") return HookKind::ThreadKeyboard;
  if (name == "mouse" || name == "thread-mouse") return HookKind::ThreadMouse;
  if (name == "low-level" || name == "low-level-keyboard") return HookKind::LowLevelKeyboard;
  if (name == "filter" || name == "main-window-filter") return HookKind::MainWindowFilter;
  return std::nullopt;
}

std::string KindName(ControlKind kind) {
  switch (kind) {
    case ControlKind::ToggleButton: return "toggle-button";
    case ControlKind::CheckBox: return "check-box";
    case ControlKind::RadioButton: return "radio-button";
    case ControlKind::Label: return "label";
    case ControlKind::Edit: return "edit";
    case ControlKind::ComboBox: return "combo-box";
    case ControlKind::HScrollBar: return "scroll-bar";
    case ControlKind::PushButton: return "push-button";
    case ControlKind::Canvas: return "canvas";
    case ControlKind::Timer: return "timer";
    case ControlKind::TrayIcon: return "tray-icon";
    case ControlKind::MidiComponent: return "midi-component";
  }
  return "?";
}

// A colour as RRGGBB hex.
std::string ColourText(Colour c) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02X%02X%02X", c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
  return buf;
}

}  // namespace

Driver::Driver(std::ostream& out) : out_(out) {}

Driver::~Driver() = default;

void Driver::Emit(const std::string& line) { out_ << line << '\n'; }

int Driver::RunScript(std::istream& in) {
  int failures = 0;
  std::string line;
  while (std::getline(in, line)) {
    if (!RunLine(line)) ++failures;
  }
  return failures;
}

bool Driver::RunLine(const std::string& raw) {
  std::string line = Trim(raw);
  if (line.empty() || line[0] == '#') return true;
  std::string command = line.substr(0, line.find(' '));
  std::string args = line.size() > command.size() ? Trim(line.substr(command.size())) : "";
  // The commands that work on the running program.
  static const std::set<std::string> kProgramCommands = {
      "key-down",      "key-up", "press",   "repeat",   "release",   "tap",           "focus",
      "open-stand-in", "click",  "frame",   "received", "modifiers", "all-notes-off", "advance",
      "close",         "window", "control", "settings", "rows"};
  if (kProgramCommands.count(command) && !running_) {
    Emit("error " + command + ": the program is not running");
    return false;
  }
  std::istringstream in(args);
  if (command == "start") return Start(args);
  if (command == "write-file") return WriteFile(args);
  if (command == "file") return PrintFile(args);
  if (command == "answer") {
    int value = 0;
    if (!(in >> value)) {
      Emit("error answer: a number is needed (1 ok, 3 abort, 4 retry, 5 ignore)");
      return false;
    }
    pendingAnswers_.push_back(static_cast<MessageAnswer>(value));
    if (platform_) platform_->messages.scriptedAnswers.push_back(static_cast<MessageAnswer>(value));
    return true;
  }
  if (command == "key-down" || command == "key-up") {
    int code = 0, raise = 0;
    if (!(in >> code)) {
      Emit("error " + command + ": a key code is needed");
      return false;
    }
    in >> raise;
    int result =
        command == "key-down" ? NoteKeyDown(*program_, code, raise) : NoteKeyUp(*program_, code);
    Emit(command + " " + std::to_string(code) + " result=" + std::to_string(result));
    return true;
  }
  if (command == "press" || command == "repeat" || command == "release" || command == "tap") {
    return KeyCommand(command, args);
  }
  if (command == "focus") {
    return Focus(args);
  }
  if (command == "open-stand-in") {
    return OpenStandIn(args);
  }
  if (command == "click") {
    return Click(args);
  }
  if (command == "frame") {
    return Frame(args);
  }
  if (command == "received") {
    return PrintReceived(args.empty() ? "other" : args);
  }
  if (command == "modifiers") {
    const KeyModifierState& m = program_->modifiers;
    Emit(std::string("modifiers alt=") + (m.altDown ? "1" : "0") +
         " shift=" + (m.shiftDown ? "1" : "0") + " space=" + (m.spaceDown ? "1" : "0") +
         " filter-shift=" + (program_->filterShiftDown ? "1" : "0"));
    return true;
  }
  if (command == "all-notes-off") {
    AllNotesOff(*program_);
    return true;
  }
  if (command == "advance") {
    long long ms = 0;
    if (!(in >> ms) || ms < 0) {
      Emit("error advance: a number of milliseconds is needed");
      return false;
    }
    platform_->timers.Advance(ms, [this](WindowId w, const std::string& name) {
      Emit("timer window=" + std::to_string(w) + " " + name);
    });
    Emit("clock " + std::to_string(platform_->timers.Now()));
    return true;
  }
  if (command == "close") {
    CloseMainWindow(*program_);
    Stop();
    return true;
  }
  if (command == "window") {
    return PrintWindow(args.empty() ? "MainWindow" : args);
  }
  if (command == "control") {
    return PrintControl(args);
  }
  if (command == "settings") {
    PrintSettings();
    return true;
  }
  if (command == "rows") {
    PrintRows();
    return true;
  }
  Emit("error unknown command: " + command);
  return false;
}

bool Driver::Start(const std::string& args) {
  if (running_) {
    Emit("error start: the program is already running (close it first)");
    return false;
  }
  auto options = Options(args);
  // Only one program runs at a time here; "other-instance=1" stands for
  // another one holding the single-instance token.
  Machine fresh;
  if (options.count("dir")) {
    fresh.programDirectory = options["dir"];
  } else {
    if (!tempDirectory_) tempDirectory_ = std::make_unique<TemporaryDirectory>();
    fresh.programDirectory = tempDirectory_->path();
  }
  if (options.count("devices")) fresh.midiDevices = std::stoi(options["devices"]);
  if (options.count("os")) fresh.osMajorVersion = std::stoi(options["os"]);
  if (options.count("composition")) fresh.composition = options["composition"] == "1";
  if (options.count("other-instance") && options["other-instance"] == "1") {
    fresh.namedTokens.insert(kSingleInstanceName);
  }
  if (options.count("hook-fail")) {
    std::istringstream kinds(options["hook-fail"]);
    std::string kind;
    while (std::getline(kinds, kind, ',')) {
      auto hook = HookByName(kind);
      if (!hook) {
        Emit("error start: unknown hook " + kind);
        return false;
      }
      fresh.failingHooks.insert(*hook);
    }
  }
  if (options.count("screen")) {
    auto x = options["screen"].find('x');
    fresh.screen = {std::stoi(options["screen"].substr(0, x)),
                    std::stoi(options["screen"].substr(x + 1))};
  }
  machine_ = fresh;
  program_.reset();
  platform_ = std::make_unique<Platform>(machine_, [this](const std::string& l) { Emit(l); });
  platform_->messages.scriptedAnswers = pendingAnswers_;
  pendingAnswers_.clear();
  program_ = std::make_unique<Program>(platform_->ports());
  platform_->desktop.Attach(*program_);
  Emit("program-directory " + machine_.programDirectory);
  running_ = StartProgram(*program_);
  if (running_) {
    Emit("started");
  } else {
    Stop();
  }
  return true;
}

void Driver::Stop() {
  running_ = false;
  // Whatever the program held goes with its process.
  if (program_ && program_->singleInstanceEvent != kNoToken) {
    platform_->process.CloseToken(program_->singleInstanceEvent);
  }
  Emit("ended");
}

std::string Driver::ResolvePath(const std::string& name) const {
  std::filesystem::path p(name);
  if (p.is_absolute()) return name;
  std::string dir = machine_.programDirectory;
  if (dir.empty() && tempDirectory_) dir = tempDirectory_->path();
  return dir + "/" + name;
}

bool Driver::PrintFile(const std::string& name) {
  if (!tempDirectory_ && machine_.programDirectory.empty()) {
    tempDirectory_ = std::make_unique<TemporaryDirectory>();
  }
  auto bytes = ReadFileBytes(ProfileFileStore::NativePath(ResolvePath(name)));
  if (!bytes) {
    Emit("file " + name + " missing");
    return true;
  }
  Emit("file " + name + " size=" + std::to_string(bytes->size()));
  Emit("file-bytes " + HexBytes(*bytes));
  std::istringstream lines(GbkToUtf8(*bytes));
  std::string l;
  while (std::getline(lines, l)) {
    if (!l.empty() && l.back() == '\r') l.pop_back();
    Emit("file-line " + l);
  }
  return true;
}

bool Driver::WriteFile(const std::string& args) {
  if (!tempDirectory_ && machine_.programDirectory.empty()) {
    tempDirectory_ = std::make_unique<TemporaryDirectory>();
  }
  auto space = args.find(' ');
  std::string name = args.substr(0, space);
  std::string text = space == std::string::npos ? "" : Unescape(args.substr(space + 1));
  auto path = ProfileFileStore::NativePath(ResolvePath(name));
  bool ok = ReplaceFileAtomically(path, Utf8ToGbk(text));
  Emit("wrote " + name + (ok ? "" : " failed"));
  return ok;
}

bool Driver::PrintWindow(const std::string& name) {
  WindowId id = platform_->windows.FindByName(name);
  const WindowRecord* w = platform_->windows.Get(id);
  if (!w) {
    Emit("window " + name + " missing");
    return true;
  }
  Rect r = w->outer;
  Size c = platform_->windows.ClientSize(id);
  std::string colour = ColourText(w->background);
  Emit("window " + name + " id=" + std::to_string(id) + " title=" + w->title + " outer=" +
       std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.Width()) +
       "x" + std::to_string(r.Height()) + " client=" + std::to_string(c.width) + "x" +
       std::to_string(c.height) + " visible=" + (w->visible ? "1" : "0") + " background=" + colour +
       " layered=" + (w->layered ? "1" : "0"));
  return true;
}

bool Driver::PrintControl(const std::string& args) {
  std::istringstream in(args);
  std::string first, second;
  in >> first >> second;
  std::string windowName = second.empty() ? "MainWindow" : first;
  std::string controlName = second.empty() ? first : second;
  const WindowRecord* w = platform_->windows.Get(platform_->windows.FindByName(windowName));
  const ControlRecord* c = w ? w->Find(controlName) : nullptr;
  if (!c) {
    Emit("control " + controlName + " missing");
    return true;
  }
  std::string colour = ColourText(c->background);
  Emit("control " + controlName + " kind=" + KindName(c->layout.kind) +
       " place=" + std::to_string(c->layout.x) + "," + std::to_string(c->layout.y) +
       " size=" + std::to_string(c->layout.width) + "x" + std::to_string(c->layout.height) +
       " text=" + c->text + " checked=" + (c->checked ? "1" : "0") + " tag=" + c->tag +
       " background=" + (c->hasBackground ? colour : std::string("default")));
  return true;
}

void Driver::PrintSettings() {
  const Settings& s = program_->settings;
  auto row = [](const std::array<std::int32_t, 5>& a) {
    std::string t;
    for (std::size_t i = 0; i < 5; ++i) t += (i ? "," : "") + std::to_string(a[i]);
    return t;
  };
  std::ostringstream line;
  line << "settings rowEnabled=" << row(s.rowEnabled) << " rowMayRaise=" << row(s.rowMayRaise)
       << " rowPosition=" << row(s.rowPosition) << " rowRestOnRelease=" << row(s.rowRestOnRelease)
       << " mouseRestOnRelease=" << s.mouseRestOnRelease
       << " rowInstrument=" << row(s.rowInstrument) << " mouseInstrument=" << s.mouseInstrument
       << " keyboardOpen=" << s.keyboardOpen << " presetLayout=" << s.presetLayout
       << " lockKeyLights=" << s.lockKeyLights << " aeroGlass=" << s.aeroGlass
       << " glideSensitivity=" << s.glideSensitivity << " glideFriction=" << s.glideFriction
       << " glideEnabled=" << s.glideEnabled << " smoothSwitch=" << s.smoothSwitch
       << " blockSpace=" << s.blockSpace << " keyboardScroll=" << s.keyboardScroll
       << " assistAreaWidth=" << s.assistAreaWidth << " tonic=" << s.tonic
       << " isWindows6OrLater=" << program_->isWindows6OrLater;
  Emit(line.str());
}

void Driver::PrintRows() {
  for (std::size_t r = 0; r < 5; ++r) {
    std::string t;
    for (std::size_t i = 0; i < program_->rows.keys[r].size(); ++i) {
      t += (i ? "," : "") + std::to_string(program_->rows.keys[r][i]);
    }
    Emit("row " + std::to_string(r + 1) + " " + t);
  }
}

}  // namespace oriwen::headless

namespace oriwen::headless {

bool Driver::ResolveWindow(const std::string& name, WindowId& window) const {
  if (name == "other") {
    window = kOtherProgramWindow;
    return true;
  }
  if (name == "none") {
    window = kNoWindow;
    return true;
  }
  window = name == "main"       ? program_->mainWindow
           : name == "settings" ? program_->settingsWindow
           : name == "wizard"   ? program_->layoutWizard
                                : platform_->windows.FindByName(name);
  return window != kNoWindow && platform_->windows.Exists(window);
}

bool Driver::KeyCommand(const std::string& command, const std::string& args) {
  std::istringstream in(args);
  int code = 0;
  if (!(in >> code)) {
    Emit("error " + command + ": a key code is needed");
    return false;
  }
  std::string rest;
  std::getline(in, rest);
  auto options = Options(rest);
  bool extended = options.count("extended") != 0;
  if (options.count("to")) {
    std::string to = options["to"];
    auto colon = to.find(':');
    if (colon != std::string::npos) to = to.substr(0, colon) + " " + to.substr(colon + 1);
    if (!Focus(to)) return false;
  }
  int times = 1;
  if (options.count("times")) times = std::stoi(options["times"]);
  HeadlessDesktop& desktop = platform_->desktop;
  if (command == "press") {
    desktop.Press(code, extended);
  } else if (command == "repeat") {
    for (int i = 0; i < times; ++i) desktop.Press(code, extended);
  } else if (command == "release") {
    desktop.Release(code, extended);
  } else {
    desktop.Press(code, extended);
    desktop.Release(code, extended);
  }
  return true;
}

bool Driver::Focus(const std::string& args) {
  std::istringstream in(args);
  std::string name, control;
  in >> name >> control;
  WindowId window = kNoWindow;
  if (!ResolveWindow(name, window)) {
    Emit("error focus: no window " + name);
    return false;
  }
  const WindowRecord* w = platform_->windows.Get(window);
  if (!control.empty() && (!w || !w->Find(control))) {
    Emit("error focus: no control " + control + " in " + name);
    return false;
  }
  platform_->windows.foreground = window;
  platform_->windows.focusedControl = control;
  Emit("foreground " + name + (control.empty() ? "" : ":" + control));
  return true;
}

bool Driver::OpenStandIn(const std::string& name) {
  static const WindowLayout kWizard{"LayoutWizard", "键位设置向导", 400, 300, {}};
  static const WindowLayout kSettingsWindow{"SettingsWindow", "设置", 400, 300, {}};
  WindowId* slot = name == "wizard"     ? &program_->layoutWizard
                   : name == "settings" ? &program_->settingsWindow
                                        : nullptr;
  if (!slot) {
    Emit("error open-stand-in: wizard or settings is needed");
    return false;
  }
  if (*slot == kNoWindow || !platform_->windows.Exists(*slot)) {
    *slot = platform_->windows.CreateFromLayout(name == "wizard" ? kWizard : kSettingsWindow,
                                                program_->mainWindow);
  }
  platform_->windows.Show(*slot);
  return true;
}

bool Driver::Click(const std::string& name) {
  WindowId main = program_->mainWindow;
  WindowRecord* w = platform_->windows.Get(main);
  ControlRecord* c = w ? w->Find(name) : nullptr;
  if (!c) {
    Emit("error click: no control " + name);
    return false;
  }
  // A check box, push-like or not, changes its state before its handler runs.
  if (c->layout.kind == ControlKind::ToggleButton || c->layout.kind == ControlKind::CheckBox) {
    c->checked = !c->checked;
  }
  Emit("click " + name + " checked=" + (c->checked ? "1" : "0"));
  if (name == kBackgroundToggle) {
    OnBackgroundToggleClick(*program_);
  } else if (name == "选择框_虚拟琴键") {
    ToggleKeyboard(*program_);
  }
  return true;
}

bool Driver::Frame(const std::string& args) {
  std::istringstream in(args);
  std::string what, value;
  in >> what >> value;
  static const std::map<std::string, int> kHitTests = {{"caption", 2},
                                                       {"left", kHitLeft},
                                                       {"right", kHitRight},
                                                       {"top", kHitTop},
                                                       {"top-left", kHitTopLeft},
                                                       {"top-right", kHitTopRight},
                                                       {"bottom", kHitBottom},
                                                       {"bottom-left", kHitBottomLeft},
                                                       {"bottom-right", kHitBottomRight}};
  MainWindowMessage message;
  try {
    if (what == "double-click") {
      message.kind = MainWindowMessageKind::NonClientDoubleClick;
      message.wParam = value.empty() ? 2 : std::stoi(value);
    } else if (what == "button-down" && !value.empty()) {
      message.kind = MainWindowMessageKind::NonClientButtonDown;
      auto hit = kHitTests.find(value);
      message.wParam = hit != kHitTests.end() ? hit->second : std::stoi(value);
    } else if (what == "syscommand" && !value.empty()) {
      message.kind = MainWindowMessageKind::SysCommand;
      message.wParam = std::stoi(value, nullptr, 0);
    } else {
      Emit("error frame: double-click, button-down HIT or syscommand VALUE is needed");
      return false;
    }
  } catch (const std::exception&) {
    Emit("error frame: bad value " + value);
    return false;
  }
  FilterVerdict v = platform_->desktop.SendToMainWindow(message);
  std::string line =
      "frame " + MessageName(message.kind) + " wparam=" + std::to_string(message.wParam);
  Emit(line + (v.consumed ? " consumed result=" + std::to_string(v.result) : " passed-on"));
  return true;
}

bool Driver::PrintReceived(const std::string& name) {
  WindowId window = kNoWindow;
  if (!ResolveWindow(name, window) && window == kNoWindow) {
    Emit("error received: no window " + name);
    return false;
  }
  auto keys = platform_->desktop.ReceivedBy(window);
  Emit("received " + name + " count=" + std::to_string(keys.size()));
  for (const ReceivedKey& k : keys) {
    Emit("received-key " + name + (k.control.empty() ? "" : ":" + k.control) + " " +
         MessageName(k.message) + " " + std::to_string(k.virtualKey));
  }
  return true;
}

}  // namespace oriwen::headless
