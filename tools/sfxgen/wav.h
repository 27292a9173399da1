// The WAV file sfxgen writes: RIFF, a 16-byte "fmt " chunk for 16-bit PCM, and one
// "data" chunk, little-endian throughout.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sfx {

// The bytes of a mono 16-bit PCM WAV file holding `samples` at `sampleRate`.
std::string EncodeWav(const std::vector<int16_t>& samples, int sampleRate);

// Writes EncodeWav's bytes to a host path; false when the file cannot be written.
bool WriteWav(const std::string& path, const std::vector<int16_t>& samples, int sampleRate);

}  // namespace sfx
