#include "replay/frame_plot.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

namespace {

// The plot area on the 1024x768 screen.
constexpr int kLeft = 70, kRight = 1000, kTop = 96, kBottom = 720;
constexpr double kFrameBudgetMs = 1000.0 / 60.0;

// Colours 0x00BBGGRR.
constexpr uint32_t kBackground = 0x00181818;
constexpr uint32_t kGrid = 0x00404040;
constexpr uint32_t kText = 0x00E0E0E0;
constexpr uint32_t kUpdate = 0x00D08040;   // blue
constexpr uint32_t kDraw = 0x0030A0F0;     // orange
constexpr uint32_t kPresent = 0x0060C060;  // green
constexpr uint32_t kBudget = 0x003030F0;   // red

// A 1x1 texture per colour, stretched into rectangles.
class Pens {
 public:
  explicit Pens(Renderer& renderer) : renderer_(renderer) {}
  ~Pens() {
    for (const auto& [colour, texture] : textures_) renderer_.FreeTexture(texture);
  }
  void Fill(int x, int y, int w, int h, uint32_t colour) {
    if (w <= 0 || h <= 0) return;
    QuadDraw quad;
    quad.texture = Texture(colour);
    quad.x = x;
    quad.y = y;
    quad.width = w;
    quad.height = h;
    renderer_.Draw(quad);
  }

 private:
  int Texture(uint32_t colour) {
    for (const auto& [c, texture] : textures_) {
      if (c == colour) return texture;
    }
    Image image;
    image.Resize(1, 1);
    image.rgba = {static_cast<uint8_t>(colour), static_cast<uint8_t>(colour >> 8), static_cast<uint8_t>(colour >> 16),
                  255};
    const int texture = renderer_.CreateTexture(image);
    textures_.emplace_back(colour, texture);
    return texture;
  }

  Renderer& renderer_;
  std::vector<std::pair<uint32_t, int>> textures_;
};

double Total(const FrameTiming& f) { return f.update + f.draw + f.present; }

// The top of the scale: at least a 60 Hz frame and a bit, else the slowest frame,
// rounded up to a whole step; `step` the grid's spacing.
double ScaleTop(const std::vector<FrameTiming>& frames, double& step) {
  double slowest = 0.0;
  for (const FrameTiming& f : frames) slowest = std::max(slowest, Total(f));
  const double top = std::max(20.0, slowest * 1.05);
  step = 1.0;
  for (const double s : {1.0, 2.0, 5.0, 10.0, 20.0, 50.0, 100.0, 200.0, 500.0, 1000.0}) {
    step = s;
    if (top / s <= 10.0) break;
  }
  return std::ceil(top / step) * step;
}

int Row(double ms, double top) {
  const double y = kBottom - ms / top * (kBottom - kTop);
  return static_cast<int>(std::lround(std::clamp(y, static_cast<double>(kTop), static_cast<double>(kBottom))));
}

void DrawGrid(Renderer& renderer, Pens& pens, double top, double step) {
  char label[32];
  for (double ms = 0.0; ms <= top + 1e-9; ms += step) {
    const int y = Row(ms, top);
    pens.Fill(kLeft, y, kRight - kLeft, 1, kGrid);
    std::snprintf(label, sizeof label, "%g ms", ms);
    renderer.DrawText(8, y - 8, label, kText);
  }
}

// The frame shown in each column: the slowest of the frames the column covers.
void DrawBars(Pens& pens, const std::vector<FrameTiming>& frames, double top) {
  const int columns = kRight - kLeft;
  const size_t n = frames.size();
  const int bars = static_cast<int>(std::min<size_t>(n, static_cast<size_t>(columns)));
  for (int b = 0; b < bars; ++b) {
    const size_t first = n * static_cast<size_t>(b) / static_cast<size_t>(bars);
    const size_t last = std::max(first + 1, n * static_cast<size_t>(b + 1) / static_cast<size_t>(bars));
    size_t slowest = first;
    for (size_t i = first; i < last; ++i) {
      if (Total(frames[i]) > Total(frames[slowest])) slowest = i;
    }
    const FrameTiming& f = frames[slowest];
    const int x0 = kLeft + columns * b / bars;
    const int x1 = std::max(x0 + 1, kLeft + columns * (b + 1) / bars - (bars < columns / 3 ? 1 : 0));
    const std::array<std::pair<double, uint32_t>, 3> parts{{{f.update, kUpdate}, {f.draw, kDraw}, {f.present, kPresent}}};
    double below = 0.0;
    for (const auto& [ms, colour] : parts) {
      const int yTop = Row(below + ms, top), yBottom = Row(below, top);
      pens.Fill(x0, yTop, x1 - x0, yBottom - yTop, colour);
      below += ms;
    }
  }
}

std::vector<double> Part(const std::vector<FrameTiming>& frames, int part) {
  std::vector<double> values;
  for (const FrameTiming& f : frames) values.push_back(part == 0 ? f.update : part == 1 ? f.draw : part == 2 ? f.present : Total(f));
  return values;
}

void DrawLegend(Renderer& renderer, Pens& pens, const std::vector<FrameTiming>& frames, std::string_view title) {
  char line[200];
  std::snprintf(line, sizeof line, "%.*s: %zu frames, times in ms", static_cast<int>(title.size()), title.data(),
                frames.size());
  renderer.DrawText(kLeft, 8, line, kText);
  const char* names[] = {"update", "draw", "present"};
  const uint32_t colours[] = {kUpdate, kDraw, kPresent};
  for (int part = 0; part < 3; ++part) {
    const std::vector<double> values = Part(frames, part);
    const int x = kLeft + part * 250;
    pens.Fill(x, 38, 14, 14, colours[part]);
    std::snprintf(line, sizeof line, "%s median %.2f p99 %.2f", names[part], Percentile(values, 0.5),
                  Percentile(values, 0.99));
    renderer.DrawText(x + 20, 36, line, kText);
  }
  const std::vector<double> total = Part(frames, 3);
  std::snprintf(line, sizeof line, "frame median %.2f  p90 %.2f  p99 %.2f  max %.2f", Percentile(total, 0.5),
                Percentile(total, 0.9), Percentile(total, 0.99), Percentile(total, 1.0));
  renderer.DrawText(kLeft, 62, line, kText);
  pens.Fill(kLeft + 600, 70, 24, 2, kBudget);
  renderer.DrawText(kLeft + 630, 62, "16.7 ms (60 Hz)", kText);
}

}  // namespace

void DrawFramePlot(Renderer& renderer, const std::vector<FrameTiming>& frames, std::string_view title) {
  renderer.Clear(kBackground);
  renderer.SetBlendMode(kBlendSrcAlpha, kBlendInvSrcAlpha);
  renderer.SetQuality(0);
  Pens pens(renderer);
  double step = 1.0;
  const double top = ScaleTop(frames, step);
  DrawGrid(renderer, pens, top, step);
  DrawBars(pens, frames, top);
  const int budget = Row(kFrameBudgetMs, top);
  pens.Fill(kLeft, budget - 1, kRight - kLeft, 2, kBudget);
  DrawLegend(renderer, pens, frames, title);
  char label[48];
  std::snprintf(label, sizeof label, "frame 1 to %zu", frames.size());
  renderer.DrawText(kLeft, kBottom + 10, label, kText);
  renderer.Present();
}

bool WriteFramePlot(const std::string& path, const std::vector<FrameTiming>& frames, std::string_view title,
                    TextImageSource text) {
  SoftwareRenderer renderer(1);
  renderer.SetTextSource(std::move(text));
  DrawFramePlot(renderer, frames, title);
  Image picture;
  return renderer.Capture(picture) && WritePngFile(path, picture, false);
}
