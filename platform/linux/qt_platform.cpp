#include "platform/linux/qt_platform.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <cstdio>

namespace oriwen::linux_shell {
namespace {

QString Text(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QColor ToQColor(Colour c) {
  return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                static_cast<int>((c >> 16) & 0xFF));
}

Colour FromQColor(const QColor& c) { return Rgb(c.red(), c.green(), c.blue()); }

QWidget* CreateControl(QWidget* window, const ControlSpec& laidOut) {
  QWidget* widget = nullptr;
  switch (laidOut.kind) {
    case ControlKind::ToggleButton: {
      auto* button = new QPushButton(Text(laidOut.text), window);
      button->setCheckable(true);
      button->setFocusPolicy(Qt::NoFocus);
      widget = button;
      break;
    }
    case ControlKind::Canvas: widget = new CanvasWidget(window, laidOut.width, laidOut.height); break;
    case ControlKind::Label: {
      auto* label = new QLabel(Text(laidOut.text), window);
      label->setEnabled(false);  // a label without a mouse role lets presses through
      widget = label;
      break;
    }
    default: return nullptr;  // timers, the tray icon and the MIDI component are no widgets
  }
  widget->setGeometry(laidOut.x, laidOut.y, laidOut.width, laidOut.height);
  return widget;
}

}  // namespace

CanvasWidget::CanvasWidget(QWidget* parent, int width, int height)
    : QWidget(parent), image_(width, height, QImage::Format_RGB32) {
  image_.fill(Qt::white);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void CanvasWidget::ShowPixels(const std::uint32_t* pixels, int width, int height, int stride) {
  for (int y = 0; y < std::min(height, image_.height()); ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(image_.scanLine(y));
    for (int x = 0; x < std::min(width, image_.width()); ++x) {
      row[x] = 0xFF000000u | pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(stride) +
                                    static_cast<std::size_t>(x)];
    }
  }
  update();
}

void CanvasWidget::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.drawImage(0, 0, image_);
}

void ShellWindow::closeEvent(QCloseEvent* event) {
  // The core decides: its destruction handler runs, then it destroys us.
  event->ignore();
  if (onClose) onClose();
}

// Windows

QtWindows::QtWindows() = default;

QtWindows::~QtWindows() {
  for (auto& [id, record] : windows_) delete record.widget;
}

QtWindows::Record* QtWindows::Find(WindowId window) {
  auto it = windows_.find(window);
  return it == windows_.end() ? nullptr : &it->second;
}

const QtWindows::Record* QtWindows::Find(WindowId window) const {
  auto it = windows_.find(window);
  return it == windows_.end() ? nullptr : &it->second;
}

ShellWindow* QtWindows::Widget(WindowId window) const {
  const Record* r = Find(window);
  return r ? r->widget : nullptr;
}

QWidget* QtWindows::Control(WindowId window, std::string_view control) const {
  const Record* r = Find(window);
  if (!r) return nullptr;
  auto it = r->controls.find(control);
  return it == r->controls.end() ? nullptr : it->second;
}

WindowId QtWindows::CreateFromLayout(const WindowLayout& layout, WindowId owner) {
  WindowId id = next_++;
  Record& record = windows_[id];
  record.widget = new ShellWindow(Widget(owner));
  record.widget->setObjectName(Text(layout.name));
  record.widget->setWindowTitle(Text(layout.title));
  // Without a frame yet, the laid-out size is the client's.
  record.widget->resize(layout.width, layout.height);
  record.background = FromQColor(record.widget->palette().color(QPalette::Window));
  record.widget->onClose = [this, id] {
    if (onCloseRequest) onCloseRequest(id);
  };
  for (const ControlSpec& laidOut : layout.controls) {
    if (QWidget* control = CreateControl(record.widget, laidOut)) {
      control->setObjectName(Text(laidOut.name));
      record.controls.emplace(std::string(laidOut.name), control);
      // The hot-key label is never seen.
      if (laidOut.kind == ControlKind::Label && laidOut.x < 0) control->hide();
    }
  }
  return id;
}

void QtWindows::Destroy(WindowId window) {
  auto it = windows_.find(window);
  if (it == windows_.end()) return;
  it->second.widget->onClose = nullptr;
  it->second.widget->hide();
  it->second.widget->deleteLater();
  windows_.erase(it);
}

bool QtWindows::Exists(WindowId window) const { return Find(window) != nullptr; }

void QtWindows::Show(WindowId window) {
  if (ShellWindow* w = Widget(window)) {
    w->show();
    w->raise();
    w->activateWindow();
  }
}

Rect QtWindows::OuterRect(WindowId window) const {
  ShellWindow* w = Widget(window);
  if (!w) return {};
  QRect r = w->frameGeometry();
  return {r.x(), r.y(), r.x() + r.width(), r.y() + r.height()};
}

Size QtWindows::ClientSize(WindowId window) const {
  ShellWindow* w = Widget(window);
  if (!w) return {};
  return {w->width(), w->height()};
}

void QtWindows::SetOuterRect(WindowId window, Rect rect) {
  ShellWindow* w = Widget(window);
  if (!w) return;
  // The frame as the window manager last drew it (none before the window
  // is shown, and none without a window manager).
  QRect frame = w->frameGeometry();
  QRect client = w->geometry();
  int left = client.x() - frame.x();
  int top = client.y() - frame.y();
  int right = frame.width() - client.width() - left;
  int bottom = frame.height() - client.height() - top;
  w->setGeometry(rect.left + left, rect.top + top, std::max(0, rect.Width() - left - right),
                 std::max(0, rect.Height() - top - bottom));
}

Size QtWindows::ScreenSize() const {
  QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return {};
  QRect r = screen->geometry();
  return {r.width(), r.height()};
}

void QtWindows::SetBackground(WindowId window, Colour colour) {
  Record* r = Find(window);
  if (!r) return;
  r->background = colour;
  QPalette palette = r->widget->palette();
  palette.setColor(QPalette::Window, ToQColor(colour));
  r->widget->setPalette(palette);
  r->widget->setAutoFillBackground(true);
}

Colour QtWindows::Background(WindowId window) const {
  const Record* r = Find(window);
  return r ? r->background : 0;
}

void QtWindows::SetChecked(WindowId window, std::string_view control, bool checked) {
  Record* r = Find(window);
  if (!r) return;
  if (auto* button = qobject_cast<QAbstractButton*>(Control(window, control))) {
    button->setChecked(checked);
  } else {
    r->checked[std::string(control)] = checked;
  }
}

bool QtWindows::Checked(WindowId window, std::string_view control) const {
  const Record* r = Find(window);
  if (!r) return false;
  if (auto* button = qobject_cast<QAbstractButton*>(Control(window, control))) {
    return button->isChecked();
  }
  auto it = r->checked.find(control);
  return it != r->checked.end() && it->second;
}

void QtWindows::SetTag(WindowId window, std::string_view control, std::string tag) {
  if (Record* r = Find(window)) r->tags[std::string(control)] = std::move(tag);
}

std::string QtWindows::Tag(WindowId window, std::string_view control) const {
  const Record* r = Find(window);
  if (!r) return {};
  auto it = r->tags.find(control);
  return it == r->tags.end() ? std::string() : it->second;
}

void QtWindows::SetControlBackground(WindowId window, std::string_view control, Colour colour) {
  QWidget* c = Control(window, control);
  if (!c) return;
  QPalette palette = c->palette();
  palette.setColor(QPalette::Button, ToQColor(colour));
  palette.setColor(QPalette::Window, ToQColor(colour));
  c->setPalette(palette);
}

bool QtWindows::RegisterHotKey(WindowId /*window*/, int /*id*/, int /*modifiers*/,
                               int /*virtualKey*/) {
  // The global hot key comes with keyboard capture below Qt; until then it
  // is not registered, which the program takes as a key already taken.
  return false;
}

WindowId QtWindows::ForegroundWindow() const {
  QWidget* active = QApplication::activeWindow();
  if (!active) return kNoWindow;
  for (const auto& [id, record] : windows_) {
    if (record.widget == active) return id;
  }
  return kNoWindow;
}

// Timers

QtTimers::QtTimers() = default;
QtTimers::~QtTimers() = default;

void QtTimers::SetTimerPeriod(WindowId window, std::string_view timer, int periodMs) {
  auto key = std::make_pair(window, std::string(timer));
  std::unique_ptr<QTimer>& t = timers_[key];
  if (!t) {
    t = std::make_unique<QTimer>();
    t->setTimerType(Qt::PreciseTimer);
    QObject::connect(t.get(), &QTimer::timeout, [this, key] {
      if (onTick) onTick(key.first, key.second);
    });
  }
  if (periodMs > 0) {
    t->start(periodMs);
  } else {
    t->stop();
  }
}

int QtTimers::TimerPeriod(WindowId window, std::string_view timer) const {
  auto it = timers_.find(std::make_pair(window, std::string(timer)));
  if (it == timers_.end() || !it->second->isActive()) return 0;
  return it->second->interval();
}

// Message boxes

MessageAnswer QtMessages::ShowMessageBox(WindowId owner, std::string_view text,
                                         std::string_view title, MessageButtons buttons,
                                         MessageIcon icon) {
  if (icon == MessageIcon::Exclamation) {
    // An error: a terminal user sees it too.
    std::fprintf(stderr, "oriwen: %.*s: %.*s\n", static_cast<int>(title.size()), title.data(),
                 static_cast<int>(text.size()), text.data());
  }
  QMessageBox box(icon == MessageIcon::Exclamation   ? QMessageBox::Warning
                  : icon == MessageIcon::Information ? QMessageBox::Information
                                                     : QMessageBox::NoIcon,
                  Text(title), Text(text),
                  buttons == MessageButtons::Ok
                      ? QMessageBox::Ok
                      : QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore,
                  windows_.Widget(owner));
  switch (box.exec()) {
    case QMessageBox::Abort: return MessageAnswer::Abort;
    case QMessageBox::Retry: return MessageAnswer::Retry;
    case QMessageBox::Ignore: return MessageAnswer::Ignore;
    case QMessageBox::Ok: return MessageAnswer::Ok;
    default:
      // Closed without a button: as the Escape key on Windows.
      return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Abort;
  }
}

// Hooks

HookHandle LinuxHooks::InstallHook(HookKind kind) {
  HookHandle handle = next_++;
  installed[handle] = kind;
  if (onChange) onChange(kind, true);
  return handle;
}

void LinuxHooks::RemoveHook(HookHandle hook) {
  auto it = installed.find(hook);
  if (it == installed.end()) return;
  HookKind kind = it->second;
  installed.erase(it);
  if (onChange) onChange(kind, false);
}

bool LinuxHooks::Installed(HookKind kind) const {
  for (const auto& [handle, k] : installed) {
    if (k == kind) return true;
  }
  return false;
}

}  // namespace oriwen::linux_shell
