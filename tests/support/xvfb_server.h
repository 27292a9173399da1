// A private X server for one test: Xvfb on a free display number (it picks the
// number itself and reports it through -displayfd), 1280x1024x24 (or another size)
// with GLX, no TCP.
// The constructor waits until the server accepts connections; the destructor ends it.
#pragma once

#include <string>

#include "support/process.h"

class XvfbServer {
 public:
  explicit XvfbServer(int width = kWidth, int height = kHeight);
  ~XvfbServer();
  XvfbServer(const XvfbServer&) = delete;
  XvfbServer& operator=(const XvfbServer&) = delete;

  bool ok() const { return !display_.empty(); }
  // ":N", the value for DISPLAY.
  const std::string& display() const { return display_; }
  // Why the server is not running, when ok() is false.
  const std::string& error() const { return error_; }
  // "DISPLAY=:N", for SpawnOptions::env.
  std::string displayEnv() const { return "DISPLAY=" + display_; }

  static constexpr int kWidth = 1280;
  static constexpr int kHeight = 1024;

 private:
  bool Launch(int width, int height);
  bool ReadDisplayNumber(int fd);
  bool WaitUntilAccepting();

  ChildProcess server_;
  std::string display_;
  std::string error_;
};

// True when the Xvfb program is installed.
bool XvfbInstalled();
