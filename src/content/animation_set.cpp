#include "content/animation_set.h"

#include <string>

#include "base/numbers.h"
#include "render/sprites.h"
#include "base/xml.h"
#include "world/assets.h"

namespace {

// Frees the images of a table's frames (each number once: a repeated number no
// longer has an image the second time).
void FreeFrameImages(const FrameTable& table, SpriteStore& sprites) {
  for (int32_t sprite : table.frameSprites) {
    if (!sprites.HasSprite(sprite)) continue;
    sprites.FreeSprite3D(sprite);
    sprites.FreeSprite(sprite);
  }
}

std::shared_ptr<FrameTable> NewFrameTable(int32_t count) {
  auto table = std::make_shared<FrameTable>();
  table->count = count > kMaxFrameCount ? kMaxFrameCount : count;
  if (table->count >= 0) table->frameSprites.assign(static_cast<size_t>(table->count) + 1, 0);
  return table;
}

void LoadFrame(Animations& animations, SpriteStore& sprites, FrameTable* table, const std::string& directory,
               const XmlNode& element) {
  if (table == nullptr) return;  // a frame before any "Frames" has no table to go into
  const int32_t n = ReadInt(element.Attribute("F"));
  const int32_t number = kFrameSpriteBase + animations.nextFrameSprite;
  if (!LoadAssetKeyed(sprites, number, directory + element.Attribute("File"))) return;
  if (n >= 0 && n <= table->count) table->frameSprites[static_cast<size_t>(n)] = number;
  ++animations.nextFrameSprite;
}

void CopyFrame(FrameTable* table, const XmlNode& element) {
  if (table == nullptr) return;
  const int32_t n = ReadInt(element.Attribute("F"));
  const int32_t m = ReadInt(element.Attribute("Frame"));
  if (n < 0 || n > table->count) return;
  const bool sourceInside = m >= 0 && m <= table->count;
  table->frameSprites[static_cast<size_t>(n)] = sourceInside ? table->frameSprites[static_cast<size_t>(m)] : 0;
}

}  // namespace

bool LoadAnimation(Animations& animations, SpriteStore& sprites, std::string_view path, int32_t id) {
  if (!IsAnimationId(id)) return false;
  XmlNode root;
  if (!LoadXml(path, root) || root.name != "Animation") return false;
  std::shared_ptr<FrameTable>& entry = animations.table[static_cast<size_t>(id)];
  if (entry) {
    FreeFrameImages(*entry, sprites);
    entry.reset();
  }
  std::string directory;
  for (const XmlNode& child : root.children) {
    if (child.name == "Frames") {
      entry = NewFrameTable(ReadInt(child.text));
    } else if (child.name == "Frame") {
      LoadFrame(animations, sprites, entry.get(), directory, child);
    } else if (child.name == "FrameFromFrame") {
      CopyFrame(entry.get(), child);
    } else if (child.name == "Path") {
      directory = child.text + "\\";
    }
  }
  return true;
}

bool LoadAnimationSet(Animations& animations, SpriteStore& sprites, std::string_view path) {
  XmlNode root;
  if (!LoadXml(path, root) || root.name != "AnimationSet") return false;
  ReleaseAnimations(animations, sprites);
  std::string directory = "Data\\GFX\\Animation\\";
  std::string fileName;  // carried from one "Animation" to the next
  for (const XmlNode& child : root.children) {
    if (child.name == "Path") {
      directory = child.text + "\\";
      continue;
    }
    if (child.name != "Animation") continue;
    const int32_t id = ReadInt(child.Attribute("ID"));
    for (const XmlNode& item : child.children) {
      if (item.name == "File") {
        fileName = item.Attribute("File");
        LoadAnimation(animations, sprites, directory + fileName, id);
      } else if (item.name == "Type" && item.Attribute("T") == "Door") {
        DoorAnimationEntry entry{id, fileName, nullptr};
        if (IsAnimationId(id)) entry.frames = animations.table[static_cast<size_t>(id)];
        animations.doorAnimations.push_back(entry);
      }
    }
  }
  return true;
}

void ReleaseAnimations(Animations& animations, SpriteStore& sprites) {
  for (std::shared_ptr<FrameTable>& entry : animations.table) {
    if (!entry) continue;
    FreeFrameImages(*entry, sprites);
    entry.reset();
  }
}
