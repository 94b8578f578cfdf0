// TXMLNode: the accepted syntax and its lenient corners, the written form, lookups, the
// child and attribute views, files, truncated input and very deep trees.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "engine/runtime_error.h"
#include "formats/xml_node.h"
#include "support/headless.h"

namespace orvela {
namespace {

using testing::ReadBytes;
using testing::ScopedTempDir;
using testing::WriteBytes;

TEST(XMLNode, SelfClosingElementWithAttributes) {
  const Ref<TXMLNode> a = TXMLNode::Create("<a x='1' y=''/>");
  EXPECT_EQ(a->nodeName, "a");
  ASSERT_EQ(a->attributes.size(), 2u);
  EXPECT_EQ(a->attributes[0]->name, "x");
  EXPECT_EQ(a->attributes[0]->value, "1");
  EXPECT_EQ(a->attributes[1]->name, "y");
  EXPECT_EQ(a->attributes[1]->value, "");
  EXPECT_EQ(a->_value, "");
  EXPECT_EQ(a->hasChildNodes(), 0);
  EXPECT_EQ(a->toString(), "<a x='1' y=''></a>");  // never written self-closing
  EXPECT_EQ(TXMLNode::Create("<a/>")->_parse("<a/>", 0), 3u);
}

TEST(XMLNode, TextBeforeTheFirstChildIsTheValue) {
  const Ref<TXMLNode> a = TXMLNode::Create("<a>hi<b>t</b>tail</a>");
  EXPECT_EQ(a->_value, "hi");
  ASSERT_EQ(a->childNodes.size(), 1u);
  EXPECT_EQ(a->firstChild, a->lastChild);
  EXPECT_EQ(a->firstChild->nodeName, "b");
  EXPECT_EQ(a->firstChild->_value, "t");
  EXPECT_EQ(a->nodeValue(""), "hi");
  EXPECT_EQ(a->toString(), "<a>hi</a>");  // a node with text does not write its children
  // A slash in a text is lost; a space before the first child is kept as the text.
  EXPECT_EQ(TXMLNode::Create("<p>c:/dir/f</p>")->_value, "c:dirf");
  const Ref<TXMLNode> spaced = TXMLNode::Create("<a> <b>1</b></a>");
  EXPECT_EQ(spaced->_value, " ");
  EXPECT_EQ(spaced->toString(), "<a> </a>");
}

TEST(XMLNode, ElementWithOnlyChildrenWritesThemInOrder) {
  const std::string text = "<menu id='m'><b>1</b><c k='v' j='w'></c><d><e>x</e></d></menu>";
  const Ref<TXMLNode> menu = TXMLNode::Create(text);
  EXPECT_EQ(menu->toString(), text);
  EXPECT_EQ(menu->nodeValue(""), "<b>1</b><c k='v' j='w'></c><d><e>x</e></d>");
  ASSERT_EQ(menu->childNodes.size(), 3u);
  EXPECT_EQ(menu->firstChild->nodeName, "b");
  EXPECT_EQ(menu->lastChild->nodeName, "d");
  EXPECT_EQ(menu->lastChild->firstChild->nodeName, "e");  // every level has its views
}

TEST(XMLNode, LenientCorners) {
  // A double-quoted attribute folds into the next attribute's name.
  const Ref<TXMLNode> q = TXMLNode::Create("<a x=\"1\" y='2'>v</a>");
  ASSERT_EQ(q->attributes.size(), 1u);
  EXPECT_EQ(q->attributes[0]->name, "x=\"1\"y");
  EXPECT_EQ(q->getAttribute("x=\"1\"y"), "2");
  // A closing tag with another name closes the current element; text after children is lost.
  const Ref<TXMLNode> w = TXMLNode::Create("<a><b>1</c><d/>junk</a>");
  ASSERT_EQ(w->childNodes.size(), 2u);
  EXPECT_EQ(w->childNodes[1]->nodeName, "d");
  // A ">" inside a quoted value ends the tag; "<" is dropped from names and values.
  const Ref<TXMLNode> g = TXMLNode::Create("<a x='1>2'>");
  EXPECT_EQ(g->attributes.size(), 0u);
  EXPECT_EQ(g->_value, "2'");
  EXPECT_EQ(TXMLNode::Create("<a x='<1<'></a>")->getAttribute("x"), "1");
  // "='" inside a value starts the value again; a lone "'" ends an attribute with no value.
  EXPECT_EQ(TXMLNode::Create("<a x='p='q'/>")->getAttribute("x"), "pq");
  EXPECT_EQ(TXMLNode::Create("<a flag' y='1'/>")->attributes.size(), 2u);
}

TEST(XMLNode, InputThatEndsEarlyStopsAtTheEnd) {
  struct Case {
    const char* text;
    const char* name;
    const char* value;
    size_t children;
    size_t end;
  };
  const Case cases[] = {
      {"<abc", "abc", "", 0, 4},    {"<a x='1", "a", "", 0, 7},
      {"<a x='1'", "a", "", 0, 8},  {"<a>text", "a", "text", 0, 7},
      {"<a><b>", "a", "", 1, 6},    {"<a></b", "a", "", 0, 6},
      {"<a><b x", "a", "", 1, 7},   {"<a>x</a>zzz", "a", "x", 0, 7},
      {"<a><", "a", "", 1, 4},      {">", "", "", 0, 1},
      {"plain", "plain", "", 0, 5},
  };
  for (const Case& c : cases) {
    TXMLNode node;
    EXPECT_EQ(node._parse(c.text, 0), c.end) << c.text;
    EXPECT_EQ(node.nodeName, c.name) << c.text;
    EXPECT_EQ(node._value, c.value) << c.text;
    EXPECT_EQ(node._nodes.Count(), static_cast<int>(c.children)) << c.text;
  }
  EXPECT_EQ(TXMLNode::Create("<a x='1")->attributes.size(), 0u);  // an unclosed value is lost
}

TEST(XMLNode, LookupsAndTreeEditing) {
  const Ref<TXMLNode> root =
      TXMLNode::Create("<r><b id='1'><c/></b><b id='2' k='x'/><e id='2'/></r>");
  EXPECT_EQ(root->getAttribute("none"), "");
  EXPECT_FALSE(root->getNode("c"));  // direct children only
  ASSERT_TRUE(root->getNode("b"));
  EXPECT_TRUE(root->getNode("b")->getNode("c"));
  EXPECT_EQ(root->getNode("b")->getAttribute("id"), "1");
  EXPECT_EQ(root->getNodeByAttr("id", "2")->getAttribute("k"), "x");
  EXPECT_FALSE(root->getNodeByAttr("id", "3"));
  EXPECT_FALSE(root->getNode("B"));  // names compare exactly

  const Ref<TXMLNode> first = root->firstChild;
  root->removeNode(first);
  EXPECT_EQ(root->childNodes.size(), 2u);
  EXPECT_EQ(root->firstChild->getAttribute("k"), "x");
  root->removeNode(root->firstChild);
  root->removeNode(root->firstChild);
  EXPECT_EQ(root->hasChildNodes(), 0);
  EXPECT_FALSE(root->firstChild);  // no stale child left in the views
  EXPECT_FALSE(root->lastChild);

  // A node cannot become its own descendant; null is ignored.
  const Ref<TXMLNode> child = TXMLNode::Create("<k/>");
  root->appendChild(child);
  root->appendChild(root);
  child->appendChild(root);
  root->appendChild(nullptr);
  root->appendAttribute(nullptr);
  root->appendAttribute(TAttribute::Create("n", "v"));
  EXPECT_EQ(root->childNodes.size(), 1u);
  EXPECT_EQ(child->hasChildNodes(), 0);
  EXPECT_EQ(root->toString(), "<r n='v'><k></k></r>");

  // Placeholders.
  EXPECT_FALSE(root->getTSC());
  EXPECT_FALSE(root->toList());
  EXPECT_TRUE(root->toIntArray().empty());
  EXPECT_TRUE(root->toStringArray().empty());
  EXPECT_EQ(root->fromArray({}), 0);
  EXPECT_EQ(root->fromList(TList<TObject>()), 0);
}

TEST(XMLNode, ParsingAgainReplacesTheContent) {
  const Ref<TXMLNode> node = TXMLNode::Create("<a x='1'>old<b/></a>");
  EXPECT_EQ(node->nodeValue("<c>new</c>"), "new");
  EXPECT_EQ(node->nodeName, "c");
  EXPECT_TRUE(node->attributes.empty());
  EXPECT_TRUE(node->childNodes.empty());
  EXPECT_FALSE(node->firstChild);
  EXPECT_EQ(node->toString(), "<c>new</c>");
}

TEST(XMLNode, SaveThenLoad) {
  ScopedTempDir dir;
  const std::string path = (dir.path() / "tree.xml").string();
  const Ref<TXMLNode> root = TXMLNode::Create("");
  root->nodeName = "window";
  root->appendAttribute(TAttribute::Create("title", "Caf\xC3\xA9 & more"));
  const Ref<TXMLNode> button = TXMLNode::Create("<button id='ok' x='10'>OK</button>");
  root->appendChild(button);
  root->appendChild(TXMLNode::Create("<empty></empty>"));
  ASSERT_EQ(root->Save(path), 1);
  const std::string written =
      "<window title='Caf\xE9 & more'><button id='ok' x='10'>OK</button><empty></empty></window>"
      "\r\n";
  EXPECT_EQ(ReadBytes(path), written);  // one line, characters as single bytes

  const Ref<TXMLNode> loaded = TXMLNode::Create("");
  EXPECT_EQ(loaded->Load(path), 1);
  EXPECT_EQ(loaded->toString(), root->toString());
  EXPECT_EQ(loaded->getNode("button")->getAttribute("x"), "10");

  // Indentation and line breaks of a hand-edited file vanish, and so do spaces at line ends.
  WriteBytes(path, "<a>\r\n  <b x='1'>t</b>  \n\t<c/>\n</a>\n");
  loaded->Load(path);
  EXPECT_EQ(loaded->toString(), "<a><b x='1'>t</b><c></c></a>");
  // An empty file parses nothing and leaves the node as it was.
  WriteBytes(path, "");
  loaded->Load(path);
  EXPECT_EQ(loaded->nodeName, "a");
}

TEST(XMLNode, FileErrors) {
  ScopedTempDir dir;
  const std::string missing = (dir.path() / "none.xml").string();
  const std::string nowhere = (dir.path() / "none" / "x.xml").string();
  TXMLNode node;
  try {
    node.Load(missing);
    ADD_FAILURE() << "no error";
  } catch (const RuntimeError& error) {
    EXPECT_EQ(std::string(error.what()), "could not open file: " + missing);
  }
  std::filesystem::create_directories(dir.path() / "folder.xml");
  const std::string folder = (dir.path() / "folder.xml").string();
  try {
    node.Load(folder);
    ADD_FAILURE() << "no error";
  } catch (const RuntimeError& error) {
    EXPECT_EQ(std::string(error.what()), "could not open file: " + folder);
  }
  try {
    node.Save(nowhere);
    ADD_FAILURE() << "no error";
  } catch (const RuntimeError& error) {
    EXPECT_EQ(std::string(error.what()), "could not create file: " + nowhere);
  }
}

TEST(XMLNode, DeepTreesNeedNoDeepStack) {
  const int depth = 200000;
  std::string text;
  for (int i = 0; i < depth; ++i) text += "<a>";
  {
    const Ref<TXMLNode> root = TXMLNode::Create(text);
    int levels = 1;
    for (Ref<TXMLNode> node = root; node->firstChild; node = node->firstChild) ++levels;
    EXPECT_EQ(levels, depth);
    const std::string written = root->toString();
    EXPECT_EQ(written.size(), static_cast<size_t>(depth) * 7);
    EXPECT_EQ(written.substr(0, 6), "<a><a>");
  }  // released here, one level at a time
}

}  // namespace
}  // namespace orvela
