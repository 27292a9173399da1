// A temporary working directory for tests of the content loaders: files are written
// under game paths ("Data\Maps\Test.map") and the test runs inside it.
#pragma once

#include <unistd.h>

#include <string>
#include <string_view>

#include "base/image.h"
#include "support/temp_dir.h"

class DataDir : public TempDir {
 public:
  DataDir() {
    char buffer[4096];
    if (getcwd(buffer, sizeof buffer) != nullptr) previous_ = buffer;
    if (chdir(path().c_str()) != 0) previous_.clear();
  }
  ~DataDir() {
    if (!previous_.empty() && chdir(previous_.c_str()) != 0) {
    }
  }
  // Writes a file at a game path (backslashes allowed).
  void Put(std::string_view gamePath, std::string_view bytes) const { Write(ToHost(gamePath), bytes); }
  // Writes a small PNG at a game path.
  void PutPng(std::string_view gamePath, int width = 4, int height = 4, uint8_t red = 200) const {
    Image image;
    image.Resize(width, height);
    for (size_t i = 0; i < image.rgba.size(); i += 4) {
      image.rgba[i] = red;
      image.rgba[i + 3] = 255;
    }
    std::vector<uint8_t> png;
    EncodePng(image, true, png);
    Put(gamePath, std::string_view(reinterpret_cast<const char*>(png.data()), png.size()));
  }

 private:
  static std::string ToHost(std::string_view gamePath) {
    std::string host(gamePath);
    for (char& c : host) {
      if (c == '\\') c = '/';
    }
    return host;
  }
  std::string previous_;
};
