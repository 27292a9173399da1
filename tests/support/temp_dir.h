// A fresh directory under /tmp for one test, removed with everything in it when the
// object goes away.
#pragma once

#include <string>
#include <string_view>

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  // Host path of a file inside the directory.
  std::string File(std::string_view relative) const;
  // Writes bytes to a file inside the directory, creating parent directories.
  void Write(std::string_view relative, std::string_view bytes) const;

 private:
  std::string path_;
};

// The whole of a file's bytes; empty when it cannot be read.
std::string ReadAll(const std::string& path);

// Paths of the source and build trees, for tests that read data or run programs.
inline std::string SourceDir() { return VEXMOOR_SOURCE_DIR; }
inline std::string BuildDir() { return VEXMOOR_BUILD_DIR; }
