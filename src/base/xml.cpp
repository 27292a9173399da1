// XML documents through expat. The parser is created for ISO-8859-1, which
// overrides whatever encoding the document declares; expat hands names and text
// over as UTF-8, and they are turned back into one byte per character here.
#include "base/xml.h"

#include <expat.h>

#include <algorithm>
#include <vector>

#include "base/files.h"

namespace {

constexpr size_t kParseChunkBytes = 64 * 1024;

// The tree under construction. `open` holds the elements that are open and kept,
// innermost last; `depth` counts every open element, the dropped ones included.
struct TreeBuilder {
  XmlNode* root;
  std::vector<XmlNode*> open;
  int depth = 0;
  bool rootStarted = false;
};

// UTF-8 to 8-bit characters: code points up to 255 become one byte, others "?".
// Expat only produces well-formed UTF-8; a stray byte is kept as it is.
void AppendLatin1(std::string& out, const char* utf8, size_t length) {
  size_t i = 0;
  while (i < length) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    size_t size = 1;
    if (lead >= 0xF0) {
      size = 4;
    } else if (lead >= 0xE0) {
      size = 3;
    } else if (lead >= 0xC0) {
      size = 2;
    }
    if (size == 1) {
      out.push_back(static_cast<char>(lead));
    } else if (size == 2 && lead <= 0xC3 && i + 1 < length) {
      const auto next = static_cast<unsigned char>(utf8[i + 1]);
      out.push_back(static_cast<char>(((lead & 0x1F) << 6) | (next & 0x3F)));
    } else {
      out.push_back('?');
    }
    i += std::min(size, length - i);
  }
}

std::string ToLatin1(const char* utf8) {
  std::string out;
  AppendLatin1(out, utf8, std::char_traits<char>::length(utf8));
  return out;
}

void XMLCALL OnStart(void* userData, const XML_Char* name, const XML_Char** attributes) {
  auto* builder = static_cast<TreeBuilder*>(userData);
  ++builder->depth;
  if (builder->depth - 1 > kXmlMaxDepth) return;
  XmlNode* node = builder->root;
  if (builder->open.empty()) {
    builder->rootStarted = true;
  } else {
    node = &builder->open.back()->children.emplace_back();
  }
  node->name = ToLatin1(name);
  for (size_t i = 0; attributes[i] != nullptr && attributes[i + 1] != nullptr; i += 2) {
    node->attributes.emplace_back(ToLatin1(attributes[i]), ToLatin1(attributes[i + 1]));
  }
  builder->open.push_back(node);
}

void XMLCALL OnEnd(void* userData, const XML_Char* /*name*/) {
  auto* builder = static_cast<TreeBuilder*>(userData);
  if (builder->depth - 1 <= kXmlMaxDepth && !builder->open.empty()) builder->open.pop_back();
  --builder->depth;
}

void XMLCALL OnText(void* userData, const XML_Char* text, int length) {
  auto* builder = static_cast<TreeBuilder*>(userData);
  if (builder->depth - 1 > kXmlMaxDepth || builder->open.empty() || length <= 0) return;
  AppendLatin1(builder->open.back()->text, text, static_cast<size_t>(length));
}

}  // namespace

const std::string& XmlNode::Attribute(std::string_view attributeName) const {
  static const std::string kAbsent;
  for (const auto& [key, value] : attributes) {
    if (key == attributeName) return value;
  }
  return kAbsent;
}

bool ParseXml(std::string_view bytes, XmlNode& root) {
  root = XmlNode{};
  XML_Parser parser = XML_ParserCreate("ISO-8859-1");
  if (parser == nullptr) return false;
  TreeBuilder builder{&root, {}, 0, false};
  XML_SetUserData(parser, &builder);
  XML_SetElementHandler(parser, OnStart, OnEnd);
  XML_SetCharacterDataHandler(parser, OnText);
  const size_t total = std::min(bytes.size(), kXmlMaxBytes);
  size_t done = 0;
  do {
    const size_t chunk = std::min(kParseChunkBytes, total - done);
    const bool last = done + chunk == total;
    if (XML_Parse(parser, bytes.data() + done, static_cast<int>(chunk), last ? XML_TRUE : XML_FALSE) !=
        XML_STATUS_OK) {
      break;
    }
    done += chunk;
  } while (done < total);
  XML_ParserFree(parser);
  return builder.rootStarted;
}

bool LoadXml(std::string_view gamePath, XmlNode& root) {
  root = XmlNode{};
  std::string bytes;
  if (!ReadWholeFile(gamePath, bytes, kXmlMaxBytes) || bytes.empty()) return false;
  ParseXml(bytes, root);
  return true;
}
