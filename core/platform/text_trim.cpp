// SPDX-License-Identifier: MIT
// Trimming of byte texts.
#include "core/platform/text_trim.h"

#include <cstdint>
#include <cstring>

namespace korvexer {

namespace {

// Blanked comments and indentation leave long runs of spaces in source lines; the scanner trims
// every statement, so such runs are passed over eight bytes at a time.
bool EightSpacesAt(const char* at) {
    std::uint64_t word;
    std::memcpy(&word, at, sizeof word);
    return word == 0x2020202020202020ULL;
}

}  // namespace

std::size_t CountLeadingBlanks(std::string_view text) {
    std::size_t i = 0;
    while (i + 8 <= text.size() && EightSpacesAt(text.data() + i)) i += 8;
    while (i < text.size() && IsBlankByte(text[i])) ++i;
    return i;
}

std::string_view TrimBlanksRight(std::string_view text) {
    std::size_t end = text.size();
    while (end >= 8 && EightSpacesAt(text.data() + end - 8)) end -= 8;
    while (end > 0 && IsBlankByte(text[end - 1])) --end;
    return text.substr(0, end);
}

std::string_view TrimBlanks(std::string_view text) {
    return TrimBlanksRight(text.substr(CountLeadingBlanks(text)));
}

std::string TrimLeadingBlanks(std::string_view text) {
    return std::string(text.substr(CountLeadingBlanks(text)));
}

std::string TrimTrailingBlanks(std::string_view text) {
    return std::string(TrimBlanksRight(text));
}

std::string_view TrimBytes(std::string_view text, std::string_view bytes) {
    const std::size_t first = text.find_first_not_of(bytes);
    if (first == std::string_view::npos) return {};
    return TrimBytesRight(text.substr(first), bytes);
}

std::string_view TrimBytesRight(std::string_view text, std::string_view bytes) {
    const std::size_t last = text.find_last_not_of(bytes);
    return last == std::string_view::npos ? std::string_view() : text.substr(0, last + 1);
}

}  // namespace korvexer
