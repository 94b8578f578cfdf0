// TXMLNode: the element reader, the writer, file loading and saving, and the lookups (see
// xml_node.h). Reading, writing and releasing walk the tree with explicit stacks instead of
// recursion, so arbitrarily deep input cannot exhaust the call stack.
#include "formats/xml_node.h"

#include <memory>
#include <unordered_set>
#include <utility>

#include "engine/files/files.h"
#include "engine/runtime_error.h"
#include "formats/tsc_file.h"

namespace orvela {

namespace {

// Reads the start tag and the text of one element from its "<" at i. Leaves i at the "<"
// where its content starts and gives true; or gives false with i at the ">" of a
// self-closing tag, or at the end of the text.
bool ReadStartTag(TXMLNode& node, const std::string& text, size_t& i) {
  const size_t n = text.size();
  // The name: "<" is skipped; a space, "/" or ">" ends it and is not consumed.
  std::string name;
  while (i < n && text[i] != ' ' && text[i] != '/' && text[i] != '>') {
    if (text[i] != '<') name.push_back(text[i]);
    ++i;
  }
  node.nodeName = name;
  // Attributes: mode 1 collects a name, mode 2 a value after "='"; a "'" closes an attribute.
  std::string attr_name, attr_value;
  int mode = 1;
  bool tag_ended = false;
  while (i < n) {
    const char c = text[i];
    if (c == '>') {
      if (i > 0 && text[i - 1] == '/') return false;  // self-closing: i stays on the ">"
      tag_ended = true;
      break;
    }
    if (c == '=' && i + 1 < n && text[i + 1] == '\'') {
      mode = 2;
      i += 2;
      continue;
    }
    if (c == '\'') {
      node._attr.AddLast(TAttribute::Create(attr_name, attr_value));
      attr_name.clear();
      attr_value.clear();
      mode = 1;
      ++i;
      continue;
    }
    if (mode == 1) {
      if (c != ' ' && c != '<') attr_name.push_back(c);
    } else if (c != '<') {
      attr_value.push_back(c);
    }
    ++i;
  }
  if (!tag_ended) return false;  // the text ended inside the start tag
  // The text: up to the next "<", without "/", ">" and "<".
  for (; i < n && text[i] != '<'; ++i) {
    if (text[i] != '/' && text[i] != '>') node._value.push_back(text[i]);
  }
  return i < n;
}

}  // namespace

Ref<TAttribute> TAttribute::Create(const std::string& name, const std::string& value) {
  auto attribute = std::make_shared<TAttribute>();
  attribute->name = name;
  attribute->value = value;
  return attribute;
}

TXMLNode::~TXMLNode() {
  // Each node taken from the pending list has its children moved out before it is released,
  // so no destructor ever has more than one level to release.
  std::vector<Ref<TXMLNode>> pending(_nodes.begin(), _nodes.end());
  _nodes.Clear();
  childNodes.clear();
  firstChild.reset();
  lastChild.reset();
  while (!pending.empty()) {
    Ref<TXMLNode> node = std::move(pending.back());
    pending.pop_back();
    if (node.use_count() != 1) continue;  // still held elsewhere, or by another parent
    pending.insert(pending.end(), node->_nodes.begin(), node->_nodes.end());
    node->_nodes.Clear();
    node->childNodes.clear();
    node->firstChild.reset();
    node->lastChild.reset();
  }
}

Ref<TXMLNode> TXMLNode::Create(const std::string& text) {
  auto node = std::make_shared<TXMLNode>();
  node->nodeValue(text);
  node->_update();
  return node;
}

int TXMLNode::appendAttribute(const Ref<TAttribute>& attribute) {
  if (attribute) {
    _attr.AddLast(attribute);
    RebuildAttributes();
  }
  return 0;
}

int TXMLNode::appendChild(const Ref<TXMLNode>& node) {
  if (node && node.get() != this && !node->Contains(this)) {
    _nodes.AddLast(node);
    _update();
  }
  return 0;
}

int TXMLNode::fromArray(const std::vector<Ref<TObject>>& /*array*/) {
  return 0;
}

int TXMLNode::fromList(const TList<TObject>& /*list*/) {
  return 0;
}

std::string TXMLNode::getAttribute(const std::string& name) const {
  for (const Ref<TAttribute>& attribute : _attr) {
    if (attribute->name == name) return attribute->value;
  }
  return std::string();
}

Ref<TXMLNode> TXMLNode::getNode(const std::string& name) const {
  for (const Ref<TXMLNode>& node : _nodes) {
    if (node->nodeName == name) return node;
  }
  return nullptr;
}

Ref<TXMLNode> TXMLNode::getNodeByAttr(const std::string& attribute,
                                      const std::string& value) const {
  for (const Ref<TXMLNode>& node : _nodes) {
    if (node->getAttribute(attribute) == value) return node;
  }
  return nullptr;
}

Ref<TTSCFile> TXMLNode::getTSC() const {
  return nullptr;
}

int TXMLNode::hasChildNodes() const {
  return _nodes.IsEmpty() ? 0 : 1;
}

int TXMLNode::Load(const std::string& path) {
  const Ref<TStream> stream = TStream::ReadFile(path);
  if (!stream) RaiseRuntimeError("could not open file: " + path);
  std::string joined;
  while (!stream->Eof()) {
    const std::string line = stream->ReadLine();
    // Characters up to code 32 are single ASCII bytes in UTF-8.
    size_t begin = 0, end = line.size();
    while (begin < end && static_cast<unsigned char>(line[begin]) <= 32) ++begin;
    while (end > begin && static_cast<unsigned char>(line[end - 1]) <= 32) --end;
    joined.append(line, begin, end - begin);
  }
  stream->Close();
  nodeValue(joined);
  return 1;
}

std::string TXMLNode::nodeValue(const std::string& text) {
  if (!text.empty()) {
    _clear();
    _parse(text, 0);
    _update();
  }
  if (!_value.empty()) return _value;
  std::string children;
  for (const Ref<TXMLNode>& node : _nodes) children += node->toString();
  return children;
}

int TXMLNode::removeNode(const Ref<TXMLNode>& node) {
  _nodes.Remove(node);
  _update();
  return 0;
}

int TXMLNode::Save(const std::string& path) const {
  if (!CreateFile(path)) RaiseRuntimeError("could not create file: " + path);
  const Ref<TStream> stream = TStream::WriteFile(path);
  if (!stream) RaiseRuntimeError("failed to open file: " + path);
  const bool written = stream->WriteLine(toString());
  return stream->Close() && written ? 1 : 0;
}

Ref<TList<TObject>> TXMLNode::toList() const {
  return nullptr;
}

std::vector<int> TXMLNode::toIntArray() const {
  return {};
}

std::vector<std::string> TXMLNode::toStringArray() const {
  return {};
}

int TXMLNode::_clear() {
  _attr.Clear();
  _nodes.Clear();
  _value.clear();
  RebuildAttributes();
  _update();
  return 0;
}

size_t TXMLNode::_parse(const std::string& text, size_t position) {
  const size_t n = text.size();
  size_t i = position;
  if (!ReadStartTag(*this, text, i)) {
    RebuildAttributes();
    return i < n ? i : n;
  }
  RebuildAttributes();
  // The elements whose content is being read, innermost last; this node is the first.
  std::vector<TXMLNode*> open{this};
  while (i < n) {
    TXMLNode& current = *open.back();
    if (text[i] != '<') {
      ++i;  // text between children is not kept
      continue;
    }
    if (i + 1 < n && text[i + 1] == '/') {
      // A closing tag ends the current element, whatever name it holds.
      const size_t close = text.find('>', i + 2);
      if (close == std::string::npos) break;
      current._update();
      open.pop_back();
      if (open.empty()) return close;
      i = close + 1;
      continue;
    }
    auto child = std::make_shared<TXMLNode>();
    current._nodes.AddLast(child);
    const bool has_content = ReadStartTag(*child, text, i);
    child->RebuildAttributes();
    if (has_content) {
      open.push_back(child.get());
    } else if (i < n) {
      ++i;  // past the ">" of a self-closing child
    }
  }
  // The text ended: every open element ends with it.
  for (TXMLNode* node : open) node->_update();
  return n;
}

int TXMLNode::_update() {
  firstChild = _nodes.First();
  lastChild = _nodes.Last();
  childNodes = _nodes.ToArray();
  return 0;
}

std::string TXMLNode::toString() const {
  std::string out;
  struct Frame {
    const TXMLNode* node;
    TList<TXMLNode>::const_iterator next;
  };
  std::vector<Frame> stack;
  // Writes the start tag; an element with text is finished at once, one without is opened.
  const auto open = [&](const TXMLNode& node) {
    out += "<" + node.nodeName;
    for (const Ref<TAttribute>& attribute : node._attr) {
      out += " " + attribute->name + "='" + attribute->value + "'";
    }
    out += ">";
    if (!node._value.empty()) {
      out += node._value + "</" + node.nodeName + ">";
    } else {
      stack.push_back({&node, node._nodes.begin()});
    }
  };
  open(*this);
  while (!stack.empty()) {
    Frame& top = stack.back();
    if (top.next == top.node->_nodes.end()) {
      out += "</" + top.node->nodeName + ">";
      stack.pop_back();
      continue;
    }
    const TXMLNode& child = **top.next;
    ++top.next;
    open(child);  // may grow the stack, so top is not used after this
  }
  return out;
}

void TXMLNode::RebuildAttributes() {
  attributes = _attr.ToArray();
}

bool TXMLNode::Contains(const TXMLNode* node) const {
  // A child may be shared by several parents; each node is looked at once.
  std::unordered_set<const TXMLNode*> seen{this};
  std::vector<const TXMLNode*> pending{this};
  while (!pending.empty()) {
    const TXMLNode* current = pending.back();
    pending.pop_back();
    if (current == node) return true;
    for (const Ref<TXMLNode>& child : current->_nodes) {
      if (seen.insert(child.get()).second) pending.push_back(child.get());
    }
  }
  return false;
}

}  // namespace orvela
