// TTSCFile: lookups, setters, the writer and the value normalisation (see tsc_file.h).
#include "formats/tsc_file.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>

#include "engine/files/files.h"
#include "engine/runtime_error.h"
#include "engine/system.h"
#include "engine/text/utf8.h"

namespace orvela {

namespace {

bool IsPolishLetter(char32_t c) {
  switch (c) {
    // Unicode: ą Ą ć Ć ę Ę ł Ł ń Ń ó Ó ś Ś ź Ź ż Ż
    case 0x105:
    case 0x104:
    case 0x107:
    case 0x106:
    case 0x119:
    case 0x118:
    case 0x142:
    case 0x141:
    case 0x144:
    case 0x143:
    case 0xF3:
    case 0xD3:
    case 0x15B:
    case 0x15A:
    case 0x17A:
    case 0x179:
    case 0x17C:
    case 0x17B:
    // Windows-1250 codes of the same letters, read as single characters (ó, Ó as above)
    case 0xB9:
    case 0xA5:
    case 0xE6:
    case 0xC6:
    case 0xEA:
    case 0xCA:
    case 0xB3:
    case 0xA3:
    case 0xF1:
    case 0xD1:
    case 0x9C:
    case 0x8C:
    case 0x9F:
    case 0x8F:
    case 0xBF:
    case 0xAF:
      return true;
    default:
      return false;
  }
}

// The comparison form of getKeyByValue: _tsccheck, ASCII upper case, trimmed.
std::string ComparisonForm(const std::string& s) {
  std::string text = TTSCFile::_tsccheck(s);
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  // Bytes up to 32 are ASCII characters in UTF-8, so trimming bytes trims characters.
  const auto low = [](char c) { return static_cast<unsigned char>(c) <= 32; };
  size_t begin = 0, end = text.size();
  while (begin < end && low(text[begin])) ++begin;
  while (end > begin && low(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

bool ValidIndex(int index) {
  return index >= 0 && index < kTSCMaxValues;
}

}  // namespace

Ref<TTSCFile> TTSCFile::Create() {
  return std::make_shared<TTSCFile>();
}

TTSCFile::TTSCFile()
    : Lexer(std::make_shared<TTSCLexer>()), Parser(std::make_shared<TTSCParser>()) {}

std::string TTSCFile::_tsccheck(const std::string& s) {
  std::u32string out;
  for (char32_t c : DecodeUtf8(s)) {
    if (c == '\n') continue;
    out.push_back(IsPolishLetter(c) ? U'#' : c);
  }
  return EncodeUtf8(out);
}

std::string TTSCFile::_zamien(const std::string& s, int pos, const std::string& r) {
  const std::u32string text = DecodeUtf8(s);
  const size_t before = pos <= 0 ? 0 : std::min(static_cast<size_t>(pos), text.size());
  const size_t after = pos < 0 ? 0 : std::min(static_cast<size_t>(pos) + 1, text.size());
  return EncodeUtf8(text.substr(0, before)) + r + EncodeUtf8(text.substr(after));
}

Ref<TTSCKey> TTSCFile::getKeyByValue(const std::string& value, int index) const {
  if (!ValidIndex(index)) return nullptr;
  const std::string wanted = ComparisonForm(value);
  for (const Ref<TTSCKey>& key : KeyList) {
    if (ComparisonForm(key->Values[static_cast<size_t>(index)]) == wanted) return key;
  }
  return nullptr;
}

Ref<TTSCKey> TTSCFile::ResolveKey(const std::string& path, const std::string& name) const {
  for (const Ref<TTSCKey>& key : KeyList) {
    if (TSCSameName(key->Path, path) && TSCSameName(key->Name, name)) return key;
  }
  return nullptr;
}

void TTSCFile::Load(const std::string& source) {
  KeyList.Clear();
  GroupList.Clear();
  const std::string text = LoadText(source);
  Print(source);
  Read(text);
}

void TTSCFile::LoadFromText(const std::string& text) {
  KeyList.Clear();
  GroupList.Clear();
  Read(text);
}

void TTSCFile::Read(std::string_view text) {
  struct Forget {
    TTSCLexer& lexer;
    ~Forget() { lexer.End(); }  // the text goes when the caller's reading ends
  } forget{*Lexer};
  Lexer->Begin(text);
  Parser->Parse(*Lexer);
  // The parser's lists become the file's (moved: a file of thousands of keys is not copied).
  KeyList = std::move(Parser->KeyList);
  GroupList = std::move(Parser->GroupList);
}

int TTSCFile::Save(const std::string& destination) const {
  return SaveText(SaveToText(), destination) ? 1 : 0;
}

TTSCFile::PathIndex TTSCFile::IndexPaths() const {
  PathIndex index;
  for (const Ref<TTSCKey>& key : KeyList) index.keys[TSCFoldedName(key->Path)].push_back(key.get());
  for (const Ref<TTSCGroup>& group : GroupList) {
    index.groups[TSCFoldedName(group->Path)].push_back(group.get());
  }
  return index;
}

std::string TTSCFile::SaveToText() const {
  TSCTextWriter writer;
  std::set<std::string> written;
  const PathIndex index = IndexPaths();
  const auto top = index.groups.find(TSCFoldedName(""));
  if (top == index.groups.end()) return std::string();
  for (const TTSCGroup* group : top->second) {
    if (written.insert(TSCFoldedName(group->FullPath())).second)
      SaveGroup(*group, index, written, writer);
  }
  return writer.TakeText();
}

std::string TTSCFile::SaveGroup(const TTSCGroup& group, const std::string& indent) const {
  std::set<std::string> written = {TSCFoldedName(group.FullPath())};
  TSCTextWriter writer(indent);
  SaveGroup(group, IndexPaths(), written, writer);
  return writer.TakeText();
}

void TTSCFile::SaveGroup(const TTSCGroup& group, const PathIndex& index,
                         std::set<std::string>& written, TSCTextWriter& writer) const {
  const std::string full = TSCFoldedName(group.FullPath());
  writer.OpenGroup(group.Name);
  if (const auto keys = index.keys.find(full); keys != index.keys.end()) {
    for (const TTSCKey* key : keys->second) writer.Key(*key);
  }
  if (const auto subs = index.groups.find(full); subs != index.groups.end()) {
    for (const TTSCGroup* sub : subs->second) {
      // Groups of the same path share their keys and subgroups, which the first of them has
      // written; writing them again under each would double the text at every level. (This
      // also stops a top-level group with an empty name, whose path is "", from listing
      // itself among its own subgroups.)
      if (!written.insert(TSCFoldedName(sub->FullPath())).second) continue;
      SaveGroup(*sub, index, written, writer);
    }
  }
  writer.CloseGroup();
}

std::string TTSCFile::GetStringKey(const std::string& path, const std::string& name,
                                   int index) const {
  const Ref<TTSCKey> key = ResolveKey(path, name);
  if (!key) {
    Print("The key " + path + "::" + name + " does not exist");
    return std::string();
  }
  return ValidIndex(index) ? key->Values[static_cast<size_t>(index)] : std::string();
}

float TTSCFile::GetNumberKey(const std::string& path, const std::string& name, int index) const {
  const Ref<TTSCKey> key = ResolveKey(path, name);
  if (!key) RaiseRuntimeError("The key " + path + "::" + name + " does not exist");
  if (!ValidIndex(index)) return 0;
  return TSCNumberValue(key->Values[static_cast<size_t>(index)]);
}

float TSCNumberValue(const std::string& text) {
  // A number beyond the float range (a long row of digits) saturates at the largest float.
  const double value = std::atof(text.c_str());
  constexpr double kLargest = std::numeric_limits<float>::max();
  return static_cast<float>(std::clamp(value, -kLargest, kLargest));
}

void TTSCFile::SetStringKey(const std::string& path, const std::string& name,
                            const std::string& value, int index) {
  SetValue(path, name, value, index, TSC_VALUE_STRING);
}

void TTSCFile::SetNumberKey(const std::string& path, const std::string& name, float value,
                            int index) {
  SetValue(path, name, TSCNumberText(value), index, TSC_VALUE_NUMBER);
}

void TTSCFile::SetValue(const std::string& path, const std::string& name, const std::string& value,
                        int index, int32_t type) {
  if (!ValidIndex(index)) return;
  Ref<TTSCKey> key = ResolveKey(path, name);
  if (!key) key = CreateKey(path, name);
  key->Values.Set(static_cast<size_t>(index), value);
  key->ValuesType.Set(static_cast<size_t>(index), type);
  if (key->ValueCount < index + 1) key->ValueCount = index + 1;
}

TList<TTSCKey> TTSCFile::GetKeyList(const std::string& path) const {
  TList<TTSCKey> keys;
  for (const Ref<TTSCKey>& key : KeyList) {
    if (TSCSameName(key->Path, path)) keys.AddLast(key);
  }
  return keys;
}

TList<TTSCGroup> TTSCFile::GetGroupList(const std::string& path) const {
  TList<TTSCGroup> groups;
  for (const Ref<TTSCGroup>& group : GroupList) {
    if (TSCSameName(group->Path, path)) groups.AddLast(group);
  }
  return groups;
}

Ref<TTSCKey> TTSCFile::CreateKey(const std::string& path, const std::string& name) {
  auto key = std::make_shared<TTSCKey>(path, name);
  KeyList.AddLast(key);
  return key;
}

Ref<TTSCGroup> TTSCFile::CreateGroup(const std::string& path, const std::string& name) {
  auto group = std::make_shared<TTSCGroup>();
  group->Path = path;
  group->Name = name;
  GroupList.AddLast(group);
  return group;
}

}  // namespace orvela
