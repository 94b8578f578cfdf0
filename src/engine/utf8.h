// Text encodings.
//
// Every string of the program is a std::string holding Unicode text encoded as UTF-8. We chose
// UTF-8 over UTF-16 or UTF-32 strings because literals, concatenation, file paths, SDL and
// FreeType all speak UTF-8, so the common case (ASCII text) needs no conversion anywhere; the
// few algorithms that count or index characters (text layout, the configuration lexer, edit
// fields) decode to std::u32string, one element per character, and encode back.
// Text files are read and written in Latin-1 or UTF-16 (engine/files.h) and converted here.
#pragma once

#include <string>
#include <string_view>

namespace orvela {

// Unicode characters of UTF-8 text; malformed bytes become U+FFFD, one per byte.
std::u32string DecodeUtf8(std::string_view text);
std::string EncodeUtf8(std::u32string_view text);
std::string EncodeUtf8(char32_t character);
// The number of characters (not bytes) of UTF-8 text.
int CharCount(std::string_view text);

}  // namespace orvela
