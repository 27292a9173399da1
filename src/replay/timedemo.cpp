#include "replay/timedemo.h"

#include <algorithm>
#include <cstdio>

namespace {

using Steady = std::chrono::steady_clock;

// Runs `call` and adds its time to `total`.
template <typename Call>
void Timed(std::chrono::nanoseconds& total, Call&& call) {
  const Steady::time_point start = Steady::now();
  call();
  total += std::chrono::duration_cast<std::chrono::nanoseconds>(Steady::now() - start);
}

// The value below which a share `p` of the sorted values lie (nearest rank).
double Rank(const std::vector<double>& sorted, double p) {
  if (sorted.empty()) return 0.0;
  size_t i = static_cast<size_t>(p * static_cast<double>(sorted.size()));
  if (i > 0 && static_cast<double>(i) == p * static_cast<double>(sorted.size())) --i;
  return sorted[std::min(i, sorted.size() - 1)];
}

std::string Row(const char* name, std::vector<double> values) {
  std::sort(values.begin(), values.end());
  char line[160];
  std::snprintf(line, sizeof line, "  %-8s median %7.3f  p90 %7.3f  p99 %7.3f  max %7.3f\n", name,
                Rank(values, 0.5), Rank(values, 0.9), Rank(values, 0.99), values.empty() ? 0.0 : values.back());
  return line;
}

}  // namespace

int TimingRenderer::CreateTexture(const Image& image) { return target_.CreateTexture(image); }
void TimingRenderer::Clear(uint32_t colour) { Timed(draw_, [&] { target_.Clear(colour); }); }
void TimingRenderer::BeginScene() { Timed(draw_, [&] { target_.BeginScene(); }); }
void TimingRenderer::EndScene() { Timed(draw_, [&] { target_.EndScene(); }); }
void TimingRenderer::SetBlendMode(int source, int destination) {
  Timed(draw_, [&] { target_.SetBlendMode(source, destination); });
}
void TimingRenderer::SetQuality(int quality) { Timed(draw_, [&] { target_.SetQuality(quality); }); }
void TimingRenderer::Draw(const QuadDraw& quad) { Timed(draw_, [&] { target_.Draw(quad); }); }
void TimingRenderer::DrawText(int x, int y, std::string_view text, uint32_t colour, const TextStyle& style) {
  Timed(draw_, [&] { target_.DrawText(x, y, text, colour, style); });
}
void TimingRenderer::Present() { Timed(present_, [&] { target_.Present(); }); }

double Percentile(std::vector<double> values, double p) {
  std::sort(values.begin(), values.end());
  return Rank(values, p);
}

std::string TimedemoReport(const std::vector<FrameTiming>& frames, std::string_view backend) {
  std::vector<double> update, draw, present, total;
  double seconds = 0.0;
  for (const FrameTiming& f : frames) {
    update.push_back(f.update);
    draw.push_back(f.draw);
    present.push_back(f.present);
    total.push_back(f.update + f.draw + f.present);
    seconds += (f.update + f.draw + f.present) / 1000.0;
  }
  char head[200];
  std::snprintf(head, sizeof head, "timedemo (%.*s): %zu frames in %.3f s, %.1f frames a second\n",
                static_cast<int>(backend.size()), backend.data(), frames.size(), seconds,
                seconds > 0.0 ? static_cast<double>(frames.size()) / seconds : 0.0);
  return std::string(head) + "frame times in ms:\n" + Row("update", update) + Row("draw", draw) +
         Row("present", present) + Row("frame", total);
}
