// The drawing back-end behind the sprite store: textured quads on a 1024x768 RGB
// screen with blend factors, alpha, zoom, rotation and two filtering qualities.
// Three back-ends implement it: SoftwareRenderer (our CPU rasteriser, the
// reference), SdlRenderer (the accelerated renderer of platform/) and RecordingRenderer
// (tests). This is the one interface with virtual functions.
#pragma once

#include <cstdint>
#include <string_view>

#include "base/image.h"

constexpr int kScreenWidth = 1024;
constexpr int kScreenHeight = 768;

// Blend factor numbers as the game passes them.
enum BlendFactor : int {
  kBlendZero = 1,
  kBlendOne = 2,
  kBlendSrcColour = 3,
  kBlendInvSrcColour = 4,
  kBlendSrcAlpha = 5,
  kBlendInvSrcAlpha = 6,
  kBlendDstAlpha = 7,
  kBlendInvDstAlpha = 8,
  kBlendDstColour = 9,
  kBlendInvDstColour = 10,
};
inline bool IsBlendFactor(int f) { return f >= kBlendZero && f <= kBlendInvDstColour; }

// One quad. (x, y) is the integer top-left corner of the unrotated quad on the
// screen, width x height its display size; the quad turns by angle degrees about
// its centre, positive angles clockwise on the screen, so the image's +x points
// along (cos a, sin a). Source colour = texel colour; source alpha = texel alpha x
// alpha / 255.
struct QuadDraw {
  int sprite = 0;   // the sprite number (for recording and diagnostics)
  int texture = 0;  // the back-end's texture handle
  int x = 0, y = 0;
  int width = 0, height = 0;
  float angle = 0.0f;
  int alpha = 255;  // 0-255
};

// How DrawText draws a string: the pen's point size and face, and whether the given
// x is the string's centre rather than its left edge. The default is the debug pen.
struct TextStyle {
  int pointSize = 14;
  bool bold = false;
  bool centred = false;

  bool IsDefault() const { return pointSize == TextStyle{}.pointSize && !bold && !centred; }
  // The left edge of a text image `width` pixels wide drawn at x.
  int Left(int x, int width) const { return centred ? x - width / 2 : x; }
};

class Renderer {
 public:
  virtual ~Renderer() = default;

  // Uploads an RGBA image; returns a handle > 0, or 0 when it cannot.
  virtual int CreateTexture(const Image& image) = 0;
  virtual void FreeTexture(int texture) = 0;

  // Clears the whole screen to a colour 0x00BBGGRR (opaque).
  virtual void Clear(uint32_t colour) = 0;
  // Bracket the 3D drawing of a frame; BeginScene re-applies the blending mode.
  virtual void BeginScene() = 0;
  virtual void EndScene() = 0;
  // Blend factors (numbers above); holds for later draws until changed. Only called
  // with valid numbers.
  virtual void SetBlendMode(int source, int destination) = 0;
  // 0 = nearest texel, 1 = bilinear.
  virtual void SetQuality(int quality) = 0;
  virtual void Draw(const QuadDraw& quad) = 0;
  // The text pen: 8-bit (Latin-1) text, top-left at (x, y) (top-centre when the
  // style is centred), transparent background, colour 0x00BBGGRR, normal alpha
  // blending. The default style is the 14-point debug pen.
  virtual void DrawText(int x, int y, std::string_view text, uint32_t colour, const TextStyle& style = {}) = 0;
  // Presents the frame (after waiting for the vertical blank where there is one).
  virtual void Present() = 0;
  // The current screen contents as 1024x768 RGBA (alpha 255). False when the
  // back-end cannot read its screen.
  virtual bool Capture(Image& out) = 0;
};
