// A test that owns a fresh Xvfb server and points DISPLAY at it, so SDL and GTK in
// this process (and programs it starts) use that server. Skips only when Xvfb is
// not installed; a server that fails to start fails the test.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "support/temp_dir.h"
#include "support/x11_helpers.h"
#include "support/xvfb_server.h"

// Where a test leaves pictures for a person to look at: the build directory.
inline std::string BuildDirFile(const std::string& name) { return BuildDir() + "/" + name; }

class XDisplayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!XvfbInstalled()) GTEST_SKIP() << "Xvfb is not installed";
    xvfb_ = std::make_unique<XvfbServer>(screenWidth_, screenHeight_);
    ASSERT_TRUE(xvfb_->ok()) << xvfb_->error();
    setenv("DISPLAY", xvfb_->display().c_str(), 1);
    x_ = std::make_unique<XConnection>(xvfb_->display());
    ASSERT_TRUE(x_->ok());
  }

  void TearDown() override {
    x_.reset();
    xvfb_.reset();
  }

  const std::string& display() const { return xvfb_->display(); }
  XConnection& x() { return *x_; }

  int screenWidth_ = XvfbServer::kWidth;  // a test may ask for another screen in its constructor
  int screenHeight_ = XvfbServer::kHeight;
  std::unique_ptr<XvfbServer> xvfb_;
  std::unique_ptr<XConnection> x_;
};
