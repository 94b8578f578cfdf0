// SplitString and DrawParagraph.
#include "ui/paragraph.h"

#include "engine/engine.h"
#include "engine/text/utf8.h"

namespace orvela {

std::vector<std::string> SplitString(const std::string& text, const std::string& separator,
                                     const std::string& open_quote,
                                     const std::string& close_quote) {
  const std::u32string s = DecodeUtf8(text);
  const std::u32string sep = DecodeUtf8(separator);
  const std::u32string open = DecodeUtf8(open_quote);
  const std::u32string close = DecodeUtf8(close_quote);
  const bool quoting = !open.empty();
  // A quote is compared with one character at a time: only a one-character quote can match.
  auto is_open = [&](char32_t c) { return open.size() == 1 && open[0] == c; };
  auto is_close = [&](char32_t c) { return close.size() == 1 && close[0] == c; };

  std::vector<std::string> pieces;
  std::u32string piece;
  bool inside = false;
  size_t i = 0;
  while (i < s.size()) {
    const char32_t c = s[i];
    if (quoting && inside && !close.empty()) {
      if (is_close(c)) {
        inside = false;
      } else {
        piece += c;
      }
      ++i;
      continue;
    }
    if (quoting && !inside && is_open(c)) {
      inside = true;
      ++i;
      continue;
    }
    if (!sep.empty() && s.compare(i, sep.size(), sep) == 0) {
      pieces.push_back(EncodeUtf8(piece));
      piece.clear();
      i += sep.size();
      continue;
    }
    if (quoting && is_close(c)) {
      ++i;
      continue;
    }
    piece += c;
    ++i;
  }
  if (!piece.empty()) pieces.push_back(EncodeUtf8(piece));
  return pieces;
}

namespace {

enum class Align { kLeft, kRight, kCentre, kJustify };

Align ParseAlign(const std::string& align) {
  size_t begin = 0, end = align.size();
  while (begin < end && static_cast<unsigned char>(align[begin]) <= 32) ++begin;
  while (end > begin && static_cast<unsigned char>(align[end - 1]) <= 32) --end;
  std::string word = align.substr(begin, end - begin);
  for (char& c : word) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  if (word == "RIGHT") return Align::kRight;
  if (word == "CENTER") return Align::kCentre;
  if (word == "JUSTIFY") return Align::kJustify;
  return Align::kLeft;
}

std::string Trim(const std::string& text) {
  size_t begin = 0, end = text.size();
  while (begin < end && static_cast<unsigned char>(text[begin]) <= 32) ++begin;
  while (end > begin && static_cast<unsigned char>(text[end - 1]) <= 32) --end;
  return text.substr(begin, end - begin);
}

float Width(const std::string& text) {
  return static_cast<float>(StringWidth(text));
}

// One line of the left, right or centre rule (justified lines are placed word by word).
void DrawAligned(const std::string& line, Align align, int x, float line_y, float width) {
  switch (align) {
    case Align::kRight:
      DrawString(line, static_cast<float>(x) + (width - Width(line)), line_y);
      break;
    case Align::kCentre:
      // The halving of the text width is an integer division.
      DrawString(line,
                 (static_cast<float>(x) + width / 2) - static_cast<float>(StringWidth(line) / 2),
                 line_y);
      break;
    default:
      DrawString(line, static_cast<float>(x), line_y);
      break;
  }
}

}  // namespace

int DrawParagraph(const std::string& text, int x, int y, float width, const std::string& align,
                  float /*unused*/, const Ref<TObject>& font, int line_spacing) {
  const std::vector<std::string> words = SplitString(text + " ", " ", "", "");
  const Align how = ParseAlign(align);
  if (auto image_font = std::dynamic_pointer_cast<TImageFont>(font)) SetDrawFont(image_font);
  const int step = StringHeight() + line_spacing;

  std::string line;                     // the words joined by single spaces
  std::string bare;                     // the same words with no spaces
  std::vector<std::string> line_words;  // for the justified gaps
  int n = 0;
  auto line_y = [&] { return static_cast<float>(y + step * n); };

  for (size_t i = 0; i < words.size();) {
    const std::string& word = words[i];
    if (Width(line + " " + word) > width) {
      if (line.empty()) {
        // Too wide on its own: the word takes a line of its own (and the next word, which
        // cannot join it, closes that line), so the walk always moves on.
        line = word;
        bare = word;
        line_words = {word};
        ++i;
        continue;
      }
      const std::string full = Trim(line);
      if (how == Align::kJustify) {
        const size_t m = line_words.empty() ? 0 : line_words.size() - 1;
        const float gap = m > 0 ? (width - Width(bare)) / static_cast<float>(m) : 8.0f;
        std::string before;
        for (size_t k = 0; k < line_words.size(); ++k) {
          DrawString(line_words[k],
                     static_cast<float>(x) + gap * static_cast<float>(k) + Width(before), line_y());
          before += line_words[k];
        }
      } else {
        DrawAligned(full, how, x, line_y(), width);
      }
      ++n;
      line.clear();
      bare.clear();
      line_words.clear();
      continue;  // the same word again, on the new line
    }
    if (line.empty()) {
      line = word;
      if (!word.empty()) line_words = {word};
    } else {
      line += " " + word;
      line_words.push_back(word);
    }
    bare += word;
    ++i;
  }
  // The last line: not trimmed; a justified paragraph ends left-aligned.
  DrawAligned(line, how == Align::kJustify ? Align::kLeft : how, x, line_y(), width);
  return step * n;
}

}  // namespace orvela
