// TSCTextWriter.
#include "formats/tsc_writer.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace orvela {

// The reader takes only digits, one "." and a leading "-", so values printf puts in exponent
// form (below 0.0001 or from 1e9 on) are written in plain decimals with the same nine
// significant digits.
std::string TSCNumberText(float number) {
  double value = number;
  if (std::isnan(value)) value = 0;
  if (std::isinf(value)) value = std::copysign(std::numeric_limits<float>::max(), value);
  char text[512];
  const double magnitude = std::fabs(value);
  if (magnitude == 0 || (magnitude >= 1e-4 && magnitude < 1e9)) {
    std::snprintf(text, sizeof text, "%#.9g", value);
  } else if (magnitude >= 1e9) {
    std::snprintf(text, sizeof text, "%.1f", value);  // a float this large is a whole number
  } else {
    // The decimal exponent of the nine-digit form, e.g. -5 for 1.00000000e-05.
    std::snprintf(text, sizeof text, "%.8e", value);
    const int exponent = std::atoi(std::strchr(text, 'e') + 1);
    std::snprintf(text, sizeof text, "%.*f", 8 - exponent, value);
  }
  return text;
}

void TSCTextWriter::OpenGroup(std::string_view name) {
  text_ += indent_;
  text_ += name;
  text_ += "{\n";
  indent_ += '\t';
}

void TSCTextWriter::CloseGroup() {
  if (!indent_.empty()) indent_.pop_back();
  text_ += indent_;
  text_ += "}\n";
}

void TSCTextWriter::StringKey(std::string_view name, std::string_view value) {
  text_ += indent_;
  text_ += name;
  text_ += '=';
  QuotedValue(value);
  text_ += '\n';
}

void TSCTextWriter::NumberKey(std::string_view name, std::initializer_list<float> values) {
  text_ += indent_;
  text_ += name;
  text_ += '=';
  bool first = true;
  for (float value : values) {
    if (!first) text_ += ',';
    first = false;
    text_ += TSCNumberText(value);
  }
  text_ += '\n';
}

void TSCTextWriter::WholeNumbersKey(std::string_view name, std::initializer_list<int32_t> numbers) {
  text_ += indent_;
  text_ += name;
  text_ += "=\"";
  bool first = true;
  for (const int32_t number : numbers) {
    if (!first) text_ += ' ';
    first = false;
    char digits[16];
    text_.append(digits, std::to_chars(digits, digits + sizeof digits, number).ptr);
  }
  text_ += "\"\n";
}

void TSCTextWriter::Key(const TTSCKey& key) {
  text_ += indent_;
  text_ += key.Name;
  text_ += '=';
  for (int32_t i = 0; i < key.ValueCount && i < kTSCMaxValues; ++i) {
    if (i > 0) text_ += ',';
    const auto at = static_cast<size_t>(i);
    if (key.ValuesType[at] == TSC_VALUE_STRING) {
      QuotedValue(key.Values[at]);
    } else {
      text_ += key.Values[at];
    }
  }
  text_ += '\n';
}

void TSCTextWriter::QuotedValue(std::string_view value) {
  text_ += '"';
  // Runs without a quote or a backslash go in whole.
  size_t run = 0;
  for (size_t at = 0; at < value.size(); ++at) {
    if (value[at] != '"' && value[at] != '\\') continue;
    text_.append(value.substr(run, at - run));
    text_ += '\\';
    run = at;  // the character itself starts the next run
  }
  text_.append(value.substr(run));
  text_ += '"';
}

}  // namespace orvela
