// Our software renderer on the reference frame of scene.h, driven by the shared
// benchmark driver, followed by micro figures of the costly quad kinds and a
// particle-heavy figure: twenty explosions live at once, drawn by the game's own
// particle step. With --threads N the renderer draws on N threads, band by band,
// when the frame is finished, as the game does at Present: the driver's flushes
// between layers then wait for nothing, the last one draws the whole frame (so the
// frame time includes all the drawing, and the per-layer split shows only where
// the draws were handed over).
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "bench_main.h"
#include "effects/bursts.h"
#include "render/software_renderer.h"
#include "render/sprites.h"

namespace {

std::unique_ptr<SoftwareRenderer> g_renderer;
int g_texture[NTEX];

// squad_t blend -> blend factor pair.
const int kFactors[4][2] = {{kBlendSrcAlpha, kBlendInvSrcAlpha},
                            {kBlendSrcAlpha, kBlendDstAlpha},
                            {kBlendDstColour, kBlendDstAlpha},
                            {kBlendSrcColour, kBlendDstColour}};

Image ImageOf(const tex_t& t) {
  Image image;
  image.Resize(t.w, t.h);
  for (int i = 0; i < t.w * t.h; ++i) {
    const uint32_t p = t.px[i];
    uint8_t* o = &image.rgba[static_cast<size_t>(i) * 4];
    o[0] = static_cast<uint8_t>(p >> 16);
    o[1] = static_cast<uint8_t>(p >> 8);
    o[2] = static_cast<uint8_t>(p);
    o[3] = static_cast<uint8_t>(p >> 24);
  }
  return image;
}

int g_drawsSinceFill = 0;
bool g_finishEachDraw = false;  // the full-screen pass: every flush ends its drawing

void Fill(uint32_t xrgb) {
  g_renderer->Clear((xrgb & 0xFF) << 16 | (xrgb & 0xFF00) | (xrgb >> 16 & 0xFF));
  g_drawsSinceFill = 0;
}

void Draw(const squad_t* q) {
  QuadDraw d;
  d.texture = g_texture[q->tex];
  d.x = static_cast<int>(std::lrint(q->cx - q->dw / 2));
  d.y = static_cast<int>(std::lrint(q->cy - q->dh / 2));
  d.width = static_cast<int>(std::lrint(q->dw));
  d.height = static_cast<int>(std::lrint(q->dh));
  d.angle = q->angle * (180.0f / 3.14159265f);
  d.alpha = static_cast<int>(std::lrint(q->alpha * 255.0f));
  g_renderer->SetBlendMode(kFactors[q->blend][0], kFactors[q->blend][1]);
  g_renderer->SetQuality(q->bilinear);
  g_renderer->Draw(d);
  ++g_drawsSinceFill;
}

// The driver flushes after the clear, after each layer and after the frame's last
// quad; only that last one (or one after a lone full-screen pass) finishes.
void Flush() {
  if (g_finishEachDraw || g_drawsSinceFill >= g_nq) g_renderer->Finish();
}

void FullPass() {
  g_finishEachDraw = true;
  squad_t q{};
  q.tex = TX_FULL;
  q.cx = SCR_W / 2;
  q.cy = SCR_H / 2;
  q.dw = SCR_W;
  q.dh = SCR_H;
  q.alpha = 1;
  q.blend = BL_NORMAL;
  Draw(&q);
}

uint32_t* Pixels(int* stride) {
  *stride = g_renderer->pitch();
  return const_cast<uint32_t*>(g_renderer->pixels());
}

// Median time of drawing quads [first, first + count) of g_q, over runs repetitions.
void Micro(const char* label, int first, int count, int runs) {
  static double times[1000];
  Fill(0x303030);
  for (int r = 0; r < runs + 5; ++r) {
    const double t0 = now_ms();
    for (int i = first; i < first + count; ++i) Draw(&g_q[i]);
    g_renderer->Finish();
    if (r >= 5) times[r - 5] = now_ms() - t0;
  }
  print_stats(label, times, runs);
}

void MicroFigures() {
  printf("micro figures\n");
  make_scene(300);
  int firstParticle = -1, particles = 0, dark = -1;
  for (int i = 0; i < g_nq; ++i) {
    if (g_q[i].layer == LY_PART && particles++ == 0) firstParticle = i;
    if (g_q[i].layer == LY_DARK) dark = i;
  }
  Micro("  full-screen darkness quad", dark, 1, 200);
  g_nq = 0;
  add_quad(TX_LIGHT, 512, 384, 256, 256, 0.5f, 1, BL_LIGHT, 1, LY_LIGHT);
  Micro("  256x256 rotated bilinear light", 0, 1, 500);
  make_scene(300);
  Micro("  300 rotated scaled particles", firstParticle, particles, 100);
}

// The images an explosion draws, from the assembled Data tree.
struct ExplosionImage {
  int number;
  const char* file;
  bool ownAlpha;
};
const ExplosionImage kExplosionImages[] = {{kFire1Sprite, "Fire 001.png", false},
                                           {kFire2Sprite, "Fire 002.png", false},
                                           {kSmokeBlackSprite, "SmokeBlack.png", true}};

// A 64x64 soft disc, the size of the real particle images: the stand-in when the
// Data tree is not there. Keyed images get a black surround, own-alpha ones a fading
// alpha.
Image StandIn(bool ownAlpha) {
  Image image;
  image.Resize(64, 64);
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) {
      const float d = std::hypot(x - 31.5f, y - 31.5f) / 32.0f;
      const int v = d >= 1.0f ? 0 : static_cast<int>(255 * (1.0f - d));
      uint8_t* o = &image.rgba[(static_cast<size_t>(y) * 64 + x) * 4];
      o[0] = ownAlpha ? 20 : static_cast<uint8_t>(v);
      o[1] = ownAlpha ? 20 : static_cast<uint8_t>(v * 3 / 5);
      o[2] = ownAlpha ? 20 : static_cast<uint8_t>(v / 5);
      o[3] = ownAlpha ? static_cast<uint8_t>(v) : (v == 0 ? 0 : 255);
    }
  }
  return image;
}

// True when every image came from the Data tree under dataDir.
bool LoadExplosionImages(SpriteStore& sprites, const std::string& dataDir) {
  bool real = true;
  for (const ExplosionImage& image : kExplosionImages) {
    const std::string path = dataDir + "/Data\\GFX\\Particle\\" + image.file;
    if (!sprites.LoadSprite(image.number, path, kSpriteTexture | (image.ownAlpha ? kSpriteAlpha : 0))) {
      sprites.PutSprite(image.number, StandIn(image.ownAlpha));
      real = false;
    }
    sprites.CreateSprite3D(image.number, image.number);
  }
  return real;
}

// Twenty explosions over a 5 x 4 grid, one every second frame at 60 frames a
// second, aged to the frame after the last: all 340 particles live, from fresh to
// two thirds of the fire's life. Then frame step 15 (move, draw the alpha list,
// switch the blending, draw the additive list) on that same scene, timed.
void ParticleFigure(const std::string& dataDir, int frames) {
  SpriteStore sprites(*g_renderer);
  const bool real = LoadExplosionImages(sprites, dataDir);
  sprites.SetQuality(1);  // the game's filtering default
  float now = 1.0f;
  Camera camera;
  ParticleSystem system;
  InitParticleSystem(system, &now, &camera, kParticleTickInterval);
  std::vector<TimedLight> flashes;
  Rng rng(1);
  BurstTargets fx{system, flashes, rng, now};
  for (int frame = 0; frame <= 40; ++frame) {
    now = 1.0f + static_cast<float>(frame) / 60.0f;
    if (frame % 2 == 0 && frame < 40) {
      const int i = frame / 2;
      fx.now = now;
      SpawnExplosion(fx, 112.0f + 200.0f * static_cast<float>(i % 5), 96.0f + 192.0f * static_cast<float>(i / 5));
    }
    UpdateParticles(system.alphaParticles, system.settings.nextTickAlpha, system.settings);
    UpdateParticles(system.additiveParticles, system.settings.nextTickAdditive, system.settings);
  }
  // Held at the next tick (not past it): every timed frame moves and draws alike.
  now = std::min(system.settings.nextTickAlpha, system.settings.nextTickAdditive);
  const ParticleSystem scene = system;
  const size_t live = scene.alphaParticles.size() + scene.additiveParticles.size();
  printf("particle figure: 20 explosions live at once, %zu particles, %s\n", live,
         real ? "real images from the Data tree" : "64x64 stand-ins (no Data tree)");
  static double times[1000];
  const int runs = std::clamp(frames, 1, 1000);
  for (int r = 0; r < runs + 5; ++r) {
    system = scene;
    Fill(0x404040);
    sprites.SetBlendMode(kBlendSrcAlpha, kBlendInvSrcAlpha);
    const double t0 = now_ms();
    RunParticles(system, sprites);
    g_renderer->Finish();
    if (r >= 5) times[r - 5] = now_ms() - t0;
  }
  print_stats("  20 explosions, particle step", times, runs);
}

}  // namespace

// --data DIR: the folder holding the assembled Data tree (default: the build tree).
// --threads N: draw on N threads (default 1). --avx2: kernels up to AVX2 (no
// AVX-512); --sse2: SSE2 kernels only; --scalar: no vector kernels at all.
int main(int argc, char** argv) {
  RasterPaths paths;
  std::string dataDir = BENCH_BUILD_DIR;
  int threads = 1;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--data") == 0 && i + 1 < argc) dataDir = argv[++i];
    if (std::strcmp(argv[i], "--threads") == 0 && i + 1 < argc) threads = std::atoi(argv[++i]);
    if (std::strcmp(argv[i], "--avx2") == 0) paths.avx512 = false;
    if (std::strcmp(argv[i], "--sse2") == 0) paths.avx2 = false;
    if (std::strcmp(argv[i], "--scalar") == 0) paths.simd = paths.avx2 = false;
  }
  g_renderer = std::make_unique<SoftwareRenderer>(threads);
  g_renderer->SetRasterPaths(paths);
  const std::string kernels = !paths.simd ? ", scalar kernels" : !paths.avx2 ? ", SSE2 kernels only"
                              : !paths.avx512 ? ", kernels up to AVX2" : "";
  const std::string name = "vexmoor SoftwareRenderer (" + std::to_string(g_renderer->threads()) +
                           (g_renderer->threads() == 1 ? " thread" : " threads") + kernels + ")";
  peer_t peer = {name.c_str(), Fill, Draw, Flush, FullPass, Pixels};
  make_textures();
  for (int i = 0; i < NTEX; ++i) g_texture[i] = g_renderer->CreateTexture(ImageOf(g_tex[i]));
  const int status = bench_main(&peer, argc, argv);
  const opts_t o = parse_opts(argc, argv);
  if (status == 0 && !o.check && !o.dump && g_renderer->threads() > 1) {
    printf("(%d threads: the frame is drawn band by band when finished, after its last layer; the per-layer\n"
           " figures show only the handing over of the draws)\n",
           g_renderer->threads());
  }
  if (status == 0 && !o.check && !o.dump) {
    MicroFigures();
    ParticleFigure(dataDir, o.frames);
  }
  return status;
}
