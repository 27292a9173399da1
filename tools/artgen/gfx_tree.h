// The list of generated images, and writing them out as PNG files.
#pragma once

#include <string>
#include <vector>

#include "canvas.h"
#include "base/image.h"

namespace art {

struct GeneratedImage {
  std::string path;  // relative to the output directory, '/' separated ("GFX/HUD/Health.png")
  Storage storage = Storage::kAlpha;
  Image image;
};

using ImageList = std::vector<GeneratedImage>;

// Converts a canvas for its storage and appends it to the list.
void AddImage(ImageList& list, std::string path, Storage storage, const Canvas& canvas);

// Every image of the Data tree's GFX folder, each path starting with "GFX/".
ImageList DrawGfxTree();

// The two images built into the program: "banner.png" (512x128) and "credits.png" (512x20).
ImageList DrawEmbeddedImages();

// The program's icon for desktop menus at every size the icon theme gets (48, 64,
// 128 and 256 pixels square), each path "<size>x<size>/apps/vexmoor.png" as laid out
// under share/icons/hicolor.
ImageList DrawIcons();

// Writes each image under dir (creating folders): RGBA for alpha images, RGB for
// every other storage. False with a message on the first failure.
bool WriteImages(const ImageList& images, const std::string& dir, std::string& error);

}  // namespace art
