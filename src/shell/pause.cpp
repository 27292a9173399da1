#include "shell/pause.h"

#include <utility>

namespace {

constexpr uint32_t kWhite = 0x00FFFFFF;
constexpr uint32_t kGrey = 0x00C0C0C0;

// The band across the middle of the screen: "PAUSED" in the title pen, centred,
// and the keys in the debug pen centred under it.
constexpr int kBandY = 304;
constexpr int kBandHeight = 114;
constexpr int kTitleY = kBandY + 16;
constexpr int kKeysY = kTitleY + 58;
constexpr TextStyle kTitleStyle{38, true, true};
constexpr TextStyle kKeysStyle{14, false, true};

}  // namespace

void HoldPausePicture(PauseScreen& screen, SpriteStore& sprites) {
  Image picture;
  screen.pictureHeld = sprites.renderer().Capture(picture);
  if (!screen.pictureHeld) return;
  sprites.PutSprite(kPausePictureSprite, std::move(picture));
  screen.pictureHeld = sprites.CreateSprite3D(kPausePictureSprite, kPausePictureSprite);
  sprites.FreeSprite(kPausePictureSprite);  // the texture keeps the picture
}

void DropPausePicture(PauseScreen& screen, SpriteStore& sprites) {
  sprites.FreeSprite3D(kPausePictureSprite);
  screen.pictureHeld = false;
}

void DrawShade(SpriteStore& sprites, int x, int y, int width, int height, int alpha) {
  if (!sprites.HasSprite3D(kShadeSprite)) {
    Image pixel;
    pixel.Resize(1, 1);
    pixel.rgba = {0, 0, 0, 255};
    sprites.PutSprite(kShadeSprite, std::move(pixel));
    sprites.CreateSprite3D(kShadeSprite, kShadeSprite);
  }
  const int source = sprites.blendSource();
  const int destination = sprites.blendDestination();
  sprites.SetBlendMode(kBlendSrcAlpha, kBlendInvSrcAlpha);
  sprites.Zoom(kShadeSprite, width, height);
  sprites.Display(kShadeSprite, x, y, alpha);
  sprites.SetBlendMode(source, destination);
}

void DrawPauseScreen(const PauseScreen& screen, SpriteStore& sprites) {
  Renderer& renderer = sprites.renderer();
  renderer.Clear(0);
  renderer.BeginScene();
  if (screen.pictureHeld) {
    const int source = sprites.blendSource();
    const int destination = sprites.blendDestination();
    sprites.SetBlendMode(kBlendOne, kBlendZero);
    sprites.Display(kPausePictureSprite, 0, 0);
    sprites.SetBlendMode(source, destination);
  }
  DrawShade(sprites, 0, 0, kScreenWidth, kScreenHeight, 160);
  DrawShade(sprites, 0, kBandY, kScreenWidth, kBandHeight, 160);
  renderer.EndScene();
  renderer.DrawText(kScreenWidth / 2, kTitleY, "PAUSED", kWhite, kTitleStyle);
  renderer.DrawText(kScreenWidth / 2, kKeysY, "P or Pause: resume     F5: restart     Escape: quit", kGrey, kKeysStyle);
}
