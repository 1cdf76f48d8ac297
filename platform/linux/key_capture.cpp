#include "platform/linux/key_capture.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QSocketNotifier>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/program.h"
#include "input/background_key_hook.h"
#include "input/foreground_key_hook.h"
#include "input/main_window_filter.h"
#include "platform/linux/xkb_key_codes.h"

namespace {
constexpr QEvent::Type kQtKeyPress = QEvent::KeyPress;
constexpr QEvent::Type kQtKeyRelease = QEvent::KeyRelease;
}  // namespace

// Xlib last: its macros (KeyPress, None, Bool...) clash with Qt's names.
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>
#include <X11/keysym.h>

namespace oriwen::linux_shell {
namespace {

constexpr int kSpace = 0x20;
constexpr int kAlt = 18;
constexpr int kF10 = 0x79;
constexpr int kGrabbable[4] = {0x20, 0x14, 0x90, 0x91};  // space, Caps, Num, Scroll Lock

Display* X(_XDisplay* d) { return d; }

// A grab another client holds already (BadAccess) must not end the program.
int IgnoreXError(Display*, XErrorEvent*) { return 0; }

KeyEvent ToKeyEvent(int virtualKey, bool up) {
  // The numeric pad's Enter is Enter with the extended flag.
  if (virtualKey == kKeypadEnter) return {13, true, up};
  return {virtualKey, false, up};
}

}  // namespace

KeyCapture::KeyCapture(LinuxHooks& hooks, QtWindows& windows) : hooks_(hooks), windows_(windows) {
  if (QGuiApplication::platformName() != QLatin1String("xcb")) return;
  display_ = XOpenDisplay(nullptr);
  if (!display_) return;
  XSetErrorHandler(IgnoreXError);
  // The physical-key table: each keycode's XKB name, through the shared table.
  if (XkbDescPtr desc = XkbGetMap(display_, 0, XkbUseCoreKbd)) {
    if (XkbGetNames(display_, XkbKeyNamesMask, desc) == Success && desc->names &&
        desc->names->keys) {
      for (int code = desc->min_key_code; code <= desc->max_key_code && code < 256; ++code) {
        const char* name = desc->names->keys[code].name;
        codes_[static_cast<std::size_t>(code)] =
            VirtualKeyForXkbName(std::string(name, strnlen(name, XkbKeyNameLength)));
      }
    }
    XkbFreeKeyboard(desc, 0, True);
  }
  int event = 0;
  int error = 0;
  int major = 2;
  int minor = 2;
  // 2.1 and later deliver raw events even while a key is grabbed.
  if (XQueryExtension(display_, "XInputExtension", &xiOpcode_, &event, &error) &&
      XIQueryVersion(display_, &major, &minor) == Success) {
    notifier_ =
        std::make_unique<QSocketNotifier>(ConnectionNumber(X(display_)), QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { ReadRawEvents(); });
  } else {
    xiOpcode_ = 0;
  }
  hooks_.onChange = [this](HookKind kind, bool installed) { OnHookChanged(kind, installed); };
  timing_ = std::getenv("ORIWEN_KEY_TIMING") != nullptr;
  if (timing_) QCoreApplication::instance()->installNativeEventFilter(this);
}

bool KeyCapture::nativeEventFilter(const QByteArray& /*eventType*/, void* message,
                                   qintptr* /*result*/) {
  // The first byte of an xcb event is its type; 2 is a key press.
  if ((*static_cast<const unsigned char*>(message) & 0x7F) == 2) {
    arrived_ = std::chrono::steady_clock::now();
  }
  return false;
}

void KeyCapture::ReportLatency(const char* path, std::chrono::steady_clock::time_point from) const {
  auto us = std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - from);
  std::fprintf(stderr, "oriwen: key-latency %s %.1f us\n", path, us.count());
}

KeyCapture::~KeyCapture() {
  hooks_.onChange = nullptr;
  notifier_.reset();
  if (display_) {
    ReleaseGrabs();
    XCloseDisplay(display_);
  }
}

void KeyCapture::Attach(Program& program) {
  program_ = &program;
  QApplication::instance()->installEventFilter(this);
}

int KeyCapture::VirtualKeyOf(int keycode) const {
  return keycode > 0 && keycode < 256 ? codes_[static_cast<std::size_t>(keycode)] : 0;
}

bool KeyCapture::eventFilter(QObject* watched, QEvent* event) {
  if (!program_ || (event->type() != kQtKeyPress && event->type() != kQtKeyRelease)) {
    return false;
  }
  auto* key = static_cast<QKeyEvent*>(event);
  // An ignored key event travels up to the parent widgets; it is one keystroke.
  if (event == lastEvent_ && key->timestamp() == lastTime_) return false;
  lastEvent_ = event;
  lastTime_ = key->timestamp();
  int keycode = static_cast<int>(key->nativeScanCode());
  int specific = VirtualKeyOf(keycode);
  if (specific == 0) return false;
  bool up = event->type() == kQtKeyRelease;
  std::size_t slot = static_cast<std::size_t>(keycode) & 0xFF;
  // X repeats a held key as release and press; a held key repeats only presses.
  if (up && key->isAutoRepeat()) return pressSwallowed_[slot];
  int generic = ThreadHookVirtualKey(specific);
  KeyEvent k = ToKeyEvent(generic, up);
  if (hooks_.Installed(HookKind::ThreadKeyboard)) {
    bool swallow = ForegroundKeyHook(*program_, k) == HookVerdict::Swallow;
    if (!up) pressSwallowed_[slot] = swallow;
    if (timing_ && swallow && !up) ReportLatency("foreground", arrived_);
    if (swallow) return true;
  }
  QWidget* mainWidget = windows_.Widget(program_->mainWindow);
  if (mainWidget && watched == mainWidget && hooks_.Installed(HookKind::MainWindowFilter)) {
    bool sys = (key->modifiers() & Qt::AltModifier) || generic == kAlt || generic == kF10;
    using Kind = MainWindowMessageKind;
    Kind kind =
        up ? (sys ? Kind::SysKeyUp : Kind::KeyUp) : (sys ? Kind::SysKeyDown : Kind::KeyDown);
    MainWindowFilter(*program_, {kind, k.virtualKey});  // never consumes a key
  }
  return false;
}

void KeyCapture::OnHookChanged(HookKind kind, bool installed) {
  if (kind != HookKind::LowLevelKeyboard || !display_ || xiOpcode_ == 0) return;
  unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
  XIEventMask mask{XIAllMasterDevices, sizeof bits, bits};
  if (installed) {
    XISetMask(bits, XI_RawKeyPress);
    XISetMask(bits, XI_RawKeyRelease);
  }
  XISelectEvents(display_, DefaultRootWindow(X(display_)), &mask, 1);
  if (installed) {
    UpdateGrabs();
  } else {
    ReleaseGrabs();
  }
  XFlush(display_);
}

void KeyCapture::ReadRawEvents() {
  while (XPending(display_) > 0) {
    XEvent event;
    XNextEvent(display_, &event);
    auto arrived =
        timing_ ? std::chrono::steady_clock::now() : std::chrono::steady_clock::time_point{};
    // Keys of our own grabs arrive as ordinary key events: they are dropped.
    if (event.type != GenericEvent || event.xcookie.extension != xiOpcode_) continue;
    if (!XGetEventData(display_, &event.xcookie)) continue;
    int type = event.xcookie.evtype;
    int keycode = static_cast<XIRawEvent*>(event.xcookie.data)->detail;
    XFreeEventData(display_, &event.xcookie);
    if ((type != XI_RawKeyPress && type != XI_RawKeyRelease) || !program_ ||
        !hooks_.Installed(HookKind::LowLevelKeyboard)) {
      continue;
    }
    int specific = VirtualKeyOf(keycode);
    if (specific == 0) continue;
    bool up = type == XI_RawKeyRelease;
    BackgroundKeyHook(*program_, ToKeyEvent(specific, up));
    if (timing_ && !up) ReportLatency("background", arrived);
    // A grabbed lock key still turns its lock over in the server: turn it back
    // once the key is up, so that the lock and its light stay as they were.
    bool lockKey = specific == 0x14 || specific == 0x90;
    if (up && lockKey && grabbed_[specific == 0x14 ? 1 : 2]) {
      unsigned int mods = specific == 0x14 ? LockMask : XkbKeysymToModifiers(display_, XK_Num_Lock);
      XkbStateRec state{};
      if (mods != 0 && XkbGetState(display_, XkbUseCoreKbd, &state) == Success) {
        XkbLockModifiers(display_, XkbUseCoreKbd, mods, (state.locked_mods ^ mods) & mods);
      }
    }
    // The options are read at every keystroke.
    if (hooks_.Installed(HookKind::LowLevelKeyboard)) UpdateGrabs();
    XFlush(display_);
  }
}

void KeyCapture::Grab(int virtualKey, bool on) {
  for (int code = 8; code < 256; ++code) {
    if (codes_[static_cast<std::size_t>(code)] != virtualKey) continue;
    Window root = DefaultRootWindow(X(display_));
    if (on) {
      XGrabKey(display_, code, AnyModifier, root, False, GrabModeAsync, GrabModeAsync);
    } else {
      XUngrabKey(display_, code, AnyModifier, root);
    }
  }
}

void KeyCapture::UpdateGrabs() {
  if (!program_) return;
  for (int i = 0; i < 4; ++i) {
    int vk = kGrabbable[i];
    bool want =
        vk == kSpace ? program_->settings.blockSpace != 0 : program_->settings.lockKeyLights != 0;
    if (want != grabbed_[i]) {
      Grab(vk, want);
      grabbed_[i] = want;
    }
  }
}

void KeyCapture::ReleaseGrabs() {
  for (int i = 0; i < 4; ++i) {
    if (grabbed_[i]) Grab(kGrabbable[i], false);
    grabbed_[i] = false;
  }
  XFlush(display_);
}

}  // namespace oriwen::linux_shell
