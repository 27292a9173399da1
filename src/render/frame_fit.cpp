#include "render/frame_fit.h"

#include <algorithm>
#include <cmath>

#include "render/renderer.h"

namespace {

// Aspects closer than this count as equal (the frame then fills the drawable).
constexpr float kSameAspect = 0.0001f;

// One axis of the cursor mapping: the frame coordinate under window coordinate c,
// or -1 outside the window or off the frame.
int FrameCoordinate(int c, int windowExtent, int drawableExtent, float scale, int offset, int frameExtent) {
  if (c < 0 || c >= windowExtent) return -1;
  const double drawable = (c + 0.5) * drawableExtent / windowExtent;
  const double frame = std::floor((drawable - offset) / scale);
  return frame >= 0 && frame < frameExtent ? static_cast<int>(frame) : -1;
}

}  // namespace

// Single-precision arithmetic throughout, as the renderer computes its viewport.
FrameFit FitFrame(int drawableWidth, int drawableHeight, bool integerScale) {
  FrameFit fit;
  if (drawableWidth <= 0 || drawableHeight <= 0) {
    fit.width = kScreenWidth;
    fit.height = kScreenHeight;
    return fit;
  }
  const float wantAspect = static_cast<float>(kScreenWidth) / kScreenHeight;
  const float realAspect = static_cast<float>(drawableWidth) / static_cast<float>(drawableHeight);
  if (integerScale) {
    const int whole = wantAspect > realAspect ? drawableWidth / kScreenWidth : drawableHeight / kScreenHeight;
    fit.scale = static_cast<float>(std::max(1, whole));
    fit.width = static_cast<int>(std::floor(kScreenWidth * fit.scale));
    fit.height = static_cast<int>(std::floor(kScreenHeight * fit.scale));
    fit.x = (drawableWidth - fit.width) / 2;
    fit.y = (drawableHeight - fit.height) / 2;
  } else if (std::fabs(wantAspect - realAspect) < kSameAspect) {
    fit.scale = static_cast<float>(drawableWidth) / kScreenWidth;
    fit.width = drawableWidth;
    fit.height = drawableHeight;
  } else if (wantAspect > realAspect) {  // a narrower drawable: bars above and below
    fit.scale = static_cast<float>(drawableWidth) / kScreenWidth;
    fit.width = drawableWidth;
    fit.height = static_cast<int>(std::floor(kScreenHeight * fit.scale));
    fit.y = (drawableHeight - fit.height) / 2;
  } else {  // a wider drawable: bars left and right
    fit.scale = static_cast<float>(drawableHeight) / kScreenHeight;
    fit.height = drawableHeight;
    fit.width = static_cast<int>(std::floor(kScreenWidth * fit.scale));
    fit.x = (drawableWidth - fit.width) / 2;
  }
  return fit;
}

bool WholeScale(const FrameFit& fit) { return fit.scale == std::floor(fit.scale); }

FramePoint CursorToFrame(const WindowMetrics& window, int cursorX, int cursorY) {
  if (window.width <= 0 || window.height <= 0 || window.drawableWidth <= 0 || window.drawableHeight <= 0) return {};
  const FrameFit fit = FitFrame(window.drawableWidth, window.drawableHeight, window.integerScale);
  const int x = FrameCoordinate(cursorX, window.width, window.drawableWidth, fit.scale, fit.x, kScreenWidth);
  const int y = FrameCoordinate(cursorY, window.height, window.drawableHeight, fit.scale, fit.y, kScreenHeight);
  if (x < 0 || y < 0) return {};
  return {x, y};
}

WindowRect FrameRectInWindow(const WindowMetrics& window) {
  if (window.width <= 0 || window.height <= 0 || window.drawableWidth <= 0 || window.drawableHeight <= 0) return {};
  const FrameFit fit = FitFrame(window.drawableWidth, window.drawableHeight, window.integerScale);
  // Each axis: the first and last window coordinates on the frame (the mapping
  // never decreases, so a scan from each end finds them).
  auto span = [&](int extent, int drawable, int offset, int frameExtent, int& first, int& count) {
    int low = 0, high = extent - 1;
    while (low <= high && FrameCoordinate(low, extent, drawable, fit.scale, offset, frameExtent) < 0) ++low;
    while (high >= low && FrameCoordinate(high, extent, drawable, fit.scale, offset, frameExtent) < 0) --high;
    first = low;
    count = high >= low ? high - low + 1 : 0;
  };
  WindowRect rect;
  span(window.width, window.drawableWidth, fit.x, kScreenWidth, rect.x, rect.width);
  span(window.height, window.drawableHeight, fit.y, kScreenHeight, rect.y, rect.height);
  if (rect.width == 0 || rect.height == 0) return {};
  return rect;
}

int FittingScale(int usableWidth, int usableHeight) {
  const int width = usableWidth - kDecorationWidth, height = usableHeight - kDecorationHeight;
  return std::clamp(std::min(width / kScreenWidth, height / kScreenHeight), 1, kMaxWindowScale);
}
