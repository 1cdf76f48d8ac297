// x11-key-recorder: another X client for the tests. Shows a small window
// titled "key-recorder" and prints each key it receives, one line each
// ("press space", "release a", "press q caps-locked" while Caps Lock is on), until it is killed.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>

int main() {
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "x11-key-recorder: no display\n");
    return 1;
  }
  Window window =
      XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 200, 100, 0, 0, 0xFFFFFF);
  XStoreName(display, window, "key-recorder");
  XSelectInput(display, window, KeyPressMask | KeyReleaseMask);
  XMapWindow(display, window);
  XFlush(display);
  for (;;) {
    XEvent event;
    XNextEvent(display, &event);
    if (event.type != KeyPress && event.type != KeyRelease) continue;
    KeySym sym = XLookupKeysym(&event.xkey, 0);
    const char* name = XKeysymToString(sym);
    std::printf("%s %s%s\n", event.type == KeyPress ? "press" : "release", name ? name : "?",
                (event.xkey.state & LockMask) != 0 ? " caps-locked" : "");
    std::fflush(stdout);
  }
}
