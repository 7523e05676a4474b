// SPDX-License-Identifier: MIT
// The scanner's byte-text helpers.
#include "core/scanner/source_text.h"

namespace korvexer::source_text {

namespace {

// Whether a byte is a character of its own wherever it occurs, so that a plain byte search finds
// only true occurrences: in GBK a byte below 0x40 (the searches' own reading; a line's break may
// still be taken as a second byte), in UTF-8 every byte below 0x80.
bool IsSafeByte(char byte, TextEncoding encoding) {
    const auto value = static_cast<unsigned char>(byte);
    return value < 0x40 || (value < 0x80 && encoding == TextEncoding::Utf8);
}

// The last occurrence of `needle` (not empty) in `text`, bytes compared as they are. The library's
// rfind compares the whole needle at every position; testing its first byte first is faster.
std::size_t ReverseFind(std::string_view text, std::string_view needle) {
    if (needle.size() > text.size()) return npos;
    const char first = needle[0];
    for (std::size_t pos = text.size() - needle.size() + 1; pos-- > 0;)
        if (text[pos] == first && text.compare(pos, needle.size(), needle) == 0) return pos;
    return npos;
}

}  // namespace

std::string_view FirstWord(std::string_view text) {
    return text.substr(0, text.find(' '));
}

std::size_t FindText(std::string_view text, std::string_view needle, TextEncoding encoding,
                     std::size_t from) {
    if (from > text.size()) return npos;
    if (needle.empty()) return from;
    if (IsSafeByte(needle[0], encoding)) return text.find(needle, from);
    // Raw matches are found with the fast byte search; whether one starts on a character shows
    // in the bytes right before it.
    std::size_t boundary = from;
    for (std::size_t pos = text.find(needle, from); pos != npos; pos = text.find(needle, pos + 1)) {
        if (!IsInsideCharacterAt(text, boundary, pos, encoding)) return pos;
        if (encoding == TextEncoding::Gbk) boundary = pos + 1;  // the character ends at pos
    }
    return npos;
}

std::size_t FindLastText(std::string_view text, std::string_view needle, TextEncoding encoding) {
    if (needle.empty()) return text.size();
    if (IsSafeByte(needle[0], encoding)) return ReverseFind(text, needle);
    std::size_t found = npos;
    std::size_t from = 0;
    for (std::size_t pos = FindText(text, needle, encoding, from); pos != npos;
         pos = FindText(text, needle, encoding, from)) {
        found = pos;
        from = pos + CharWidthAt(text, pos, encoding);
    }
    return found;
}

std::size_t FindChar(std::string_view text, char byte, TextEncoding encoding) {
    return FindText(text, std::string_view(&byte, 1), encoding);
}

bool EndsWithChar(std::string_view text, char byte, TextEncoding encoding) {
    if (text.empty()) return false;
    return text.back() == byte &&
           (IsSafeByte(byte, encoding) || !IsInsideCharacterAt(text, 0, text.size() - 1, encoding));
}

}  // namespace korvexer::source_text
