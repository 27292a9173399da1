// XML documents for the content files. Whatever encoding a document declares, it is
// parsed as ISO-8859-1 and its text is kept as 8-bit characters (one byte per
// character; character references above 255 become "?"). A document that stops
// being well-formed part-way keeps everything parsed before the fault.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct XmlNode {
  std::string name;
  std::vector<std::pair<std::string, std::string>> attributes;  // in document order
  std::string text;              // all character data directly inside, unchanged
  std::vector<XmlNode> children;  // child elements in document order

  // The value of an attribute, or the empty string when it is absent.
  const std::string& Attribute(std::string_view attributeName) const;
};

// Elements nested deeper than this below the root are dropped (the loaders look
// three levels deep); it keeps hostile documents from exhausting the stack.
constexpr int kXmlMaxDepth = 32;
// Documents larger than this are parsed as far as their first kXmlMaxBytes.
constexpr size_t kXmlMaxBytes = 16u << 20;

// Parses bytes into root. Returns true when a root element was started (root may
// then be partial); false when no element was found at all.
bool ParseXml(std::string_view bytes, XmlNode& root);

// Loads a file (game path). Returns false when it cannot be opened or is empty
// (the document counts as missing). Otherwise true, with root holding what parsed
// (an empty name when the file held no element).
bool LoadXml(std::string_view gamePath, XmlNode& root);
