#include "fuzz_tree.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace {

namespace fs = std::filesystem;

// The tree of this process, removed when the process ends normally.
struct ScratchTree {
  fs::path root;

  ScratchTree() {
    std::string pattern = (fs::temp_directory_path() / "vexmoor-fuzz-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
      std::perror("vexmoor fuzz: mkdtemp");
      std::abort();
    }
    root = pattern;
    fs::create_directories(root / "Data" / "Maps");
    const char* data = std::getenv("VEXMOOR_FUZZ_DATA");
    std::error_code error;
    if (data != nullptr && fs::is_directory(fs::path(data) / "GFX", error)) {
      fs::create_directory_symlink(fs::absolute(fs::path(data) / "GFX"), root / "Data" / "GFX");
    } else {
      fs::create_directories(root / "Data" / "GFX");
    }
  }
  ~ScratchTree() {
    std::error_code error;
    fs::remove_all(root, error);  // does not follow the GFX link
  }
};

const fs::path& ScratchRoot() {
  static const ScratchTree tree;
  return tree.root;
}

}  // namespace

InFuzzTree::InFuzzTree() {
  const fs::path& root = ScratchRoot();
  previous_ = open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (chdir(root.c_str()) != 0) {
    std::perror("vexmoor fuzz: chdir");
    std::abort();
  }
}

InFuzzTree::~InFuzzTree() {
  if (previous_ < 0) return;
  if (fchdir(previous_) != 0) std::perror("vexmoor fuzz: fchdir");
  close(previous_);
}

void PutFuzzFile(std::string_view gamePath, std::string_view bytes) {
  std::string host(gamePath);
  for (char& c : host) {
    if (c == '\\') c = '/';
  }
  std::ofstream out(host, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) {
    std::fprintf(stderr, "vexmoor fuzz: cannot write %s\n", host.c_str());
    std::abort();
  }
}
