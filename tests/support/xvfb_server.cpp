#include "support/xvfb_server.h"

#include <X11/Xlib.h>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <thread>

namespace {

constexpr int kStartTimeoutMs = 30000;

}  // namespace

bool XvfbInstalled() { return !FindInPath("Xvfb").empty(); }

XvfbServer::XvfbServer(int width, int height) {
  if (!Launch(width, height)) {
    server_.Kill();
    display_.clear();
  }
}

XvfbServer::~XvfbServer() {
  server_.Signal(SIGTERM);
  const ProcessResult ended = server_.Wait(5.0);  // kills it when it does not stop in time
  (void)ended;
}

bool XvfbServer::Launch(int width, int height) {
  if (!XvfbInstalled()) {
    error_ = "Xvfb is not installed";
    return false;
  }
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) {
    error_ = "cannot create a pipe";
    return false;
  }
  SpawnOptions options;
  options.captureOutput = false;
  options.passFd = fds[1];
  const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
  const bool started = server_.Start(
      {"Xvfb", "-displayfd", "3", "-screen", "0", screen, "-nolisten", "tcp", "+extension", "GLX", "-noreset"}, options);
  close(fds[1]);
  const bool numbered = started && ReadDisplayNumber(fds[0]);
  close(fds[0]);
  if (!started) error_ = "cannot start Xvfb";
  return numbered && WaitUntilAccepting();
}

// Xvfb writes its display number and a newline once it is listening.
bool XvfbServer::ReadDisplayNumber(int fd) {
  std::string number;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kStartTimeoutMs);
  while (std::chrono::steady_clock::now() < deadline) {
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, 100) <= 0) continue;
    char c = 0;
    if (read(fd, &c, 1) != 1) break;  // the server died before answering
    if (c == '\n') break;
    if (c >= '0' && c <= '9' && number.size() < 8) number += c;
  }
  if (number.empty()) {
    error_ = "Xvfb did not report a display number";
    return false;
  }
  display_ = ":" + number;
  return true;
}

bool XvfbServer::WaitUntilAccepting() {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kStartTimeoutMs);
  while (std::chrono::steady_clock::now() < deadline) {
    Display* connection = XOpenDisplay(display_.c_str());
    if (connection != nullptr) {
      XCloseDisplay(connection);
      return true;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  error_ = "Xvfb on " + display_ + " does not accept connections";
  return false;
}
