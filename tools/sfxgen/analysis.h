// Numbers that describe a rendered sound, for checking sounds nobody can listen to
// here: length, peak, RMS and spectral centroid.
#pragma once

#include "synth.h"

namespace sfx {

struct Measures {
  float seconds = 0.0f;
  float peak = 0.0f;        // largest absolute sample
  float rms = 0.0f;         // root mean square over the whole sound
  float centroidHz = 0.0f;  // power-weighted mean frequency of the spectrum
};

// The spectrum is summed over Hann-windowed frames of 1024 samples, half
// overlapping, so the loud part of a sound dominates its centroid.
Measures Measure(const Samples& samples, int sampleRate = kSampleRate);

}  // namespace sfx
