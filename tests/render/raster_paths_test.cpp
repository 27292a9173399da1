// Every shortcut of the rasteriser (uniform and identity-mapped textures, opaque
// copies, skipped no-op quads, spans trimmed to the texels that change the
// screen, the dedicated blend kernels, the SSE2, AVX2 and AVX-512 kernels) must
// draw exactly the pixels of the plain path.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "render/render_test_util.h"

namespace {

constexpr RasterPaths kPlain{false, false, false, false};
constexpr RasterPaths kScalarKernels{true, true, false, false};
constexpr RasterPaths kSse2{true, true, true, false};
constexpr RasterPaths kAvx2{true, true, true, true, false};
constexpr RasterPaths kAll{};

struct Renderers {
  SoftwareRenderer plain, scalar, sse2, avx2, fast;
  Renderers() {
    plain.SetRasterPaths(kPlain);
    scalar.SetRasterPaths(kScalarKernels);
    sse2.SetRasterPaths(kSse2);
    avx2.SetRasterPaths(kAvx2);
    fast.SetRasterPaths(kAll);
  }
  template <class F>
  void Each(F f) {
    f(plain);
    f(scalar);
    f(sse2);
    f(avx2);
    f(fast);
  }
  // Index of the first pixel where a renderer differs from the plain one, or -1.
  static int FirstDifference(const SoftwareRenderer& a, const SoftwareRenderer& b) {
    for (int i = 0; i < kScreenWidth * kScreenHeight; ++i)
      if (a.pixels()[i] != b.pixels()[i]) return i;
    return -1;
  }
  void ExpectSame(const std::string& what) {
    const int s = FirstDifference(plain, scalar), v = FirstDifference(plain, sse2),
              w = FirstDifference(plain, avx2), f = FirstDifference(plain, fast);
    EXPECT_EQ(s, -1) << what << ": scalar kernels differ at " << s % kScreenWidth << "," << s / kScreenWidth;
    EXPECT_EQ(v, -1) << what << ": SSE2 kernels differ at " << v % kScreenWidth << "," << v / kScreenWidth;
    EXPECT_EQ(w, -1) << what << ": AVX2 kernels differ at " << w % kScreenWidth << "," << w / kScreenWidth;
    EXPECT_EQ(f, -1) << what << ": widest kernels differ at " << f % kScreenWidth << "," << f / kScreenWidth;
  }
};

// Textures of the kinds the shortcuts look for.
Image RandomTexture(std::mt19937& rng, int kind) {
  std::uniform_int_distribution<int> size(1, 48), byte(0, 255);
  const int w = size(rng), h = size(rng);
  const Rgba one{byte(rng), byte(rng), byte(rng), byte(rng)};
  switch (kind) {
    case 0:
      return SolidImage(w, h, one);  // uniform
    case 1:
      return MakeImage(w, h, [&](int, int) { return Rgba{byte(rng), byte(rng), byte(rng), 255}; });  // opaque
    case 2:
      return MakeImage(w, h, [&](int, int) { return Rgba{byte(rng), byte(rng), byte(rng), 0}; });  // clear
    case 3: {  // a soft ellipse, clear and black around it, off-centre: spans are trimmed to it
      const double cx = w * (0.2 + 0.6 * byte(rng) / 255.0), cy = h * (0.2 + 0.6 * byte(rng) / 255.0);
      return MakeImage(w, h, [&](int x, int y) {
        const double d = std::hypot((x - cx) / (0.3 * w + 0.5), (y - cy) / (0.3 * h + 0.5));
        return d >= 1.0 ? Rgba{0, 0, 0, 0}
                        : Rgba{byte(rng), byte(rng), byte(rng), static_cast<int>(255 * (1 - d))};
      });
    }
    case 4:  // one colour, the alpha varying: only the alpha is filtered
      return MakeImage(w, h, [&](int, int) { return Rgba{one.r, one.g, one.b, byte(rng)}; });
    default:
      return MakeImage(w, h, [&](int, int) {
        const int a = byte(rng);
        return Rgba{byte(rng), byte(rng), byte(rng), a < 60 ? 0 : a > 200 ? 255 : a};
      });
  }
}

QuadDraw RandomQuad(std::mt19937& rng, int texture, const Image& image) {
  std::uniform_int_distribution<int> pick(0, 9), x(-100, kScreenWidth + 20), y(-100, kScreenHeight + 20);
  std::uniform_int_distribution<int> size(1, 220), alpha(0, 255);
  std::uniform_real_distribution<float> angle(-720.0f, 720.0f);
  QuadDraw q = Quad(texture, x(rng), y(rng), size(rng), size(rng));
  switch (pick(rng)) {
    case 0:
    case 1:
      q.width = image.width, q.height = image.height;
      break;  // identity-mapped
    case 2:
      q.width = std::max(1, image.width / 7), q.height = 2;
      break;  // strong minification
    default:
      break;
  }
  const int turn = pick(rng);
  q.angle = turn < 3    ? 0.0f
            : turn < 5  ? 90.0f * static_cast<float>(pick(rng) % 4)
            : turn == 5 ? 1e-4f
                        : angle(rng);
  const int a = pick(rng);
  q.alpha = a < 4 ? 255 : a == 4 ? 0 : alpha(rng);
  return q;
}

TEST(RasterPaths, RandomQuadsDrawTheSamePixelsOnEveryPath) {
  std::mt19937 rng(20240607);
  Renderers r;
  std::vector<std::pair<int, Image>> textures;
  for (int i = 0; i < 16; ++i) {
    Image image = RandomTexture(rng, i % 6);
    int handle = 0;
    r.Each([&](SoftwareRenderer& s) { handle = s.CreateTexture(image); });
    textures.emplace_back(handle, std::move(image));
  }
  const int gameModes[4][2] = {{kBlendSrcAlpha, kBlendInvSrcAlpha},
                               {kBlendSrcAlpha, kBlendDstAlpha},
                               {kBlendDstColour, kBlendDstAlpha},
                               {kBlendSrcColour, kBlendDstColour}};
  std::uniform_int_distribution<int> pickTexture(0, 15), pickMode(0, 5), factor(1, 10), quality(0, 1),
      byte(0, 255);
  for (int round = 0; round < 12; ++round) {
    const uint32_t background = Bgr(byte(rng), byte(rng), byte(rng));
    r.Each([&](SoftwareRenderer& s) { s.Clear(background); });
    for (int i = 0; i < 40; ++i) {
      const auto& [handle, image] = textures[pickTexture(rng)];
      const QuadDraw q = RandomQuad(rng, handle, image);
      const int m = pickMode(rng);
      const int sf = m < 4 ? gameModes[m][0] : factor(rng), df = m < 4 ? gameModes[m][1] : factor(rng);
      const int filter = quality(rng);
      r.Each([&](SoftwareRenderer& s) {
        s.SetBlendMode(sf, df);
        s.SetQuality(filter);
        s.Draw(q);
      });
    }
    r.ExpectSame("round " + std::to_string(round));
    if (HasFailure()) return;
  }
}

TEST(RasterPaths, TheFrameKindsOfQuadsMatch) {
  Renderers r;
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> byte(0, 255);
  const Image tile = MakeImage(64, 64, [&](int, int) { return Rgba{byte(rng), byte(rng), byte(rng), 255}; });
  const Image holes = MakeImage(64, 64, [&](int x, int y) {
    return Rgba{byte(rng), 80, 60, (x - 32) * (x - 32) + (y - 32) * (y - 32) < 300 ? 0 : byte(rng)};
  });
  const Image dark = MakeImage(kScreenWidth, kScreenHeight, [](int x, int y) {
    const int v = 250 - (std::abs(x - 512) + std::abs(y - 384)) / 8;
    return Rgba{v, v, v + 5, 255};
  });
  const Image blob = MakeImage(64, 64, [](int x, int y) {
    const int d = (x - 32) * (x - 32) + (y - 32) * (y - 32);
    return Rgba{255, 180, 80, d < 1024 ? 255 - d / 4 : 0};
  });
  int handles[4] = {};
  r.Each([&](SoftwareRenderer& s) {
    handles[0] = s.CreateTexture(tile);
    handles[1] = s.CreateTexture(holes);
    handles[2] = s.CreateTexture(dark);
    handles[3] = s.CreateTexture(blob);
    s.Clear(Bgr(40, 50, 60));
    s.SetQuality(0);
    for (int y = 0; y < 13; ++y)
      for (int x = 0; x < 13; ++x) {
        s.Draw(Quad(handles[0], 96 + x * 64, -32 + y * 64, 64, 64));
        s.Draw(Quad(handles[1], 96 + x * 64, -32 + y * 64, 64, 64));
      }
    s.SetQuality(1);
    for (int i = 0; i < 60; ++i) {
      s.SetBlendMode(kBlendSrcAlpha, i % 2 ? kBlendDstAlpha : kBlendInvSrcAlpha);
      s.Draw(Quad(handles[3], (i * 97) % 1100 - 50, (i * 61) % 800 - 40, 20 + i * 3, 20 + i * 3, i * 37.0f,
                  i % 5 == 0 ? 255 : 50 + i * 3));
    }
    // The one-colour blob under the blends that never read its alpha.
    s.SetBlendMode(kBlendDstColour, kBlendDstAlpha);
    for (int i = 0; i < 5; ++i) s.Draw(Quad(handles[3], 100 + i * 180, 300, 200 + i * 10, 200 + i * 10));
    s.SetBlendMode(kBlendSrcColour, kBlendDstColour);
    for (int i = 0; i < 3; ++i) s.Draw(Quad(handles[3], 150 + i * 250, 550, 90 + i * 7, 150, 20.0f * i, 180));
    // A texture too big for the 16-bit copy, turned and filtered.
    s.SetBlendMode(kBlendSrcAlpha, kBlendInvSrcAlpha);
    s.Draw(Quad(handles[2], 100, 80, 700, 500, 33.0f, 200));
    s.SetQuality(0);
    s.SetBlendMode(kBlendSrcColour, kBlendDstColour);
    s.Draw(Quad(handles[2], 0, 0, kScreenWidth, kScreenHeight));
  });
  r.ExpectSame("frame");
}

TEST(RasterPaths, FaintQuadsMatch) {
  // Weighted blends at low quad alpha skip the texels the alpha scales to nothing:
  // a ramp of low alphas, drawn at quad alphas around each cut (127 / alpha).
  Renderers r;
  const Image ramp = MakeImage(40, 40, [](int x, int y) { return Rgba{250, 120, 30, (x + y) * 40 / 78}; });
  const Image blob = MakeImage(33, 33, [](int x, int y) {
    const int d = (x - 16) * (x - 16) + (y - 16) * (y - 16);
    return Rgba{90, 200, 255, d < 256 ? 255 - d : 0};
  });
  int handles[2] = {};
  r.Each([&](SoftwareRenderer& s) {
    handles[0] = s.CreateTexture(ramp);
    handles[1] = s.CreateTexture(blob);
    s.Clear(Bgr(200, 150, 100));
    int i = 0;
    for (const int alpha : {1, 2, 4, 9, 18, 31, 32, 42, 43, 63, 64, 127, 128}) {
      for (const int quality : {0, 1}) {
        s.SetQuality(quality);
        s.SetBlendMode(kBlendSrcAlpha, i % 2 ? kBlendDstAlpha : kBlendInvSrcAlpha);
        s.Draw(Quad(handles[i % 2], 20 + (i * 53) % 960, 20 + (i * 37) % 700, 60 + i, 70, i * 23.0f, alpha));
        ++i;
      }
    }
  });
  r.ExpectSame("faint quads");
}

TEST(RasterPaths, SpansThatLeaveTheTextureAreClamped) {
  // A wide texture squeezed into a few pixels, rotated: coordinates at the quad's
  // edges step past the texture's border and must clamp like the plain path.
  Renderers r;
  const Image wide = MakeImage(4000, 3, [](int x, int y) {
    return Rgba{x % 256, y * 100, x / 16 % 256, 255};
  });
  r.Each([&](SoftwareRenderer& s) {
    const int t = s.CreateTexture(wide);
    s.Clear(0);
    for (int filter = 0; filter < 2; ++filter) {
      s.SetQuality(filter);
      for (int i = 0; i < 20; ++i)
        s.Draw(Quad(t, 30 + i * 40, 100 + filter * 200, 3 + i, 2 + i % 3, i * 19.0f));
    }
  });
  r.ExpectSame("minified");
}

}  // namespace
