// TAttribute and TXMLNode: a small tree of elements with attributes and text, with its own
// lenient reader of a restricted XML-like syntax (no entities, comments, declarations, double
// quotes or escapes) and its writer. Files go through the engine's TStream.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "engine/object.h"

namespace orvela {

class TTSCFile;

class TAttribute : public TObject {
 public:
  static Ref<TAttribute> Create(const std::string& name, const std::string& value);

  std::string name;
  std::string value;
};

class TXMLNode : public TObject {
 public:
  TXMLNode() = default;
  // Lets go of the subtree one node at a time, so that a deep tree cannot exhaust the stack.
  ~TXMLNode() override;
  TXMLNode(const TXMLNode&) = delete;
  TXMLNode& operator=(const TXMLNode&) = delete;

  TList<TAttribute> _attr;                  // attributes in document order
  TList<TXMLNode> _nodes;                   // child elements in document order
  std::string _value;                       // the element's text
  std::vector<Ref<TAttribute>> attributes;  // copy of _attr, rebuilt by appendAttribute
  std::vector<Ref<TXMLNode>> childNodes;    // copy of _nodes, rebuilt by _update
  std::string nodeName;
  Ref<TXMLNode> firstChild;  // first and last child, null when there are none
  Ref<TXMLNode> lastChild;

  // A new node holding the element parsed from text (nothing parsed when text is empty).
  static Ref<TXMLNode> Create(const std::string& text);
  // Appends a non-null attribute; 0.
  int appendAttribute(const Ref<TAttribute>& attribute);
  // Appends a non-null node as the last child; 0. A node that is this one or holds it is
  // refused, since the tree would then contain itself.
  int appendChild(const Ref<TXMLNode>& node);
  // Placeholders: 0.
  int fromArray(const std::vector<Ref<TObject>>& array);
  int fromList(const TList<TObject>& list);
  // The value of the first attribute with exactly that name; "" when there is none.
  std::string getAttribute(const std::string& name) const;
  // The first direct child with exactly that name; null when there is none.
  Ref<TXMLNode> getNode(const std::string& name) const;
  // The first direct child whose attribute of that name has that value; null when none.
  Ref<TXMLNode> getNodeByAttr(const std::string& attribute, const std::string& value) const;
  // Placeholder: null.
  Ref<TTSCFile> getTSC() const;
  // 1 when the node has children.
  int hasChildNodes() const;
  // Reads the file at path into this node: lines trimmed of characters up to code 32 at both
  // ends and joined. 1; raises "could not open file: PATH" when the file cannot be read.
  int Load(const std::string& path);
  // With a non-empty text, replaces this node's content by the element parsed from it. Then
  // gives the node's text, or when it has none its children written out in order.
  std::string nodeValue(const std::string& text);
  // Removes that child; 0.
  int removeNode(const Ref<TXMLNode>& node);
  // Writes toString as one line ending in CR LF, characters as single bytes. 1 when written,
  // 0 when writing failed; raises "could not create file: PATH" or "failed to open file: PATH".
  int Save(const std::string& path) const;
  // Placeholders: null, and empty arrays.
  Ref<TList<TObject>> toList() const;
  std::vector<int> toIntArray() const;
  std::vector<std::string> toStringArray() const;
  // Empties the attributes, the children and the text.
  int _clear();
  // Parses one element starting at position (its "<") into this node; gives the position of
  // the ">" that ends it, or the length of the text when the text ends first. Positions are
  // byte offsets in the UTF-8 text (every character the syntax uses is ASCII).
  size_t _parse(const std::string& text, size_t position);
  // Sets firstChild and lastChild (null without children) and rebuilds childNodes.
  int _update();

  // The element written out: "<" name, " name='value'" per attribute, ">", the text or else
  // the children, "</" name ">". Nothing is escaped.
  std::string toString() const;

 private:
  void RebuildAttributes();
  // Holds this node among its descendants (or is it).
  bool Contains(const TXMLNode* node) const;
};

}  // namespace orvela
