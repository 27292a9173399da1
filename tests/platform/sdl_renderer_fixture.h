// A windowed 1024x768 game window on a private Xvfb with the accelerated renderer
// (Mesa's OpenGL) on it.
#pragma once

#include <memory>

#include "platform/sdl_renderer.h"
#include "platform/window.h"
#include "x_display_fixture.h"

class SdlRendererTest : public XDisplayTest {
 protected:
  void SetUp() override {
    XDisplayTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    ASSERT_TRUE(window_.Open("vexmoor renderer test", false, true)) << window_.error();
    renderer_ = std::make_unique<SdlRenderer>(window_.handle());
    ASSERT_TRUE(renderer_->ok()) << renderer_->error();
  }

  void TearDown() override {
    renderer_.reset();
    window_.Close();
    XDisplayTest::TearDown();
  }

  SdlRenderer& renderer() { return *renderer_; }

  GameWindow window_;
  std::unique_ptr<SdlRenderer> renderer_;
};
