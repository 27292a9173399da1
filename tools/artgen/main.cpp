// artgen: draws the game's images.
//   artgen --out DIR              writes DIR/GFX/... (every image of the Data tree)
//   artgen --embedded DIR         writes DIR/banner.png and DIR/credits.png
//   artgen --icons DIR            writes DIR/<size>x<size>/apps/vexmoor.png (the menu icon)
//   artgen --contact-sheet FILE   writes one PNG showing every image with its name
//   artgen --mock-scene FILE      writes a mock game frame lit the way the game lights it
//   artgen --only TEXT            limits the contact sheet to paths containing TEXT
//   artgen --zoom N               enlarges the contact sheet's pictures N times
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "gfx_tree.h"
#include "sheets.h"

namespace {

struct Options {
  std::string out;
  std::string embedded;
  std::string icons;
  std::string contactSheet;
  std::string mockScene;
  std::string only;
  std::string zoom = "1";
};

void PrintUsage(std::FILE* to) {
  std::fputs(
      "usage: artgen [--out DIR] [--embedded DIR] [--icons DIR] [--contact-sheet FILE] [--mock-scene FILE]\n"
      "              [--only TEXT] [--zoom N]\n"
      "  --out DIR             write every image of the Data tree under DIR/GFX\n"
      "  --embedded DIR        write banner.png and credits.png into DIR\n"
      "  --icons DIR           write the menu icon as DIR/<size>x<size>/apps/vexmoor.png\n"
      "  --contact-sheet FILE  write a PNG showing every image with its name\n"
      "  --mock-scene FILE     write a mock game frame with the game's light blending\n"
      "  --only TEXT           show only paths containing TEXT on the contact sheet\n"
      "  --zoom N              enlarge the contact sheet's pictures N times (1-8)\n",
      to);
}

// Returns 0 when parsed, 1 on an error, 2 when help was asked for.
int Parse(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string flag = argv[i];
    if (flag == "--help" || flag == "-h") return 2;
    std::string* target = flag == "--out"             ? &options.out
                          : flag == "--embedded"      ? &options.embedded
                          : flag == "--icons"         ? &options.icons
                          : flag == "--contact-sheet" ? &options.contactSheet
                          : flag == "--mock-scene"    ? &options.mockScene
                          : flag == "--only"          ? &options.only
                          : flag == "--zoom"          ? &options.zoom
                                                      : nullptr;
    if (target == nullptr || i + 1 >= argc || argv[i + 1][0] == '\0') {
      std::fprintf(stderr, "artgen: bad argument '%s'\n", argv[i]);
      return 1;
    }
    *target = argv[++i];
  }
  if (options.out.empty() && options.embedded.empty() && options.icons.empty() && options.contactSheet.empty() &&
      options.mockScene.empty()) {
    std::fputs("artgen: nothing to do\n", stderr);
    return 1;
  }
  return 0;
}

bool WritePicture(const std::string& file, const Image& image) {
  if (WritePngFile(file, image, false)) return true;
  std::fprintf(stderr, "artgen: cannot write %s\n", file.c_str());
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  const int parsed = Parse(argc, argv, options);
  if (parsed != 0) {
    PrintUsage(parsed == 2 ? stdout : stderr);
    return parsed == 2 ? 0 : 1;
  }
  std::string error;
  art::ImageList tree;
  if (!options.out.empty() || !options.contactSheet.empty() || !options.mockScene.empty()) {
    tree = art::DrawGfxTree();
  }
  if (!options.out.empty() && !art::WriteImages(tree, options.out, error)) {
    std::fprintf(stderr, "artgen: %s\n", error.c_str());
    return 1;
  }
  if (!options.embedded.empty() || !options.contactSheet.empty() || !options.mockScene.empty()) {
    art::ImageList embedded = art::DrawEmbeddedImages();
    if (!options.embedded.empty() && !art::WriteImages(embedded, options.embedded, error)) {
      std::fprintf(stderr, "artgen: %s\n", error.c_str());
      return 1;
    }
    for (art::GeneratedImage& g : embedded) tree.push_back(std::move(g));
  }
  if (!options.icons.empty() && !art::WriteImages(art::DrawIcons(), options.icons, error)) {
    std::fprintf(stderr, "artgen: %s\n", error.c_str());
    return 1;
  }
  if (!options.contactSheet.empty() &&
      !WritePicture(options.contactSheet, art::ContactSheet(tree, options.only, std::atoi(options.zoom.c_str())))) {
    return 1;
  }
  if (!options.mockScene.empty() && !WritePicture(options.mockScene, art::MockScene(tree))) return 1;
  return 0;
}
