#include "gfx_tree.h"

#include <filesystem>
#include <system_error>
#include <utility>

#include "families.h"

namespace art {

void AddImage(ImageList& list, std::string path, Storage storage, const Canvas& canvas) {
  list.push_back({std::move(path), storage, ToImage(canvas, storage)});
}

ImageList DrawGfxTree() {
  ImageList list;
  AddHudIcons(list);
  AddHudText(list);
  AddSoldiers(list);
  AddTurret(list);
  AddParticles(list);
  AddItems(list);
  AddLights(list);
  AddFloors(list);
  AddWalls(list);
  AddDecos(list);
  AddLegs(list);
  AddDoors(list);
  return list;
}

ImageList DrawEmbeddedImages() {
  ImageList list;
  AddEmbedded(list);
  return list;
}

ImageList DrawIcons() {
  ImageList list;
  AddIcons(list);
  return list;
}

bool WriteImages(const ImageList& images, const std::string& dir, std::string& error) {
  for (const GeneratedImage& g : images) {
    const std::filesystem::path file = std::filesystem::path(dir) / g.path;
    std::error_code ec;
    std::filesystem::create_directories(file.parent_path(), ec);
    if (ec) {
      error = "cannot create " + file.parent_path().string() + ": " + ec.message();
      return false;
    }
    if (!WritePngFile(file.string(), g.image, g.storage == Storage::kAlpha)) {
      error = "cannot write " + file.string();
      return false;
    }
  }
  return true;
}

}  // namespace art
