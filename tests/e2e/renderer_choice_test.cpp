// The renderer choice on a display without a GPU (Xvfb, where SDL's OpenGL runs on
// the CPU): auto draws with the software renderer through the window surface in
// both programs, --renderer overrides it, the picture is the headless one, and
// --plot draws the timedemo's frame times.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "e2e/program_runner.h"
#include "support/xvfb_server.h"

namespace {

TEST(RendererChoice, AutoDrawsInSoftwareWhereOpenGlRunsOnTheCpu) {
  if (!XvfbInstalled()) GTEST_SKIP() << "Xvfb is not installed";
  XvfbServer server;
  ASSERT_TRUE(server.ok()) << server.error();
  TempDir dir;
  const std::string rec = dir.File("r.rec");
  ASSERT_TRUE(RunGame({"--headless", "--map", "Arena", "--frames", "40", "--record", rec}).Succeeded());
  const ProcessResult headless = RunGame({"--headless", "--timedemo", rec, "--screenshot", dir.File("headless.png")});
  ASSERT_TRUE(headless.Succeeded()) << headless.err;
  const std::string reference = ReadAll(dir.File("headless.png"));
  ASSERT_FALSE(reference.empty());
  const struct {
    bool software;
    const char* renderer;
    const char* backend;
    bool switched;  // says that SDL's renderer runs on the CPU
  } cases[] = {
      {false, "auto", "software, window surface", true},
      {false, "soft", "software, window surface", false},
      {false, "gl", "SDL accelerated", false},
      {true, "auto", "software, window surface", false},
      {true, "gl", "SDL accelerated", false},
  };
  for (const auto& c : cases) {
    const std::string name = std::string(c.software ? "soft_" : "gl_") + c.renderer;
    const std::string shot = dir.File(name + ".png");
    const ProcessResult run =
        RunGame({"--timedemo", rec, "--renderer", c.renderer, "--verbose", "--scale", "1", "--screenshot", shot,
                 "--plot", dir.File(name + "_plot.png")},
                c.software, 120.0, {server.displayEnv()});
    ASSERT_TRUE(run.Succeeded()) << name << "\n" << run.err;
    EXPECT_NE(run.out.find(std::string("timedemo (") + c.backend + "): 40 frames"), std::string::npos)
        << name << "\n" << run.out;
    EXPECT_EQ(run.err.find("runs OpenGL on the CPU") != std::string::npos, c.switched) << name << "\n" << run.err;
    if (std::string(c.backend) != "SDL accelerated") EXPECT_EQ(ReadAll(shot), reference) << name;
    Image plot;
    const std::string plotBytes = ReadAll(dir.File(name + "_plot.png"));
    ASSERT_TRUE(DecodePng(plotBytes.data(), plotBytes.size(), plot)) << name;
    EXPECT_EQ(plot.width, 1024);
    EXPECT_GT(MeanBrightness(plot, 70, 96, 1000, 720), 10.0) << name;
  }
  EXPECT_EQ(RunGame({"--headless", "--map", "Arena", "--plot", dir.File("p.png")}).exitCode, 2);
}

}  // namespace
