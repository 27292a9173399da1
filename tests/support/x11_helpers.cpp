#include "support/x11_helpers.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <thread>
#include <vector>

#include "support/process.h"

namespace {

// Windows can vanish between a query and the next request; a test must not exit
// because of that.
int IgnoreXErrors(Display*, XErrorEvent*) { return 0; }

std::string WindowTitle(Display* display, Window window) {
  const Atom netName = XInternAtom(display, "_NET_WM_NAME", False);
  const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  std::string title;
  if (XGetWindowProperty(display, window, netName, 0, 1024, False, utf8, &type, &format, &count, &after, &data) ==
          Success &&
      data != nullptr && type == utf8 && format == 8) {
    title.assign(reinterpret_cast<const char*>(data), count);
  }
  if (data != nullptr) XFree(data);
  if (!title.empty()) return title;
  char* name = nullptr;
  if (XFetchName(display, window, &name) != 0 && name != nullptr) {
    title = name;
    XFree(name);
  }
  return title;
}

bool Viewable(Display* display, Window window) {
  XWindowAttributes attributes;
  return XGetWindowAttributes(display, window, &attributes) != 0 && attributes.map_state == IsViewable;
}

// Depth-first over the tree below `parent` (top-level windows are the root's children
// when there is no window manager; a manager would put frames between).
Window Search(Display* display, Window parent, const std::string& title, int depth) {
  Window root = 0, parentOut = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  if (depth > 4 || XQueryTree(display, parent, &root, &parentOut, &children, &count) == 0) return 0;
  std::vector<Window> list(children, children + count);
  if (children != nullptr) XFree(children);
  for (Window child : list) {
    if (WindowTitle(display, child) == title && Viewable(display, child)) return child;
    const Window inner = Search(display, child, title, depth + 1);
    if (inner != 0) return inner;
  }
  return 0;
}

bool Xdotool(const std::string& display, const std::vector<std::string>& args) {
  std::vector<std::string> argv{"xdotool"};
  argv.insert(argv.end(), args.begin(), args.end());
  SpawnOptions options;
  options.env = {"DISPLAY=" + display};
  return RunProcess(argv, options, 10.0).Succeeded();
}

}  // namespace

XConnection::XConnection(const std::string& display) {
  XSetErrorHandler(IgnoreXErrors);
  display_ = XOpenDisplay(display.c_str());
}

XConnection::~XConnection() {
  if (display_ != nullptr) XCloseDisplay(display_);
}

unsigned long XConnection::FindWindow(const std::string& title) const {
  if (display_ == nullptr) return 0;
  return Search(display_, DefaultRootWindow(display_), title, 0);
}

unsigned long XConnection::WaitForWindow(const std::string& title, double timeoutSeconds) const {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(timeoutSeconds);
  for (;;) {
    const unsigned long window = FindWindow(title);
    if (window != 0 || std::chrono::steady_clock::now() >= deadline) return window;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

bool XConnection::WaitForWindowGone(const std::string& title, double timeoutSeconds) const {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(timeoutSeconds);
  for (;;) {
    if (FindWindow(title) == 0) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

bool XConnection::Geometry(unsigned long window, WindowGeometry& out) const {
  XWindowAttributes attributes;
  if (display_ == nullptr || XGetWindowAttributes(display_, window, &attributes) == 0) return false;
  Window child = 0;
  int rootX = 0, rootY = 0;
  if (!XTranslateCoordinates(display_, window, DefaultRootWindow(display_), 0, 0, &rootX, &rootY, &child)) {
    return false;
  }
  out = WindowGeometry{rootX, rootY, attributes.width, attributes.height};
  return true;
}

bool XConnection::SendClose(unsigned long window) const {
  if (display_ == nullptr) return false;
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display_, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  const bool sent = XSendEvent(display_, window, False, NoEventMask, &event) != 0;
  XFlush(display_);
  return sent;
}

bool XConnection::Capture(unsigned long window, Image& out) const {
  WindowGeometry geometry;
  if (!Geometry(window, geometry) || geometry.width <= 0 || geometry.height <= 0) return false;
  XImage* image = XGetImage(display_, window, 0, 0, static_cast<unsigned>(geometry.width),
                            static_cast<unsigned>(geometry.height), AllPlanes, ZPixmap);
  if (image == nullptr) return false;
  out.Resize(geometry.width, geometry.height);
  for (int y = 0; y < geometry.height; ++y) {
    for (int x = 0; x < geometry.width; ++x) {
      const unsigned long pixel = XGetPixel(image, x, y);
      uint8_t* p = out.Pixel(x, y);
      p[0] = static_cast<uint8_t>((pixel & image->red_mask) >> 16);
      p[1] = static_cast<uint8_t>((pixel & image->green_mask) >> 8);
      p[2] = static_cast<uint8_t>(pixel & image->blue_mask);
      p[3] = 255;
    }
  }
  XDestroyImage(image);
  return true;
}

bool MovePointer(const std::string& display, int x, int y) {
  return Xdotool(display, {"mousemove", std::to_string(x), std::to_string(y)});
}

bool ClickAt(const std::string& display, int x, int y, int button) {
  return Xdotool(display, {"mousemove", std::to_string(x), std::to_string(y), "click", std::to_string(button)});
}

bool KeyAction(const std::string& display, const std::string& action, const std::string& key) {
  return Xdotool(display, {action, key});
}

bool FocusWindow(const std::string& display, unsigned long window) {
  return Xdotool(display, {"windowfocus", "--sync", std::to_string(window)});
}
