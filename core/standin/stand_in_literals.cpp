// SPDX-License-Identifier: MIT
// String literals of C, Pascal and Java for the values of a stand-in of the runtime library.
#include "core/standin/stand_in_literals.h"

#include <cstdint>

#include "core/platform/gbk_text.h"

namespace korvexer {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";
constexpr char32_t kReplacement = 0xFFFD;

bool IsAscii(char byte) {
    return static_cast<unsigned char>(byte) < 0x80;
}

void AppendOctal(std::string& out, unsigned char byte) {
    out += '\\';
    out += static_cast<char>('0' + (byte >> 6));
    out += static_cast<char>('0' + ((byte >> 3) & 7));
    out += static_cast<char>('0' + (byte & 7));
}

void AppendUnicodeEscape(std::string& out, std::uint32_t unit) {
    out += "\\u";
    for (int shift = 12; shift >= 0; shift -= 4) out += kHexDigits[(unit >> shift) & 0xF];
}

// The code point of the UTF-8 sequence at `pos` and its length; U+FFFD and 1 for a byte that
// starts no valid sequence.
char32_t DecodeUtf8At(std::string_view text, std::size_t pos, std::size_t& length) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(pos);
    length = 1;
    std::size_t count = 0;
    char32_t point = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        count = 1;
        point = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        count = 2;
        point = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        count = 3;
        point = lead & 0x07;
    } else {
        return kReplacement;
    }
    for (std::size_t i = 1; i <= count; ++i) {
        if (pos + i >= text.size() || (byte(pos + i) & 0xC0) != 0x80) return kReplacement;
        point = (point << 6) | (byte(pos + i) & 0x3F);
    }
    // Overlong forms, surrogates and points past U+10FFFF are no characters.
    static constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
    if (point < kSmallest[count] || (point >= 0xD800 && point <= 0xDFFF) || point > 0x10FFFF)
        return kReplacement;
    length = count + 1;
    return point;
}

}  // namespace

std::string CStringLiteral(std::string_view value, TextEncoding encoding) {
    std::string out = "\"";
    for (std::size_t pos = 0; pos < value.size();) {
        const std::size_t width = CharWidthAt(value, pos, encoding);
        if (width == 1 && IsAscii(value[pos])) {
            out += value[pos++];
            continue;
        }
        for (std::size_t end = pos + width; pos < end; ++pos)
            AppendOctal(out, static_cast<unsigned char>(value[pos]));
    }
    out += '"';
    return out;
}

std::string PascalStringLiteral(std::string_view value) {
    if (value.empty()) return "''";
    std::string out;
    bool quoted = false;
    for (char byte : value) {
        if (IsAscii(byte) != quoted) {
            out += '\'';
            quoted = !quoted;
        }
        if (quoted)
            out += byte;
        else
            out += '#' + std::to_string(static_cast<unsigned char>(byte));
    }
    if (quoted) out += '\'';
    return out;
}

std::string JavaStringLiteral(std::string_view value, TextEncoding encoding, bool* undecodable) {
    bool lost = false;
    std::string utf8;
    if (encoding == TextEncoding::Gbk) {
        Expected<std::string> converted = gbk::ToUtf8(value);
        lost = !converted;
        utf8 = converted ? std::move(*converted) : gbk::ToUtf8Lossy(value);
    } else {
        utf8 = std::string(value);
    }
    std::string out = "\"";
    for (std::size_t pos = 0; pos < utf8.size();) {
        if (IsAscii(utf8[pos])) {
            out += utf8[pos++];
            continue;
        }
        std::size_t length = 1;
        const char32_t point = DecodeUtf8At(utf8, pos, length);
        if (point == kReplacement && length == 1) lost = true;
        pos += length;
        if (point > 0xFFFF) {
            const char32_t offset = point - 0x10000;
            AppendUnicodeEscape(out, 0xD800 + (offset >> 10));
            AppendUnicodeEscape(out, 0xDC00 + (offset & 0x3FF));
        } else {
            AppendUnicodeEscape(out, point);
        }
    }
    out += '"';
    if (undecodable) *undecodable = lost;
    return out;
}

}  // namespace korvexer
