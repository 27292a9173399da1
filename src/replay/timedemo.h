// The timedemo (--timedemo FILE): a recording replayed as fast as the back-end
// can go, each frame's time split into update (input, the player, the weapon and
// everything of the frame's walks but the drawing calls), draw (the calls into the
// back-end) and present.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "render/renderer.h"

// Passes every call to the real back-end and adds up the time spent in it: Present
// apart from the rest.
class TimingRenderer final : public Renderer {
 public:
  explicit TimingRenderer(Renderer& target) : target_(target) {}

  int CreateTexture(const Image& image) override;
  void FreeTexture(int texture) override { target_.FreeTexture(texture); }
  void Clear(uint32_t colour) override;
  void BeginScene() override;
  void EndScene() override;
  void SetBlendMode(int source, int destination) override;
  void SetQuality(int quality) override;
  void Draw(const QuadDraw& quad) override;
  void DrawText(int x, int y, std::string_view text, uint32_t colour, const TextStyle& style = {}) override;
  void Present() override;
  bool Capture(Image& out) override { return target_.Capture(out); }

  // Milliseconds in the back-end since the last Reset.
  double drawMs() const { return draw_.count() / 1e6; }
  double presentMs() const { return present_.count() / 1e6; }
  void Reset() { draw_ = present_ = std::chrono::nanoseconds(0); }

 private:
  Renderer& target_;
  std::chrono::nanoseconds draw_{0};
  std::chrono::nanoseconds present_{0};
};

struct FrameTiming {
  double update = 0.0;  // milliseconds
  double draw = 0.0;
  double present = 0.0;
};

// The value below which a share p (0-1) of the values lie (nearest rank); 0 without values.
double Percentile(std::vector<double> values, double p);

// Frames, total seconds, and the median, p90, p99 and max of each part and of the
// whole frame.
std::string TimedemoReport(const std::vector<FrameTiming>& frames, std::string_view backend);
