// oriwen: the Linux program. Qt 6 widgets show the core's windows; MIDI
// device 0 is an embedded FluidSynth synthesizer.
#include <QAbstractButton>
#include <QApplication>
#include <QFont>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/program.h"
#include "app/shutdown.h"
#include "app/startup.h"
#include "input/background_key_hook.h"
#include "platform/common/profile_file_store.h"
#include "platform/linux/embedded_synth.h"
#include "platform/linux/key_capture.h"
#include "platform/linux/linux_process.h"
#include "platform/linux/options.h"
#include "platform/linux/qt_platform.h"

namespace {

std::optional<std::string> Env(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::optional<std::string>(value) : std::nullopt;
}

bool HasDisplay(const std::vector<std::string>& toolkitArguments) {
  for (const std::string& a : toolkitArguments) {
    if (a == "-platform" || a == "--platform" || a == "-display") return true;
  }
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    if (auto v = Env(name); v && !v->empty()) return true;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace oriwen;
  using namespace oriwen::linux_shell;

  std::vector<std::string> arguments(argv + 1, argv + argc);
  ParseResult parsed = ParseOptions(arguments, Env);
  if (!parsed.error.empty()) {
    std::fprintf(stderr, "oriwen: %s\n", parsed.error.c_str());
    return 2;
  }
  const Options& options = parsed.options;
  if (options.help) {
    std::fputs(HelpText().c_str(), stdout);
    return 0;
  }
  if (!HasDisplay(options.toolkitArguments)) {
    std::fputs(
        "oriwen: no display (DISPLAY and WAYLAND_DISPLAY are not set).\n"
        "Start it on a desktop, or on a virtual display:\n"
        "  xvfb-run -a -s '-screen 0 1280x1024x24' oriwen --wav-file out.wav\n"
        "or without any window at all: oriwen -platform offscreen\n",
        stderr);
    return 1;
  }

  // Qt keeps the argument count and vector for its whole life.
  std::vector<std::string> toolkitArguments = options.toolkitArguments;
  toolkitArguments.insert(toolkitArguments.begin(), argc > 0 ? argv[0] : "oriwen");
  std::vector<char*> qtArgv;
  for (std::string& a : toolkitArguments) qtArgv.push_back(a.data());
  qtArgv.push_back(nullptr);
  int qtArgc = static_cast<int>(toolkitArguments.size());
  QApplication application(qtArgc, qtArgv.data());
  application.setQuitOnLastWindowClosed(false);
  // A font in which Latin and Chinese cells line up 1:2.
  QFont font(QStringLiteral("Noto Sans CJK SC"));
  font.setPixelSize(12);
  QApplication::setFont(font);

  QtWindows windows;
  QtTimers timers;
  LinuxMidi midi(options);
  ProfileFileStore store;
  LinuxProcess process;
  QtMessages messages(windows);
  LinuxHooks hooks;
  LinuxGlass glass;
  KeyCapture keys(hooks, windows);
  Program program(Ports{windows, timers, midi, store, process, messages, hooks, glass});

  bool looping = false;
  process.onEnd = [&looping](int code) {
    if (looping) QCoreApplication::exit(code);
  };
  windows.onCloseRequest = [&program](WindowId window) {
    if (window != program.mainWindow) return;
    CloseMainWindow(program);
    QCoreApplication::quit();
  };
  // The timers' handlers come with the on-screen keyboard.
  timers.onTick = [](WindowId, const std::string&) {};

  keys.Attach(program);
  if (!StartProgram(program)) return process.exitCode;
  if (auto* toggle =
          qobject_cast<QAbstractButton*>(windows.Control(program.mainWindow, kBackgroundToggle))) {
    // A click, not a change made by the program, runs the handler.
    QObject::connect(toggle, &QAbstractButton::clicked,
                     [&program] { OnBackgroundToggleClick(program); });
  }
  looping = true;
  int code = QApplication::exec();
  return process.ended ? process.exitCode : code;
}
