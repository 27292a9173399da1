#include "sheets.h"

#include <algorithm>
#include <cmath>

#include "filters.h"
#include "text.h"

namespace art {
namespace {

constexpr int kColumns = 12;

// The cell layout: a square picture area with the name under it.
struct Layout {
  int picture = 128;
  int cellWidth = 140;
  int cellHeight = 160;
  int zoom = 1;
};

void DrawChecker(Canvas& sheet, int x0, int y0, int w, int h) {
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const bool light = ((x / 8) + (y / 8)) % 2 == 0;
      sheet.Put(x0 + x, y0 + y, light ? Rgb(150, 150, 150) : Rgb(105, 105, 105), 1.0f);
    }
  }
}

// The picture scaled to fit the cell: large images shrink, small ones grow by whole
// factors with hard pixels so their detail stays readable.
Canvas FitPicture(const Canvas& c, const Layout& layout) {
  const int longest = std::max(c.width(), c.height());
  if (longest > layout.picture) {
    const float s = static_cast<float>(layout.picture) / static_cast<float>(longest);
    return Resized(c, std::max(1, static_cast<int>(static_cast<float>(c.width()) * s)),
                   std::max(1, static_cast<int>(static_cast<float>(c.height()) * s)));
  }
  int factor = layout.zoom;
  if (longest <= 32) factor = std::max(factor, 64 / longest);
  factor = std::min(factor, std::max(1, layout.picture / longest));
  if (factor == 1) return c;
  Canvas big(c.width() * factor, c.height() * factor);
  ForEachPixel(big, [&](int x, int y, Texel& t) { t = c.at(x / factor, y / factor); });
  return big;
}

std::string FileName(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

void DrawCell(Canvas& sheet, const GeneratedImage& g, int cx, int cy, const Layout& layout) {
  const Canvas picture = FitPicture(AsLoaded(g), layout);
  const int px = cx + (layout.cellWidth - picture.width()) / 2;
  const int py = cy + 4 + (layout.picture - picture.height()) / 2;
  DrawChecker(sheet, px, py, picture.width(), picture.height());
  sheet.Composite(picture, px, py, g.storage == Storage::kGlow ? Blend::kAdd : Blend::kOver);
  const std::string name = FileName(g.path);
  const int size = std::min(11, FittingPointSize(name, static_cast<float>(layout.cellWidth - 6), 14));
  DrawTextCentred(sheet, name, size,
                  {static_cast<float>(cx), static_cast<float>(cy + layout.picture + 8),
                   static_cast<float>(cx + layout.cellWidth), static_cast<float>(cy + layout.cellHeight - 6)},
                  Solid(Rgb(235, 235, 225)), "Ag");
}

}  // namespace

Canvas AsLoaded(const GeneratedImage& g) {
  Canvas c = FromImage(g.image);
  if (g.storage == Storage::kAlpha) return c;
  ForEachPixel(c, [&](int x, int y, Texel& t) {
    const uint8_t* p = g.image.Pixel(x, y);
    t.a = (p[0] == 0 && p[1] == 0 && p[2] == 0) ? 0.0f : 1.0f;
    if (t.a == 0.0f) t = {};
  });
  return c;
}

Image ContactSheet(const ImageList& images, const std::string& filter, int zoom) {
  Layout layout;
  layout.zoom = std::clamp(zoom, 1, 8);
  layout.picture = 128 * layout.zoom;
  layout.cellWidth = layout.picture + 12;
  layout.cellHeight = layout.picture + 32;
  std::vector<const GeneratedImage*> shown;
  for (const GeneratedImage& g : images) {
    if (filter.empty() || g.path.find(filter) != std::string::npos) shown.push_back(&g);
  }
  const int count = std::max<int>(1, static_cast<int>(shown.size()));
  const int columns = std::min(std::max(1, kColumns / layout.zoom), count);
  const int rows = (count + columns - 1) / columns;
  Canvas sheet(columns * layout.cellWidth, rows * layout.cellHeight);
  sheet.Fill(Rgb(38, 40, 44));
  for (size_t i = 0; i < shown.size(); ++i) {
    const int column = static_cast<int>(i) % columns;
    const int row = static_cast<int>(i) / columns;
    DrawCell(sheet, *shown[i], column * layout.cellWidth, row * layout.cellHeight, layout);
  }
  return ToImage(sheet, Storage::kOpaque);
}

}  // namespace art
