// Fuzzes the XML reader: any text parses without reading past its end, the child and
// attribute views agree with the lists at every level, and the tree writes out and parses
// again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "formats/xml_node.h"

namespace {

void CheckViews(const orvela::TXMLNode& root) {
  std::vector<const orvela::TXMLNode*> pending{&root};
  while (!pending.empty()) {
    const orvela::TXMLNode* node = pending.back();
    pending.pop_back();
    if (node->childNodes != node->_nodes.ToArray()) std::abort();
    if (node->attributes != node->_attr.ToArray()) std::abort();
    if (node->firstChild != node->_nodes.First() || node->lastChild != node->_nodes.Last()) {
      std::abort();
    }
    for (const auto& child : node->childNodes) pending.push_back(child.get());
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  orvela::TXMLNode node;
  if (node._parse(text, 0) > text.size()) std::abort();
  node._update();
  CheckViews(node);
  const auto tree = orvela::TXMLNode::Create(text);
  CheckViews(*tree);
  const std::string written = tree->toString();
  const auto again = orvela::TXMLNode::Create(written);
  CheckViews(*again);
  (void)tree->nodeValue("");
  return 0;
}
