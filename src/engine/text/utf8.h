// Text encodings.
//
// Every string of the program is a std::string holding Unicode text encoded as UTF-8. We chose
// UTF-8 over UTF-16 or UTF-32 strings because literals, concatenation, file paths, SDL and
// FreeType all speak UTF-8, so the common case (ASCII text) needs no conversion anywhere; the
// few algorithms that count or index characters (text layout, the configuration lexer, edit
// fields) decode to std::u32string, one element per character, and encode back.
// Text files are read and written in Latin-1 or UTF-16 (engine/files/files.h) and converted here.
#pragma once

#include <string>
#include <string_view>

namespace orvela {

// Unicode characters of UTF-8 text; malformed bytes become U+FFFD, one per byte.
std::u32string DecodeUtf8(std::string_view text);
std::string EncodeUtf8(std::u32string_view text);
std::string EncodeUtf8(char32_t character);
// Appends the character's UTF-8 bytes (a character that Unicode does not allow as U+FFFD).
void AppendUtf8(std::string& out, char32_t character);
// True when every byte is below 0x80: the text is ASCII, the same in UTF-8 and Latin-1.
bool IsAscii(std::string_view text);
// The number of characters (not bytes) of UTF-8 text.
int CharCount(std::string_view text);
// The text with its control characters written out ("\0", "\x1B"), line breaks and tabs
// kept: text quoted from a file stays whole in a message, where a zero byte would end it.
std::string VisibleText(std::string_view text);

}  // namespace orvela
