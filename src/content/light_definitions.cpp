#include "content/light_definitions.h"

#include <string>

#include "base/numbers.h"
#include "base/xml.h"
#include "world/assets.h"

bool LoadLightDefinitions(std::vector<int32_t>& loaded, SpriteStore& sprites, std::string_view path) {
  XmlNode root;
  if (!LoadXml(path, root) || root.name != "Lights") return false;
  for (int32_t number : loaded) {
    if (number != 0) ReleaseAsset(sprites, number);
  }
  loaded.clear();
  std::string directory = "Data\\GFX\\Light\\";
  std::string fileName;  // carried from one "Light" to the next
  for (const XmlNode& child : root.children) {
    if (child.name == "Path") {
      directory = child.text + "\\";
      continue;
    }
    if (child.name != "Light") continue;
    const int32_t number = static_cast<int32_t>(static_cast<uint32_t>(kLightSpriteBase) +
                                                static_cast<uint32_t>(ReadInt(child.Attribute("ID"))));
    for (const XmlNode& item : child.children) {
      if (item.name == "Image") fileName = item.Attribute("File");
    }
    if (LoadAssetKeyed(sprites, number, directory + fileName)) loaded.push_back(number);
  }
  return true;
}
