// TSCTextWriter: TSC text written as it goes, groups opened and closed and keys added in
// order, in exactly the form TTSCFile::SaveToText gives a file (which writes through it).
// A writer of many keys (a saved game holds thousands) writes its text directly, without
// building a file's key list first. Touches no files.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "formats/tsc_records.h"

namespace orvela {

// A number as SetNumberKey writes it: printf "%#.9g" of the value widened to double (0.8 →
// 0.800000012), except that what printf would write in exponent form is written in plain
// decimals (1e-05 → 0.0000100000000, 1e9 → 1000000000.0), an infinity as the largest float
// and NaN as 0: the reader takes back every number this writes.
std::string TSCNumberText(float value);

class TSCTextWriter {
 public:
  // Text that starts at that indent (top-level groups at none).
  explicit TSCTextWriter(std::string indent = std::string()) : indent_(std::move(indent)) {}

  // The group's name and "{" at the current indent; what follows is one tab further in.
  void OpenGroup(std::string_view name);
  // The "}" of the group opened last.
  void CloseGroup();
  // A key of the open group: its name, "=" and the values joined by "," (strings in double
  // quotes, with the reader's escapes for a quote and a backslash).
  void StringKey(std::string_view name, std::string_view value);
  void NumberKey(std::string_view name, std::initializer_list<float> values);
  // A key of one string value made of whole numbers joined by single spaces, written without
  // building the string first (a saved game writes thousands of cut lines so).
  void WholeNumbersKey(std::string_view name, std::initializer_list<int32_t> numbers);
  // A key as a file holds it: each value written as its type says.
  void Key(const TTSCKey& key);

  // Makes room for that many bytes of text (a writer that knows its size copies less).
  void Reserve(size_t bytes) { text_.reserve(bytes); }
  const std::string& Text() const { return text_; }
  std::string TakeText() { return std::move(text_); }

 private:
  void QuotedValue(std::string_view value);

  std::string indent_;
  std::string text_;
};

}  // namespace orvela
