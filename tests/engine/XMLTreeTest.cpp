// The element tree: attribute text handling, reading, writing, and tree operations.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "engine/fsXMLDocument.h"
#include "engine/fsXMLItem.h"
#include "rtl/CodePage.h"
#include "rtl/Exceptions.h"

namespace fs {
namespace {

const std::string kHeader = "<?xml version=\"1.0\"?>";

std::string Written(const TfsXMLDocument& doc) {
  std::string s = doc.SaveToString();
  EXPECT_EQ(s.compare(0, kHeader.size(), kHeader), 0);
  return s.substr(kHeader.size());
}

void ExpectInvalid(const std::string& text) {
  TfsXMLDocument doc;
  try {
    doc.LoadFromString(text);
    ADD_FAILURE() << "no error for " << text;
  } catch (const rtl::Exception& e) {
    EXPECT_EQ(e.Message(), "Invalid file format") << text;
  }
}

TEST(XMLTreeTest, ReadsAndWritesElements) {
  struct Case {
    const char* Text;
    const char* Written;
  } cases[] = {
      {"<a/>", "<a/>"},
      {"<a></a>", "<a/>"},
      {"<a ></A>", "<a/>"},
      {"<a><b/>", "<a><b/></a>"},  // the end of the stream closes open elements
      {"<a x=\"1\" y=\"2\"><b z=\"3\"/><c /></a>", "<a x=\"1\" y=\"2\"><b z=\"3\"/><c/></a>"},
      {"\r\n  <a>text is ignored<b/>\r\n</a>", "<a><b/></a>"},
      {"<a><!-- a -- b --><b/></a>", "<a><b/></a>"},
      {"<a><!-- <x/> ---> <y/> --><b/></a>", "<a><b/></a>"},  // "--->" does not end a comment
      {"<a/><b/>", "<a/>"},                                     // only the first element is read
      {"", ""},
  };
  for (const auto& c : cases) {
    TfsXMLDocument doc;
    doc.LoadFromString(kHeader + c.Text);
    if (*c.Written)
      EXPECT_EQ(Written(doc), c.Written) << c.Text;
    else
      EXPECT_EQ(doc.Root()->Name(), "") << c.Text;
  }
  TfsXMLDocument doc;
  doc.LoadFromString(kHeader + "<a x=\"1\"/>");
  EXPECT_EQ(doc.Root()->Name(), "a");
  EXPECT_EQ(doc.Root()->Text(), "x=\"1\"");
  EXPECT_EQ(doc.Root()->Count(), 0);
}

TEST(XMLTreeTest, FormatErrors) {
  for (const char* text : {"<a/>", "<!-- c --><a/>", "<?xm?><a/>"}) ExpectInvalid(text);
  for (const char* text : {"<a <b/>>", "<a></b>", "<a><b></a>", "<a", "<a><!-- open", "<a><></a>", "</a>"})
    ExpectInvalid(kHeader + text);
  // What was read before the error stays in the root.
  TfsXMLDocument doc;
  EXPECT_THROW(doc.LoadFromString(kHeader + "<a><b/><c></a>"), rtl::Exception);
  EXPECT_EQ(doc.Root()->Name(), "a");
  EXPECT_EQ(doc.Root()->Count(), 2);
}

TEST(XMLTreeTest, ReadingLeavesTheStreamAfterTheDocument) {
  // Long enough to need several blocks.
  std::string body = "<a>";
  for (int i = 0; i < 1000; ++i) body += "<item n=\"" + std::to_string(i) + "\"/>";
  body += "</a>";
  std::istringstream s("junk" + kHeader + body + "TRAILING");
  s.seekg(4);
  TfsXMLDocument doc;
  doc.LoadFromStream(s);
  EXPECT_EQ(doc.Root()->Count(), 1000);
  std::string rest;
  s >> rest;
  EXPECT_EQ(rest, "TRAILING");
}

TEST(XMLTreeTest, DeepNestingIsRefused) {
  std::string deep = kHeader;
  for (int i = 0; i < 100000; ++i) deep += "<a>";
  TfsXMLDocument tooDeep;
  try {
    tooDeep.LoadFromString(deep);
    ADD_FAILURE() << "no error for 100 000 levels";
  } catch (const rtl::Exception& e) {
    EXPECT_EQ(e.Message(), "Invalid file format: elements nested deeper than 4096 levels");
  }
  std::string limit = kHeader;
  for (int i = 0; i < kMaxXMLDepth; ++i) limit += "<a>";
  TfsXMLDocument doc;
  doc.LoadFromString(limit);
  // Trees built in code may be deeper; copying, writing and destroying them are safe.
  TfsXMLItem* p = doc.Root();
  for (int i = 0; i < 200000; ++i) {
    p = p->Add();
    p->SetName("b");
  }
  TfsXMLItem copy;
  copy.CopyTreeFrom(doc.Root());
  EXPECT_EQ(copy.Count(), 2);
  const std::string saved = doc.SaveToString();
  EXPECT_GT(saved.size(), 200000u);
  // What was saved so deep is refused with the reason when read back.
  TfsXMLDocument back;
  try {
    back.LoadFromString(saved);
    ADD_FAILURE() << "no error reading back a 200 000-level tree";
  } catch (const rtl::Exception& e) {
    EXPECT_EQ(e.Message(), "Invalid file format: elements nested deeper than 4096 levels");
  }
}

TEST(XMLTreeTest, PropertyValuesAreEscapedAndFoundByName) {
  TfsXMLItem item;
  item.SetName("leaf");
  item.SetProp("text", "say \"hi\" <now>\r\n");
  EXPECT_EQ(item.Text(), "text=\"say &#34;hi&#34; &#60;now&#62;&#13;&#10;\"");
  EXPECT_EQ(item.Prop("TEXT"), "say \"hi\" <now>\r\n");
  item.SetProp("amp", "a &amp; b &quot;c&quot; & d");
  EXPECT_EQ(item.Prop("amp"), "a &amp; b \"c\" & d");
  EXPECT_NE(item.Text().find("&amp; b &#34;c&#34; & d"), std::string::npos);
  // Replaced in place, other pairs kept.
  item.SetProp("Text", "x");
  EXPECT_EQ(item.Text(), "Text=\"x\" amp=\"a &amp; b &#34;c&#34; & d\"");
  // A name only matches at the start or after a blank.
  item.SetText("xpos=\"1\" pos=\"2\"");
  EXPECT_EQ(item.Prop("pos"), "2");
  EXPECT_EQ(item.Prop("os"), "");
  item.SetText("pos=\"2\"x");
  item.SetProp("n", "1");
  EXPECT_EQ(item.Text(), "pos=\"2\"x n=\"1\"");
}

TEST(XMLTreeTest, CharacterReferences) {
  EXPECT_EQ(UnescapeXMLValue("&#65;&#66;c"), "ABc");
  EXPECT_EQ(UnescapeXMLValue("&#65 &# &#;"), "&#65 &# &#;");  // without ";" or digits, plain text
  EXPECT_EQ(UnescapeXMLValue("&#321;"), "A");                   // the low byte
  EXPECT_THROW(UnescapeXMLValue("&#99999999999;"), rtl::EConvertError);
  EXPECT_EQ(EscapeXMLValue("a\"b<c>d\re\nf&g"), "a&#34;b&#60;c&#62;d&#13;e&#10;f&g");
}

TEST(XMLTreeTest, TreeOperations) {
  TfsXMLItem root;
  TfsXMLItem* a = root.Add();
  a->SetName("a");
  TfsXMLItem* b = root.FindItem("B");  // missing: added under that name
  EXPECT_EQ(root.Count(), 2);
  EXPECT_EQ(b->Name(), "B");
  EXPECT_EQ(root.FindItem("b"), b);
  EXPECT_EQ(root.Find("A"), 0);
  EXPECT_EQ(root.Find("c"), -1);
  if (rtl::ProcessCodePage() == 1252) {
    // Names compare ignoring case by the process code page, not just in ASCII.
    root.Add()->SetName("\xE4rger");
    EXPECT_EQ(root.Find("\xC4RGER"), 2);
    delete root.Items(2);
  }
  TfsXMLItem* c = a->Add();
  c->SetName("c");
  c->SetData(7);
  EXPECT_EQ(c->Root(), &root);
  // Moving takes the element from its old parent.
  b->AddItem(c);
  EXPECT_EQ(a->Count(), 0);
  EXPECT_EQ(c->Parent(), b);
  root.InsertItem(0, c);
  EXPECT_EQ(root.Items(0), c);
  EXPECT_EQ(b->Count(), 0);
  EXPECT_THROW(root.InsertItem(5, a), rtl::Exception);
  EXPECT_THROW(root.Items(3), rtl::Exception);
  // An element cannot go below itself.
  EXPECT_THROW(c->AddItem(&root), rtl::Exception);
  EXPECT_THROW(c->AddItem(c), rtl::Exception);
  // Destroying an element takes it out of its parent.
  delete a;
  EXPECT_EQ(root.Count(), 2);
  EXPECT_EQ(root.Find("a"), -1);

  // Copies carry names, attribute text and Data; a source inside the target works.
  c->SetProp("k", "v");
  c->Add()->SetName("grandchild");
  TfsXMLItem copy;
  copy.CopyTreeFrom(&root);
  ASSERT_EQ(copy.Count(), 2);
  EXPECT_EQ(copy.Items(0)->Name(), "c");
  EXPECT_EQ(copy.Items(0)->Data(), 7);
  EXPECT_EQ(copy.Items(0)->Prop("k"), "v");
  EXPECT_EQ(copy.Items(0)->Items(0)->Name(), "grandchild");
  EXPECT_EQ(copy.Items(0)->Parent(), &copy);
  root.CopyTreeFrom(c);
  EXPECT_EQ(root.Name(), "c");
  EXPECT_EQ(root.Count(), 1);
  EXPECT_EQ(root.Items(0)->Name(), "grandchild");
  root.Clear();
  EXPECT_EQ(root.Count(), 0);
}

TEST(XMLTreeTest, Files) {
  std::string name = ::testing::TempDir() + "h1_xml_tree_test.xml";
  TfsXMLDocument doc;
  doc.Root()->SetName("root");
  TfsXMLItem* child = doc.Root()->Add();
  child->SetName("child");
  child->SetProp("v", "1 < 2");
  doc.SaveToFile(name);
  TfsXMLDocument back;
  back.LoadFromFile(name);
  EXPECT_EQ(back.Root()->Items(0)->Prop("v"), "1 < 2");
  std::remove(name.c_str());
  try {
    back.LoadFromFile(name);
    ADD_FAILURE() << "no error for a missing file";
  } catch (const rtl::Exception& e) {
    EXPECT_EQ(e.ClassName(), "EFOpenError");
    EXPECT_NE(e.Message().find("Cannot open file"), std::string::npos);
  }
}

}  // namespace
}  // namespace fs
