// SPDX-License-Identifier: MIT
// The encodings of source files: detection, validity, and the width of a character.
#include "core/platform/text_encoding.h"

#include <cstring>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define KORVEXER_TEXT_SSE2 1
#endif

#include "core/platform/gbk_text.h"

namespace korvexer {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The length of the UTF-8 sequence that `lead` starts; 0 for a byte that starts none.
std::size_t SequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 0;
}

// The first place at or after `from` where a byte of 0x80 or more may stand: most source text is
// ASCII, passed 64 bytes at a time.
std::size_t SkipAscii(std::string_view bytes, std::size_t from) {
    std::size_t i = from;
#ifdef KORVEXER_TEXT_SSE2
    // Sixteen bytes to a register, four registers ORed: one test for 64 bytes.
    auto load = [&](std::size_t at) {
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes.data() + at));
    };
    for (; i + 64 <= bytes.size(); i += 64)
        if (_mm_movemask_epi8(_mm_or_si128(_mm_or_si128(load(i), load(i + 16)),
                                           _mm_or_si128(load(i + 32), load(i + 48)))) != 0)
            break;
#else
    constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
    for (; i + 64 <= bytes.size(); i += 64) {
        std::uint64_t words[8];
        std::memcpy(words, bytes.data() + i, sizeof words);
        if (((words[0] | words[1] | words[2] | words[3] | words[4] | words[5] | words[6] |
              words[7]) &
             kHighBits) != 0)
            break;
    }
#endif
    return i;
}

}  // namespace

std::string_view SourceEncodingText(SourceEncoding encoding) {
    switch (encoding) {
        case SourceEncoding::Gbk:
            return "gbk";
        case SourceEncoding::Utf8:
            return "utf-8";
        default:
            return "auto";
    }
}

SourceEncoding SourceEncodingNamed(std::string_view text) {
    if (gbk::EqualsNoCase(text, "gbk")) return SourceEncoding::Gbk;
    if (gbk::EqualsNoCase(text, "utf-8") || gbk::EqualsNoCase(text, "utf8"))
        return SourceEncoding::Utf8;
    return SourceEncoding::Automatic;
}

bool HasUtf8Bom(std::string_view bytes) {
    return bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom;
}

bool IsValidUtf8(std::string_view bytes, bool* multibyte) {
    bool many = false;
    const std::size_t size = bytes.size();
    for (std::size_t i = SkipAscii(bytes, 0); i < size;) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const std::size_t length = SequenceLength(lead);
        if (length == 0) return false;
        if (length == 1) {
            ++i;
            if ((i & 63) == 0) i = SkipAscii(bytes, i);
            continue;
        }
        many = true;
        for (std::size_t k = 1; k < length; ++k) {
            if (i + k >= size) break;  // cut short by the end
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if (!IsContinuation(next)) return false;
            // The second byte rules out overlong forms, surrogates and code points past U+10FFFF.
            if (k == 1 && ((lead == 0xE0 && next < 0xA0) || (lead == 0xED && next > 0x9F) ||
                           (lead == 0xF0 && next < 0x90) || (lead == 0xF4 && next > 0x8F)))
                return false;
        }
        i += length;
    }
    if (multibyte != nullptr) *multibyte = many;
    return true;
}

bool IsValidGbk(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte < 0x80) continue;
        if (byte == 0x80 || byte == 0xFF) return false;
        if (i + 1 == bytes.size()) return true;  // cut short by the end
        const auto second = static_cast<unsigned char>(bytes[++i]);
        if (second < 0x40 || second == 0x7F || second == 0xFF) return false;
    }
    return true;
}

TextEncoding EncodingOf(SourceEncoding choice, std::string_view bytes, bool* undecodable) {
    if (undecodable != nullptr) *undecodable = false;
    switch (choice) {
        case SourceEncoding::Gbk:
            if (undecodable != nullptr) *undecodable = !IsValidGbk(bytes);
            return TextEncoding::Gbk;
        case SourceEncoding::Utf8:
            if (undecodable != nullptr) *undecodable = !IsValidUtf8(bytes);
            return TextEncoding::Utf8;
        default: {
            if (HasUtf8Bom(bytes)) return TextEncoding::Utf8;
            bool multibyte = false;
            return IsValidUtf8(bytes, &multibyte) && multibyte ? TextEncoding::Utf8
                                                               : TextEncoding::Gbk;
        }
    }
}

std::size_t CharWidthAt(std::string_view text, std::size_t pos, TextEncoding encoding) {
    if (encoding == TextEncoding::Gbk) return gbk::CharWidthAt(text, pos);
    const std::size_t length = SequenceLength(static_cast<unsigned char>(text[pos]));
    std::size_t width = 1;
    while (width < length && pos + width < text.size() &&
           IsContinuation(static_cast<unsigned char>(text[pos + width])))
        ++width;
    return width;
}

bool IsInsideCharacterAt(std::string_view text, std::size_t boundary, std::size_t pos,
                         TextEncoding encoding) {
    if (encoding == TextEncoding::Gbk) return gbk::IsSecondByteAt(text, boundary, pos);
    return pos > boundary && IsContinuation(static_cast<unsigned char>(text[pos]));
}

}  // namespace korvexer
