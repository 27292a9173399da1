#include "wav.h"

#include <fstream>

namespace sfx {

namespace {

void Put16(std::string& out, uint32_t value) {
  out += static_cast<char>(value & 0xff);
  out += static_cast<char>((value >> 8) & 0xff);
}

void Put32(std::string& out, uint32_t value) {
  Put16(out, value & 0xffff);
  Put16(out, value >> 16);
}

constexpr uint32_t kChannels = 1;
constexpr uint32_t kBytesPerSample = 2;

}  // namespace

std::string EncodeWav(const std::vector<int16_t>& samples, int sampleRate) {
  const auto rate = static_cast<uint32_t>(sampleRate);
  const auto dataBytes = static_cast<uint32_t>(samples.size() * kBytesPerSample);
  std::string out;
  out.reserve(44 + dataBytes);
  out += "RIFF";
  Put32(out, 36 + dataBytes);  // everything after this field
  out += "WAVE";
  out += "fmt ";
  Put32(out, 16);  // chunk size
  Put16(out, 1);   // PCM
  Put16(out, kChannels);
  Put32(out, rate);
  Put32(out, rate * kChannels * kBytesPerSample);  // bytes per second
  Put16(out, kChannels * kBytesPerSample);         // block align
  Put16(out, 8 * kBytesPerSample);                 // bits per sample
  out += "data";
  Put32(out, dataBytes);
  for (int16_t s : samples) Put16(out, static_cast<uint16_t>(s));
  return out;
}

bool WriteWav(const std::string& path, const std::vector<int16_t>& samples, int sampleRate) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (!file) return false;
  const std::string bytes = EncodeWav(samples, sampleRate);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  file.close();
  return !file.fail();
}

}  // namespace sfx
