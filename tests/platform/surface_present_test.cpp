// The software renderer's frames reach the window pixel for pixel on both present
// paths: through the SDL renderer's texture, and through the window surface with
// the bands drawing in place (1:1) or the frame scaler scaling (whole multiples
// copy each pixel as a block). The reference is the one-thread frame.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "backend_scene.h"
#include "platform/presenter.h"
#include "platform/text_pen.h"
#include "platform/window.h"
#include "render/software_renderer.h"
#include "x_display_fixture.h"

namespace {

const char* const kTitle = "vexmoor surface present test";

// The scene drawn on one thread, as the reference.
Image OneThreadFrame(const Scene& scene) {
  SoftwareRenderer renderer(1);
  renderer.SetTextSource(RenderTextImage);
  DrawScene(scene, renderer);
  Image frame;
  renderer.Capture(frame);
  return frame;
}

// Pixels of the window whose colour is not the reference's pixel under them
// (each reference pixel covering scale x scale window pixels).
int WrongPixels(const Image& shot, const Image& frame, int scale) {
  if (shot.width != frame.width * scale || shot.height != frame.height * scale) return shot.width * shot.height + 1;
  int wrong = 0;
  for (int y = 0; y < shot.height; ++y) {
    for (int x = 0; x < shot.width; ++x) {
      const uint8_t* p = shot.Pixel(x, y);
      const uint8_t* q = frame.Pixel(x / scale, y / scale);
      wrong += p[0] != q[0] || p[1] != q[1] || p[2] != q[2];
    }
  }
  return wrong;
}

// Passes every call on, but frees textures only after the frame is presented, as
// the game does (the scene frees its textures before the present).
class FreeAfterPresent final : public Renderer {
 public:
  explicit FreeAfterPresent(Renderer& target) : target_(target) {}
  int CreateTexture(const Image& image) override { return target_.CreateTexture(image); }
  void FreeTexture(int texture) override { freed_.push_back(texture); }
  void Clear(uint32_t colour) override { target_.Clear(colour); }
  void BeginScene() override { target_.BeginScene(); }
  void EndScene() override { target_.EndScene(); }
  void SetBlendMode(int source, int destination) override { target_.SetBlendMode(source, destination); }
  void SetQuality(int quality) override { target_.SetQuality(quality); }
  void Draw(const QuadDraw& quad) override { target_.Draw(quad); }
  void DrawText(int x, int y, std::string_view text, uint32_t colour, const TextStyle& style = {}) override {
    target_.DrawText(x, y, text, colour, style);
  }
  void Present() override {
    target_.Present();
    for (const int texture : freed_) target_.FreeTexture(texture);
    freed_.clear();
  }
  bool Capture(Image& out) override { return target_.Capture(out); }

 private:
  Renderer& target_;
  std::vector<int> freed_;
};

class SurfacePresentTest : public XDisplayTest {
 protected:
  SurfacePresentTest() {
    screenWidth_ = 2304;
    screenHeight_ = 1728;
  }

  // Draws the scene on two threads, presented by `path`, and returns how many
  // window pixels differ from the one-thread frame (waiting for the frame to arrive).
  int Present(PresentPath path, int scale, int& placed) {
    GameWindow window;
    EXPECT_TRUE(window.Open(kTitle, false, true, WindowScaling{scale, true})) << window.error();
    FramePresenter presenter;
    EXPECT_TRUE(presenter.Attach(window.handle(), window.integerScale(), path, 2));
    EXPECT_EQ(presenter.surfacePath(), path == PresentPath::kSurface);
    SoftwareRenderer renderer(2);
    renderer.SetTextSource(RenderTextImage);
    renderer.SetFrameSink([&](const uint32_t* pixels, int pitch) { presenter.Show(pixels, pitch); });
    renderer.SetFramePlace([&](uint32_t*& pixels, int& pitch) {
      const bool ok = presenter.FramePlace(pixels, pitch);
      placed += ok;
      return ok;
    });
    const Scene scene = BuildScene();
    const Image frame = OneThreadFrame(scene);
    int wrong = -1;
    for (int i = 0; i < 40 && wrong != 0; ++i) {
      FreeAfterPresent deferred(renderer);
      DrawScene(scene, deferred);
      deferred.Present();
      window.PumpEvents();
      Image shot;
      const unsigned long xid = x().WaitForWindow(kTitle, 5.0);
      if (xid != 0 && x().Capture(xid, shot)) wrong = WrongPixels(shot, frame, scale);
      if (wrong != 0) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    // Reading the screen after an in-place frame still gives that frame.
    Image after;
    renderer.Capture(after);
    EXPECT_EQ(WrongPixels(after, frame, 1), 0);
    return wrong;
  }
};

TEST_F(SurfacePresentTest, BothPathsShowTheOneThreadFrame) {
  const struct {
    PresentPath path;
    int scale;
    bool inPlace;
  } cases[] = {
      {PresentPath::kTexture, 1, false},
      {PresentPath::kSurface, 1, true},
      {PresentPath::kSurface, 2, false},  // the scaler, each pixel a 2x2 block
  };
  for (const auto& c : cases) {
    int placed = 0;
    EXPECT_EQ(Present(c.path, c.scale, placed), 0) << "path " << static_cast<int>(c.path) << " scale " << c.scale;
    EXPECT_EQ(placed > 0, c.inPlace) << "path " << static_cast<int>(c.path) << " scale " << c.scale;
  }
}

}  // namespace
