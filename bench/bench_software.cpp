// Our software renderer on the reference frame of scene.h, driven by the shared
// benchmark driver, followed by micro figures of the costly quad kinds.
#include <cmath>
#include <cstring>
#include <memory>

#include "bench_main.h"
#include "services/software_renderer.h"

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

void Fill(uint32_t xrgb) {
  g_renderer->Clear((xrgb & 0xFF) << 16 | (xrgb & 0xFF00) | (xrgb >> 16 & 0xFF));
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
}

void Flush() {}

void FullPass() {
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

}  // namespace

// --sse2: SSE2 kernels only (no AVX2); --scalar: no vector kernels at all.
int main(int argc, char** argv) {
  peer_t peer = {"vexmoor SoftwareRenderer", Fill, Draw, Flush, FullPass, Pixels};
  g_renderer = std::make_unique<SoftwareRenderer>();
  RasterPaths paths;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--sse2") == 0) paths.avx2 = false;
    if (std::strcmp(argv[i], "--scalar") == 0) paths.simd = paths.avx2 = false;
  }
  g_renderer->SetRasterPaths(paths);
  if (!paths.avx2)
    peer.name = paths.simd ? "vexmoor SoftwareRenderer (SSE2 kernels only)"
                           : "vexmoor SoftwareRenderer (scalar kernels)";
  make_textures();
  for (int i = 0; i < NTEX; ++i) g_texture[i] = g_renderer->CreateTexture(ImageOf(g_tex[i]));
  const int status = bench_main(&peer, argc, argv);
  const opts_t o = parse_opts(argc, argv);
  if (status == 0 && !o.check && !o.dump) MicroFigures();
  return status;
}
