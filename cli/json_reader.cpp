// SPDX-License-Identifier: MIT
// A reader for the flat JSON objects of korvexer-cli's rows.
#include "cli/json_reader.h"

#include "core/platform/gbk_text.h"

namespace korvexer::cli {

namespace {

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

bool IsEscapedByte(char32_t c) {
    return c >= 0xDC80 && c <= 0xDCFF;
}

class Parser {
public:
    explicit Parser(std::string_view text) : m_text(text) {}

    Expected<std::map<std::string, JsonValue>> Object() {
        std::map<std::string, JsonValue> members;
        Blanks();
        if (!Take('{')) return Fault("an object must start with {");
        Blanks();
        if (Take('}')) return End(std::move(members));
        while (true) {
            Blanks();
            JsonValue key;
            if (!String(key)) return Fault("a member must start with its name in quotes");
            Blanks();
            if (!Take(':')) return Fault("a member's name must be followed by :");
            Blanks();
            JsonValue value;
            if (!Value(value))
                return Fault("a value must be a string, a whole number, true, false or null");
            std::string name;
            for (char32_t c : key.text) AppendUtf8(name, c);
            members[name] = std::move(value);
            Blanks();
            if (Take(',')) continue;
            if (Take('}')) return End(std::move(members));
            return Fault("members must be separated by , and the object closed by }");
        }
    }

private:
    Expected<std::map<std::string, JsonValue>> End(std::map<std::string, JsonValue> members) {
        Blanks();
        if (m_pos != m_text.size()) return Fault("nothing may follow the object");
        return members;
    }
    Error Fault(const std::string& what) const {
        return Error{"column " + std::to_string(m_pos + 1) + ": " + what, {}};
    }
    void Blanks() {
        while (m_pos < m_text.size() && (m_text[m_pos] == ' ' || m_text[m_pos] == '\t' ||
                                         m_text[m_pos] == '\r' || m_text[m_pos] == '\n'))
            ++m_pos;
    }
    bool Take(char c) {
        if (m_pos < m_text.size() && m_text[m_pos] == c) {
            ++m_pos;
            return true;
        }
        return false;
    }
    bool Word(std::string_view word) {
        if (m_text.substr(m_pos, word.size()) != word) return false;
        m_pos += word.size();
        return true;
    }

    bool Value(JsonValue& value) {
        if (m_pos >= m_text.size()) return false;
        const char c = m_text[m_pos];
        if (c == '"') return String(value);
        if (Word("true") || Word("false")) {
            value.kind = JsonValue::Kind::Bool;
            value.truth = m_text[m_pos - 1] == 'e' && m_text[m_pos - 2] == 'u';
            return true;
        }
        if (Word("null")) {
            value.kind = JsonValue::Kind::Null;
            return true;
        }
        const std::size_t start = m_pos;
        Take('-');
        const std::size_t digits = m_pos;
        while (m_pos < m_text.size() && m_text[m_pos] >= '0' && m_text[m_pos] <= '9') ++m_pos;
        if (m_pos == digits || m_pos - digits > 18) return false;
        if (m_pos < m_text.size() &&
            (m_text[m_pos] == '.' || m_text[m_pos] == 'e' || m_text[m_pos] == 'E'))
            return false;
        value.kind = JsonValue::Kind::Number;
        value.number = std::stoll(std::string(m_text.substr(start, m_pos - start)));
        return true;
    }

    bool Hex4(char32_t& code) {
        if (m_pos + 4 > m_text.size()) return false;
        code = 0;
        for (int i = 0; i < 4; ++i) {
            const char h = m_text[m_pos++];
            code <<= 4;
            if (h >= '0' && h <= '9')
                code |= static_cast<char32_t>(h - '0');
            else if (h >= 'a' && h <= 'f')
                code |= static_cast<char32_t>(h - 'a' + 10);
            else if (h >= 'A' && h <= 'F')
                code |= static_cast<char32_t>(h - 'A' + 10);
            else
                return false;
        }
        return true;
    }

    // A string; its UTF-8 is taken as it is, and an escape of a surrogate pair makes one
    // character.
    bool String(JsonValue& value) {
        if (!Take('"')) return false;
        value.kind = JsonValue::Kind::String;
        value.text.clear();
        while (m_pos < m_text.size()) {
            const auto c = static_cast<unsigned char>(m_text[m_pos]);
            if (c == '"') {
                ++m_pos;
                return true;
            }
            if (c < 0x20) return false;
            if (c == '\\') {
                ++m_pos;
                if (m_pos >= m_text.size()) return false;
                const char e = m_text[m_pos++];
                switch (e) {
                    case '"':
                    case '\\':
                    case '/':
                        value.text += static_cast<char32_t>(e);
                        break;
                    case 'b':
                        value.text += U'\b';
                        break;
                    case 'f':
                        value.text += U'\f';
                        break;
                    case 'n':
                        value.text += U'\n';
                        break;
                    case 'r':
                        value.text += U'\r';
                        break;
                    case 't':
                        value.text += U'\t';
                        break;
                    case 'u': {
                        char32_t code = 0;
                        if (!Hex4(code)) return false;
                        char32_t low = 0;
                        if (code >= 0xD800 && code < 0xDC00 && m_text.substr(m_pos, 2) == "\\u") {
                            const std::size_t back = m_pos;
                            m_pos += 2;
                            if (Hex4(low) && low >= 0xDC00 && low < 0xE000)
                                code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                            else
                                m_pos = back;
                        }
                        value.text += code;
                        break;
                    }
                    default:
                        return false;
                }
                continue;
            }
            // One UTF-8 character; a byte that starts none is taken as an escaped byte.
            const std::size_t length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
            std::string_view sequence = m_text.substr(m_pos, length);
            if (length == 1 || sequence.size() < length || !IsValidUtf8(sequence)) {
                value.text += c < 0x80 ? static_cast<char32_t>(c) : 0xDC00 + c;
                ++m_pos;
                continue;
            }
            char32_t code = c & (0x7F >> length);
            for (std::size_t i = 1; i < length; ++i)
                code = (code << 6) | (static_cast<unsigned char>(sequence[i]) & 0x3F);
            value.text += code;
            m_pos += length;
        }
        return false;
    }

    std::string_view m_text;
    std::size_t m_pos = 0;
};

}  // namespace

Expected<std::string> JsonValue::Bytes(TextEncoding encoding) const {
    std::string bytes;
    std::string run;  // UTF-8 not yet encoded
    auto flush = [&]() -> Status {
        if (run.empty()) return Status::Ok();
        if (encoding == TextEncoding::Utf8) {
            bytes += run;
        } else {
            Expected<std::string> gbkText = gbk::FromUtf8(run);
            if (!gbkText) return gbkText.error();
            bytes += *gbkText;
        }
        run.clear();
        return Status::Ok();
    };
    for (char32_t c : text) {
        if (IsEscapedByte(c)) {
            if (Status done = flush(); !done) return done.error();
            bytes += static_cast<char>(c - 0xDC00);
        } else {
            AppendUtf8(run, c);
        }
    }
    if (Status done = flush(); !done) return done.error();
    return bytes;
}

Expected<std::map<std::string, JsonValue>> ReadJsonObject(std::string_view line) {
    return Parser(line).Object();
}

}  // namespace korvexer::cli
