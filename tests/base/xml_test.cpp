#include "base/xml.h"

#include <gtest/gtest.h>

#include <string>

#include "support/temp_dir.h"

namespace {

int KeptDepth(const XmlNode& node) {
  int depth = 0;
  for (const XmlNode* n = &node; !n->children.empty(); n = &n->children.front()) ++depth;
  return depth;
}

}  // namespace

TEST(XmlTest, TreeWithAttributesInOrderAndDirectText) {
  XmlNode root;
  ASSERT_TRUE(ParseXml("<?xml version=\"1.0\"?>\n<Set Name=\"a\" ID='5' Alpha=\"x\">head"
                       "<Tile ID=\"1\"><Path>GFX\\Tiles\\</Path></Tile>mid<Tile ID=\"2\"/>tail</Set>",
                       root));
  EXPECT_EQ(root.name, "Set");
  ASSERT_EQ(root.attributes.size(), 3u);
  EXPECT_EQ(root.attributes[0].first, "Name");
  EXPECT_EQ(root.attributes[1].first, "ID");
  EXPECT_EQ(root.attributes[2].first, "Alpha");
  EXPECT_EQ(root.Attribute("ID"), "5");
  EXPECT_EQ(root.Attribute("id"), "");  // names are case-sensitive
  EXPECT_EQ(root.Attribute("Missing"), "");
  EXPECT_EQ(root.text, "headmidtail");
  ASSERT_EQ(root.children.size(), 2u);
  EXPECT_EQ(root.children[0].Attribute("ID"), "1");
  EXPECT_EQ(root.children[0].text, "");
  ASSERT_EQ(root.children[0].children.size(), 1u);
  EXPECT_EQ(root.children[0].children[0].text, "GFX\\Tiles\\");
  EXPECT_EQ(root.children[1].Attribute("ID"), "2");
}

TEST(XmlTest, TextKeepsBlanksCdataAndEntities) {
  XmlNode root;
  ASSERT_TRUE(ParseXml("<a> 1 <!-- note --><![CDATA[<b>&amp;]]>&lt;&#65;&#233;&#x263A;\n</a>", root));
  EXPECT_EQ(root.text, " 1 <b>&amp;<A\xE9?\n");
  EXPECT_TRUE(root.children.empty());
}

TEST(XmlTest, DeclaredUtf8IsStillReadAsLatin1) {
  XmlNode root;
  ASSERT_TRUE(ParseXml("<?xml version=\"1.0\" encoding=\"UTF-8\"?><Light Name=\"caf\xE9\">\xE9t\xE9\xFF</Light>", root));
  EXPECT_EQ(root.Attribute("Name"), "caf\xE9");
  EXPECT_EQ(root.Attribute("Name").size(), 4u);
  EXPECT_EQ(root.text, "\xE9t\xE9\xFF");
  ASSERT_TRUE(ParseXml("<N\xE9 a\xE9=\"1\"/>", root));
  EXPECT_EQ(root.name, "N\xE9");
  EXPECT_EQ(root.Attribute("a\xE9"), "1");
}

TEST(XmlTest, ElementsBeforeAFaultAreKept) {
  XmlNode root;
  ASSERT_TRUE(ParseXml("<Set><A x=\"1\"/><B>text</B><C><D/>&undefined;<E/></C><F/></Set>", root));
  EXPECT_EQ(root.name, "Set");
  ASSERT_EQ(root.children.size(), 3u);
  EXPECT_EQ(root.children[1].text, "text");
  EXPECT_EQ(root.children[2].name, "C");
  ASSERT_EQ(root.children[2].children.size(), 1u);
  EXPECT_EQ(root.children[2].children[0].name, "D");

  ASSERT_TRUE(ParseXml("<Set><A/><B></Set>", root));  // mismatched end tag
  EXPECT_EQ(root.children.size(), 2u);
  ASSERT_TRUE(ParseXml("<Set><A/><B", root));  // cut short
  EXPECT_EQ(root.children.size(), 1u);
  ASSERT_TRUE(ParseXml("<One/><Two/>", root));  // a second root is the fault
  EXPECT_EQ(root.name, "One");
}

TEST(XmlTest, NoElementAtAll) {
  XmlNode root;
  root.name = "stale";
  EXPECT_FALSE(ParseXml("", root));
  EXPECT_EQ(root.name, "");
  EXPECT_FALSE(ParseXml("   \n", root));
  EXPECT_FALSE(ParseXml("not xml", root));
  EXPECT_FALSE(ParseXml("<?xml version=\"1.0\"?><!-- only -->", root));
  EXPECT_FALSE(ParseXml(std::string("\0<a/>", 5), root));
}

TEST(XmlTest, DeepNestingIsCutAndDoesNotCrash) {
  const int levels = 100000;
  std::string doc;
  for (int i = 0; i < levels; ++i) doc += "<a>";
  doc += "deep";
  for (int i = 0; i < levels; ++i) doc += "</a>";
  XmlNode root;
  ASSERT_TRUE(ParseXml(doc, root));
  EXPECT_EQ(KeptDepth(root), kXmlMaxDepth);

  ASSERT_TRUE(ParseXml("<r><a><b><c>x<d>y</d>z</c></b></a><z/></r>", root));
  EXPECT_EQ(KeptDepth(root), 4);
  EXPECT_EQ(root.children.size(), 2u);
  EXPECT_EQ(root.children[0].children[0].children[0].text, "xz");
}

TEST(XmlTest, TextAcrossParseChunksAndSizeLimit) {
  const std::string body(150000, '\xE9');
  XmlNode root;
  ASSERT_TRUE(ParseXml("<t>" + body + "</t>", root));
  EXPECT_EQ(root.text, body);

  std::string big = "<r><a/>";
  big += std::string(kXmlMaxBytes, ' ');
  big += "<b/></r>";
  ASSERT_TRUE(ParseXml(big, root));
  ASSERT_EQ(root.children.size(), 1u);
  EXPECT_EQ(root.children[0].name, "a");
}

TEST(XmlTest, EntityExpansionBombIsStopped) {
  std::string doc = "<?xml version=\"1.0\"?><!DOCTYPE r [<!ENTITY e0 \"laughlaughlaughlaugh\">";
  for (int i = 1; i <= 10; ++i) {
    doc += "<!ENTITY e" + std::to_string(i) + " \"";
    for (int j = 0; j < 10; ++j) doc += "&e" + std::to_string(i - 1) + ";";
    doc += "\">";
  }
  doc += "]><r>&e10;</r>";  // 20 * 10^10 bytes if expanded
  XmlNode root;
  ParseXml(doc, root);
  EXPECT_LT(root.text.size(), kXmlMaxBytes);
}

TEST(LoadXmlTest, MissingEmptyAndElementlessFiles) {
  TempDir dir;
  dir.Write("Data/Empty.xml", "");
  dir.Write("Data/Comment.xml", "<!-- nothing -->");
  dir.Write("Data/Light.xml", "<Lights><Light ID=\"3\"/></Lights>");
  XmlNode root;
  EXPECT_FALSE(LoadXml(dir.path() + "\\data\\missing.xml", root));
  EXPECT_FALSE(LoadXml(dir.path() + "\\data\\empty.xml", root));
  EXPECT_FALSE(LoadXml(dir.path() + "\\data", root));
  EXPECT_TRUE(LoadXml(dir.path() + "\\data\\comment.xml", root));
  EXPECT_EQ(root.name, "");
  ASSERT_TRUE(LoadXml(dir.path() + "\\DATA\\LIGHT.XML", root));
  ASSERT_EQ(root.children.size(), 1u);
  EXPECT_EQ(root.children[0].Attribute("ID"), "3");
}
