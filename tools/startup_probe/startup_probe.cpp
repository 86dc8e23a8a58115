// SPDX-License-Identifier: MIT
// Starts a program and measures, from outside it, the time until its window with a given title
// is mapped and viewable, and its peak resident memory at that moment.
//   startup_probe TITLE PROGRAM [ARGUMENT...]
// prints "<milliseconds> <peak RSS KiB>" and stops the program.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

bool HasTitle(Display* display, Window window, const char* title) {
  char* name = nullptr;
  const bool matches =
      XFetchName(display, window, &name) != 0 && name != nullptr && std::strcmp(name, title) == 0;
  if (name != nullptr) {
    XFree(name);
  }
  return matches;
}

bool IsShown(Display* display, Window window) {
  XWindowAttributes attributes;
  return XGetWindowAttributes(display, window, &attributes) != 0 &&
         attributes.map_state == IsViewable;
}

long PeakResidentKiB(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmHWM:", 0) == 0) {
      return std::stol(line.substr(6));
    }
  }
  return -1;
}

// Waits for a MapNotify of a top-level window bearing the title; a window manager may map a
// frame first, so the mapped window's children are looked at too.
bool WaitForWindow(Display* display, const char* title, Clock::time_point deadline) {
  const int fd = ConnectionNumber(display);
  while (Clock::now() < deadline) {
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type != MapNotify) {
        continue;
      }
      const Window mapped = event.xmap.window;
      if (HasTitle(display, mapped, title) && IsShown(display, mapped)) {
        return true;
      }
      Window root = 0;
      Window parent = 0;
      Window* children = nullptr;
      unsigned int count = 0;
      if (XQueryTree(display, mapped, &root, &parent, &children, &count) != 0) {
        bool found = false;
        for (unsigned int i = 0; i < count && !found; ++i) {
          found = HasTitle(display, children[i], title) && IsShown(display, children[i]);
        }
        if (children != nullptr) {
          XFree(children);
        }
        if (found) {
          return true;
        }
      }
    }
    pollfd wait{fd, POLLIN, 0};
    poll(&wait, 1, 50);
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: startup_probe TITLE PROGRAM [ARGUMENT...]\n");
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "startup_probe: no X display\n");
    return 1;
  }
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  XSync(display, False);

  const auto start = Clock::now();
  const pid_t child = fork();
  if (child == 0) {
    execvp(argv[2], argv + 2);
    std::perror("startup_probe: exec");
    _exit(127);
  }
  const bool shown = WaitForWindow(display, argv[1], start + std::chrono::seconds(20));
  const auto elapsed = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  const long peak = PeakResidentKiB(child);
  kill(child, SIGTERM);
  waitpid(child, nullptr, 0);
  XCloseDisplay(display);
  if (!shown) {
    std::fprintf(stderr, "startup_probe: no window titled \"%s\" within 20 s\n", argv[1]);
    return 1;
  }
  std::printf("%.1f %ld\n", elapsed, peak);
  return 0;
}
