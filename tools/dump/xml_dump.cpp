// xml-dump FILE: prints the tree the XML reader makes of a file, one element per line with
// its attributes, its text and its children indented below it; a file that cannot be read
// gives the error message and status 1.
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "dump/quote.h"
#include "engine/runtime_error.h"
#include "formats/xml_node.h"

int main(int argc, char** argv) {
  using orvela::dump::Quote;
  if (argc != 2) {
    std::fprintf(stderr, "usage: xml-dump FILE\n");
    return 2;
  }
  const orvela::Ref<orvela::TXMLNode> root = orvela::TXMLNode::Create("");
  try {
    root->Load(argv[1]);
  } catch (const orvela::RuntimeError& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
  // Walked with a stack of (node, depth), children pushed last first, so deep trees are fine.
  std::vector<std::pair<const orvela::TXMLNode*, size_t>> pending{{root.get(), 0}};
  while (!pending.empty()) {
    const auto [node, depth] = pending.back();
    pending.pop_back();
    const std::string indent(depth * 2, ' ');
    std::printf("%selement %s\n", indent.c_str(), Quote(node->nodeName).c_str());
    for (const auto& attribute : node->attributes) {
      std::printf("%s  attribute %s = %s\n", indent.c_str(), Quote(attribute->name).c_str(),
                  Quote(attribute->value).c_str());
    }
    if (!node->_value.empty()) {
      std::printf("%s  value %s\n", indent.c_str(), Quote(node->_value).c_str());
    }
    for (auto it = node->childNodes.rbegin(); it != node->childNodes.rend(); ++it) {
      pending.emplace_back(it->get(), depth + 1);
    }
  }
  return 0;
}
