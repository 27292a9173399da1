// The accelerated back-end against the software one, which is the reference: the
// same scene drawn by both under Xvfb (Mesa's OpenGL), compared pixel by pixel.
//
// Tolerance. Both follow the same rules (pixel centres, top-left edge rule,
// clamp-to-edge sampling at pixel centres, straight alpha), but not the same
// arithmetic: OpenGL blends and filters in floating point or with its own
// fixed-point rounding, the software renderer with 8-bit integer weights and
// round(x / 255). That leaves differences of one or two levels, so at least 99.5%
// of the pixels must agree within 3 per channel. A few pixels may differ more:
// where a sample point falls within rounding error of a texel boundary (nearest
// filtering picks the neighbour; the scene's textures change by at most about 13
// per texel) and where a turned quad's edge passes within the last bit of a pixel
// centre. So every pixel off the edges of turned quads must agree within 24, and
// the edges themselves only count towards the 99.5%. A wrong factor, a mirrored
// axis or a turn the wrong way changes whole quads by far more than 24: the last
// test shows that this comparison catches each of them.
#include <gtest/gtest.h>

#include "backend_scene.h"
#include "sdl_renderer_fixture.h"
#include "platform/text_pen.h"
#include "render/software_renderer.h"

namespace {

Image DrawWithSoftware(const Scene& scene) {
  SoftwareRenderer software;
  software.SetTextSource(RenderTextImage);
  DrawScene(scene, software);
  Image shot;
  software.Capture(shot);
  return shot;
}

class BackendComparisonTest : public SdlRendererTest {
 protected:
  Image DrawWithSdl(const Scene& scene) {
    DrawScene(scene, renderer());
    Image shot;
    EXPECT_TRUE(renderer().Capture(shot));
    renderer().Present();
    return shot;
  }
};

TEST_F(BackendComparisonTest, SdlRendererMatchesTheSoftwareRenderer) {
  const Scene scene = BuildScene();
  const Image hardware = DrawWithSdl(scene);
  const Image software = DrawWithSoftware(scene);
  const std::vector<uint8_t> edges = QuadEdgeMask(scene);
  ASSERT_TRUE(WritePngFile(BuildDirFile("backend_sdl.png"), hardware, false));
  ASSERT_TRUE(WritePngFile(BuildDirFile("backend_software.png"), software, false));
  ASSERT_TRUE(WritePngFile(BuildDirFile("backend_difference.png"), DifferenceImage(hardware, software, edges), false));
  const Comparison result = ComparePixels(hardware, software, edges);
  std::cout << "[ comparison ] " << result.Describe() << "\n";
  EXPECT_TRUE(result.Passes()) << result.Describe();
}

// The comparison must be able to fail: the hardware draws the scene as it is, the
// software a scene with one fault; each fault must be caught.
TEST_F(BackendComparisonTest, ComparisonCatchesAWrongFactorAMirrorAndAReversedTurn) {
  const Scene scene = BuildScene();
  const Image hardware = DrawWithSdl(scene);
  const std::vector<uint8_t> edges = QuadEdgeMask(scene);
  ASSERT_TRUE(ComparePixels(hardware, DrawWithSoftware(scene), edges).Passes());

  struct Fault {
    const char* name;
    void (*apply)(SceneStep&);
    bool (*applies)(const SceneStep&);
  };
  const Fault faults[] = {
      {"destination colour read as destination alpha", [](SceneStep& s) { s.destination = kBlendDstAlpha; },
       [](const SceneStep& s) { return s.source == kBlendDstColour && s.destination == kBlendDstColour; }},
      {"source and destination swapped in the light mode", [](SceneStep& s) { std::swap(s.source, s.destination); },
       [](const SceneStep& s) { return s.source == kBlendDstColour && s.destination == kBlendDstAlpha && s.angle == 45.0f; }},
      {"turn counter-clockwise", [](SceneStep& s) { s.angle = -s.angle; },
       [](const SceneStep& s) { return s.angle == 30.0f && s.texture == 2; }},
      {"quarter turn the wrong way", [](SceneStep& s) { s.angle = -s.angle; },
       [](const SceneStep& s) { return s.angle == 90.0f && s.texture == 2; }},
      {"alpha scaling ignored", [](SceneStep& s) { s.alpha = 255; },
       [](const SceneStep& s) { return s.alpha == 128 && s.source == kBlendSrcAlpha && s.destination == kBlendInvSrcAlpha; }},
      {"filtering swapped", [](SceneStep& s) { s.quality = 1 - s.quality; },
       [](const SceneStep& s) { return s.texture == 3 && s.width == 64 && s.angle == 0.0f; }},
  };
  for (const Fault& fault : faults) {
    Scene faulty = scene;
    int changed = 0;
    for (SceneStep& step : faulty.steps) {
      if (step.kind == SceneStep::kQuad && fault.applies(step)) {
        fault.apply(step);
        ++changed;
      }
    }
    ASSERT_GT(changed, 0) << fault.name;
    const Comparison result = ComparePixels(hardware, DrawWithSoftware(faulty), edges);
    EXPECT_FALSE(result.Passes()) << fault.name << " went unnoticed: " << result.Describe();
  }
}

}  // namespace
