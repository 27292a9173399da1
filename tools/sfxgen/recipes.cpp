#include "recipes.h"

#include <utility>

namespace sfx {

namespace {

// An envelope that starts at once (half a millisecond) and decays with `tau`.
Envelope Hit(float tau) {
  return {0.0005f, 0.0f, tau};
}
Envelope Swell(float attack, float hold, float tau) {
  return {attack, hold, tau};
}

Layer Noise(Filter filter, Envelope envelope, float amplitude, float start = 0.0f) {
  Layer layer;
  layer.wave = Wave::kNoise;
  layer.start = start;
  layer.filter = filter;
  layer.envelope = envelope;
  layer.amplitude = amplitude;
  return layer;
}

Layer Tone(Wave wave, Sweep pitch, Envelope envelope, float amplitude, float start = 0.0f) {
  Layer layer;
  layer.wave = wave;
  layer.start = start;
  layer.pitch = pitch;
  layer.envelope = envelope;
  layer.amplitude = amplitude;
  return layer;
}

Layer Sine(float hz, Envelope envelope, float amplitude, float start = 0.0f) {
  return Tone(Wave::kSine, {hz, hz, 0.0f}, envelope, amplitude, start);
}

// A sine gliding from `from` toward `to`: the body of a shot, a thud.
Layer Drop(float from, float to, float tau, Envelope envelope, float amplitude, float start = 0.0f) {
  return Tone(Wave::kSine, {from, to, tau}, envelope, amplitude, start);
}

// A recipe of `duration` seconds mixed with `drive` (the name comes from the game).
Recipe Sound(float duration, float drive, std::vector<Layer> layers) {
  return {"", duration, drive, std::move(layers)};
}

Layer Grainy(Layer layer, float rate, float depth) {
  layer.grainRate = rate;
  layer.grainDepth = depth;
  return layer;
}

Layer Sparse(Layer layer, float density) {
  layer.density = density;
  return layer;
}

Layer Filtered(Layer layer, Filter filter) {
  layer.filter = filter;
  return layer;
}

// Guns: a broadband crack, a filtered blast and a low body dropping in pitch.
Recipe Pistol() {
  return Sound(0.35f, 1.5f,
               {Noise(HighPass(900.0f), Hit(0.035f), 1.0f), Noise(BandPass(2500.0f, 1.2f), Hit(0.012f), 0.6f),
                Drop(170.0f, 55.0f, 0.04f, Hit(0.06f), 0.8f)});
}

Recipe PumpGun() {
  return Sound(
      0.9f, 2.0f,
      {Noise(LowPass(3000.0f, 800.0f, 0.1f), Hit(0.12f), 1.0f),
       Noise(BandPass(3000.0f, 1.5f), Hit(0.015f), 0.6f), Drop(120.0f, 40.0f, 0.08f, Hit(0.15f), 1.0f),
       // The pump worked back and forth.
       Noise(BandPass(1800.0f, 3.0f), Hit(0.01f), 0.35f, 0.45f),
       Noise(BandPass(1200.0f, 3.0f), Hit(0.015f), 0.45f, 0.58f)});
}

Recipe Automatic() {
  return Sound(0.22f, 1.6f,
               {Noise(BandPass(1600.0f, 0.9f), Hit(0.025f), 1.0f),
                Noise(HighPass(3000.0f), Hit(0.008f), 0.5f), Drop(200.0f, 70.0f, 0.03f, Hit(0.035f), 0.7f)});
}

// A hollow thump and a puff: the grenade leaves the tube.
Recipe GrenadeLauncher() {
  return Sound(0.5f, 1.2f,
               {Drop(260.0f, 85.0f, 0.05f, Swell(0.003f, 0.0f, 0.09f), 1.0f),
                Noise(LowPass(700.0f), Swell(0.002f, 0.0f, 0.05f), 0.6f),
                Noise(BandPass(1800.0f, 2.0f), Hit(0.006f), 0.3f)});
}

Recipe SoldierShot() {
  return Sound(0.32f, 1.5f,
               {Noise(BandPass(1100.0f, 0.8f), Hit(0.045f), 1.0f),
                Noise(HighPass(2500.0f), Hit(0.006f), 0.4f), Drop(150.0f, 60.0f, 0.05f, Hit(0.07f), 0.7f)});
}

// A falling square-wave zap over a hiss and a small thump.
Recipe TurretShot() {
  return Sound(0.2f, 1.3f,
               {Tone(Wave::kSquare, {1400.0f, 350.0f, 0.03f}, Hit(0.04f), 0.5f),
                Noise(HighPass(2200.0f), Hit(0.02f), 0.6f), Sine(90.0f, Hit(0.05f), 0.4f)});
}

// Concrete: a grainy, crumbling low noise after a short click.
Recipe ImpactDust() {
  return Sound(0.35f, 1.0f,
               {Grainy(Noise(LowPass(1400.0f), Swell(0.001f, 0.0f, 0.06f), 1.0f), 180.0f, 0.8f),
                Drop(110.0f, 70.0f, 0.03f, Hit(0.03f), 0.5f), Noise(BandPass(3000.0f), Hit(0.004f), 0.4f)});
}

// Metal: inharmonic ringing partials and a ricochet whine gliding down.
Recipe ImpactMetal() {
  return Sound(
      0.5f, 1.0f,
      {Sine(2150.0f, Hit(0.14f), 0.5f), Sine(3390.0f, Hit(0.10f), 0.35f), Sine(5010.0f, Hit(0.07f), 0.25f),
       Drop(3600.0f, 1700.0f, 0.15f, Swell(0.01f, 0.0f, 0.12f), 0.35f),
       Noise(HighPass(4000.0f), Hit(0.005f), 0.6f)});
}

// Electronics: sparse electric crackles, a mains buzz and a small zap.
Recipe ImpactElectronics() {
  return Sound(0.45f, 1.0f,
               {Sparse(Noise(HighPass(2500.0f), Hit(0.15f), 1.0f), 0.02f),
                Filtered(Tone(Wave::kSaw, {120.0f, 120.0f, 0.0f}, Hit(0.1f), 0.3f), LowPass(2000.0f)),
                Tone(Wave::kSquare, {1800.0f, 900.0f, 0.05f}, Hit(0.03f), 0.25f),
                Noise(BandPass(1500.0f), Hit(0.01f), 0.5f)});
}

// Leaves: a high rustle with a quick random flutter and a soft thud.
Recipe ImpactVegetation() {
  return Sound(0.4f, 1.0f,
               {Grainy(Noise(BandPass(4200.0f, 0.8f), Swell(0.005f, 0.0f, 0.1f), 1.0f), 60.0f, 0.9f),
                Noise(LowPass(600.0f), Hit(0.03f), 0.4f)});
}

// A dull, wet thud.
Recipe BodyHit() {
  return Sound(0.28f, 1.2f,
               {Drop(95.0f, 50.0f, 0.04f, Swell(0.002f, 0.0f, 0.06f), 1.0f),
                Noise(LowPass(600.0f, 0.0f, 0.0f, 1.0f), Hit(0.05f), 0.7f),
                Grainy(Noise(BandPass(900.0f, 2.0f), Hit(0.02f), 0.3f), 90.0f, 0.6f)});
}

// A broadband blast, then a long rumble of brown noise whose low-pass closes, over a
// sub-bass drop.
Recipe Explosion() {
  Layer rumble = Grainy(Noise(LowPass(900.0f, 200.0f, 0.5f), Swell(0.004f, 0.0f, 0.55f), 1.0f), 25.0f, 0.4f);
  rumble.wave = Wave::kBrownNoise;
  return Sound(2.0f, 2.5f,
               {rumble, Noise(LowPass(5000.0f), Hit(0.06f), 0.9f),
                Drop(60.0f, 28.0f, 0.3f, Swell(0.005f, 0.0f, 0.35f), 0.9f)});
}

// A metal can clunking on the floor.
Recipe GrenadeBounce() {
  return Sound(
      0.22f, 1.0f,
      {Sine(820.0f, Hit(0.03f), 0.6f), Sine(1340.0f, Hit(0.02f), 0.4f), Sine(2210.0f, Hit(0.012f), 0.25f),
       Noise(BandPass(2000.0f), Hit(0.004f), 0.5f), Sine(180.0f, Hit(0.02f), 0.4f)});
}

// Doors: a motor's filtered saw gliding up (opening) or down (closing) for the
// 0.9 s the door moves, a sliding hiss, and a clunk as it stops.
Recipe Door(float from, float to, float stopHz, float stopAmplitude) {
  return Sound(
      1.1f, 1.0f,
      {Filtered(Tone(Wave::kSaw, {from, to, 0.35f}, Swell(0.08f, 0.62f, 0.08f), 0.35f), LowPass(600.0f)),
       Noise(BandPass(900.0f, 1.5f), Swell(0.12f, 0.58f, 0.08f), 0.4f),
       Drop(stopHz, stopHz * 0.55f, 0.04f, Hit(0.07f), stopAmplitude, 0.88f),
       Noise(LowPass(1100.0f), Hit(0.04f), 0.5f, 0.88f), Noise(BandPass(2500.0f), Hit(0.006f), 0.3f, 0.88f)});
}

// Reloads: the magazine's release click, its slide and a second click; then the
// magazine seated and the bolt let forward.
Recipe ReloadStart() {
  return Sound(0.4f, 1.0f,
               {Noise(BandPass(3200.0f, 4.0f), Hit(0.004f), 0.9f), Sine(2300.0f, Hit(0.008f), 0.3f),
                Grainy(Noise(BandPass(1800.0f, 2.0f), Swell(0.03f, 0.1f, 0.03f), 0.35f, 0.06f), 120.0f, 0.5f),
                Noise(BandPass(2200.0f, 4.0f), Hit(0.006f), 0.7f, 0.28f)});
}

Recipe ReloadEnd() {
  return Sound(0.45f, 1.0f,
               {Noise(BandPass(1500.0f, 3.0f), Hit(0.008f), 0.8f), Sine(700.0f, Hit(0.015f), 0.4f),
                Noise(BandPass(2600.0f, 3.0f), Hit(0.006f), 1.0f, 0.2f),
                Noise(BandPass(1000.0f, 2.0f), Hit(0.02f), 0.7f, 0.2f),
                Drop(400.0f, 250.0f, 0.02f, Hit(0.03f), 0.4f, 0.2f)});
}

// A dry, tiny click.
Recipe EmptyClick() {
  return Sound(0.1f, 1.0f,
               {Noise(BandPass(3500.0f, 5.0f), Hit(0.003f), 1.0f), Sine(1900.0f, Hit(0.01f), 0.35f)});
}

// A soft boot on the floor: a low thump and a little scuff.
Recipe Footstep() {
  return Sound(0.18f, 1.0f,
               {Noise(LowPass(350.0f, 0.0f, 0.0f, 0.8f), Swell(0.002f, 0.0f, 0.03f), 1.0f),
                Drop(75.0f, 50.0f, 0.02f, Hit(0.025f), 0.6f),
                Noise(BandPass(2500.0f), Swell(0.01f, 0.0f, 0.02f), 0.15f, 0.01f)});
}

Recipe ByIdWithoutName(SoundId id) {
  switch (id) {
    case SoundId::kPistol:
      return Pistol();
    case SoundId::kPumpGun:
      return PumpGun();
    case SoundId::kAutomatic:
      return Automatic();
    case SoundId::kGrenadeLauncher:
      return GrenadeLauncher();
    case SoundId::kSoldierShot:
      return SoldierShot();
    case SoundId::kTurretShot:
      return TurretShot();
    case SoundId::kImpactDust:
      return ImpactDust();
    case SoundId::kImpactMetal:
      return ImpactMetal();
    case SoundId::kImpactElectronics:
      return ImpactElectronics();
    case SoundId::kImpactVegetation:
      return ImpactVegetation();
    case SoundId::kBodyHit:
      return BodyHit();
    case SoundId::kExplosion:
      return Explosion();
    case SoundId::kGrenadeBounce:
      return GrenadeBounce();
    case SoundId::kDoorOpen:
      return Door(70.0f, 140.0f, 110.0f, 0.8f);
    case SoundId::kDoorClose:
      return Door(140.0f, 75.0f, 85.0f, 1.0f);
    case SoundId::kReloadStart:
      return ReloadStart();
    case SoundId::kReloadEnd:
      return ReloadEnd();
    case SoundId::kEmptyClick:
      return EmptyClick();
    case SoundId::kFootstep:
      return Footstep();
    case SoundId::kCount:
      break;
  }
  return {};
}

}  // namespace

Recipe SoundRecipe(SoundId id) {
  Recipe recipe = ByIdWithoutName(id);
  recipe.name = SoundName(id);
  return recipe;
}

Samples RenderSound(SoundId id) {
  return Render(SoundRecipe(id), static_cast<uint32_t>(id) + 1u);
}

}  // namespace sfx
