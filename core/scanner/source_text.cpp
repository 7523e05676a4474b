// SPDX-License-Identifier: MIT
// The scanner's byte-text helpers.
#include "core/scanner/source_text.h"

#include "core/platform/gbk_text.h"

namespace korvexer::source_text {

namespace {

// A byte below 0x40 is never part of a two-byte character, so wherever it occurs it is a
// character of its own and a plain byte search finds only true occurrences.
bool IsSafeByte(char byte) {
    return static_cast<unsigned char>(byte) < 0x40;
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

std::size_t FindText(std::string_view text, std::string_view needle, std::size_t from) {
    if (from > text.size()) return npos;
    if (needle.empty()) return from;
    if (IsSafeByte(needle[0])) return text.find(needle, from);
    // Raw matches are found with the fast byte search; whether one starts on a character shows
    // in the lead bytes right before it.
    std::size_t boundary = from;
    for (std::size_t pos = text.find(needle, from); pos != npos; pos = text.find(needle, pos + 1)) {
        if (!gbk::IsSecondByteAt(text, boundary, pos)) return pos;
        boundary = pos + 1;  // the character ends with the byte at pos
    }
    return npos;
}

std::size_t FindLastText(std::string_view text, std::string_view needle) {
    if (needle.empty()) return text.size();
    if (IsSafeByte(needle[0])) return ReverseFind(text, needle);
    std::size_t found = npos;
    std::size_t from = 0;
    for (std::size_t pos = FindText(text, needle, from); pos != npos;
         pos = FindText(text, needle, from)) {
        found = pos;
        from = pos + gbk::CharWidthAt(text, pos);
    }
    return found;
}

std::size_t FindChar(std::string_view text, char byte) {
    return FindText(text, std::string_view(&byte, 1));
}

bool EndsWithChar(std::string_view text, char byte) {
    if (text.empty()) return false;
    return text.back() == byte &&
           (IsSafeByte(byte) || !gbk::IsSecondByteAt(text, 0, text.size() - 1));
}

}  // namespace korvexer::source_text
