// SPDX-License-Identifier: MIT
// JSON Lines writing: strings decoded from GBK or UTF-8, undecodable bytes escaped.
#include "cli/json_writer.h"

#include "core/platform/gbk_text.h"

namespace korvexer::cli {

namespace {

void AppendEscapedByte(std::string& out, unsigned char byte) {
    static const char kHex[] = "0123456789abcdef";
    out += "\\udc";
    out += kHex[byte >> 4];
    out += kHex[byte & 0xF];
}

// Appends ASCII byte `c` with the escapes JSON requires.
void AppendAscii(std::string& out, char c) {
    switch (c) {
        case '"':
            out += "\\\"";
            return;
        case '\\':
            out += "\\\\";
            return;
        case '\n':
            out += "\\n";
            return;
        case '\r':
            out += "\\r";
            return;
        case '\t':
            out += "\\t";
            return;
        default:
            break;
    }
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
        static const char kHex[] = "0123456789abcdef";
        out += "\\u00";
        out += kHex[(c >> 4) & 0xF];
        out += kHex[c & 0xF];
        return;
    }
    out += c;
}

// The length of the well-formed UTF-8 sequence at `pos`, or 0 when none starts there.
std::size_t Utf8SequenceAt(std::string_view text, std::size_t pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    if (length == 0 || pos + length > text.size()) return 0;
    for (std::size_t i = 1; i < length; ++i)
        if ((static_cast<unsigned char>(text[pos + i]) & 0xC0) != 0x80) return 0;
    // IsValidUtf8 rejects overlong forms, surrogates and what passes U+10FFFF.
    return IsValidUtf8(text.substr(pos, length)) ? length : 0;
}

}  // namespace

std::string JsonString(std::string_view text, TextEncoding encoding) {
    std::string out = "\"";
    out.reserve(text.size() + 2);
    for (std::size_t pos = 0; pos < text.size();) {
        const auto byte = static_cast<unsigned char>(text[pos]);
        if (byte < 0x80) {
            AppendAscii(out, text[pos++]);
            continue;
        }
        if (encoding == TextEncoding::Utf8) {
            if (const std::size_t length = Utf8SequenceAt(text, pos)) {
                out.append(text.substr(pos, length));
                pos += length;
            } else {
                AppendEscapedByte(out, byte);
                ++pos;
            }
            continue;
        }
        const std::size_t width = gbk::CharWidthAt(text, pos);
        Expected<std::string> character = gbk::ToUtf8(text.substr(pos, width));
        if (character) {
            out += *character;
        } else {
            for (std::size_t i = pos; i < pos + width; ++i) {
                const auto part = static_cast<unsigned char>(text[i]);
                if (part < 0x80)
                    AppendAscii(out, text[i]);
                else
                    AppendEscapedByte(out, part);
            }
        }
        pos += width;
    }
    out += '"';
    return out;
}

void JsonObject::Key(std::string_view key) {
    if (m_json.size() > 1) m_json += ',';
    m_json += JsonString(key, TextEncoding::Utf8);
    m_json += ':';
}

JsonObject& JsonObject::Text(std::string_view key, std::string_view text, TextEncoding encoding) {
    Key(key);
    m_json += JsonString(text, encoding);
    return *this;
}

JsonObject& JsonObject::Number(std::string_view key, std::int64_t value) {
    Key(key);
    m_json += std::to_string(value);
    return *this;
}

JsonObject& JsonObject::Bool(std::string_view key, bool value) {
    Key(key);
    m_json += value ? "true" : "false";
    return *this;
}

JsonObject& JsonObject::Null(std::string_view key) {
    Key(key);
    m_json += "null";
    return *this;
}

JsonObject& JsonObject::Raw(std::string_view key, std::string_view json) {
    Key(key);
    m_json += json;
    return *this;
}

std::string JsonArray(const std::vector<std::string>& values) {
    std::string json = "[";
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i > 0) json += ',';
        json += values[i];
    }
    return json + "]";
}

}  // namespace korvexer::cli
