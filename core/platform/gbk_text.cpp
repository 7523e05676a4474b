// SPDX-License-Identifier: MIT
// GBK byte text helpers; conversion through iconv.
#include "core/platform/gbk_text.h"

#include <cerrno>
#include <iconv.h>

namespace korvexer::gbk {

namespace {

bool IsAsciiUpper(unsigned char byte) {
    return byte >= 'A' && byte <= 'Z';
}

// One conversion direction, opened once per thread. iconv is stateless for these encodings, but
// the descriptor is reset before every use all the same.
class Converter {
public:
    Converter(const char* to, const char* from) : m_handle(iconv_open(to, from)) {}
    ~Converter() {
        if (m_handle != reinterpret_cast<iconv_t>(-1)) iconv_close(m_handle);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts all of `input`; on an unconvertible or incomplete sequence returns false and sets
    // `failedAt` to its offset.
    bool Convert(std::string_view input, std::string& output, std::size_t& failedAt) {
        output.clear();
        if (m_handle == reinterpret_cast<iconv_t>(-1)) {
            failedAt = 0;
            return false;
        }
        iconv(m_handle, nullptr, nullptr, nullptr, nullptr);
        char* in = const_cast<char*>(input.data());
        std::size_t inLeft = input.size();
        char buffer[4096];
        while (inLeft > 0) {
            char* out = buffer;
            std::size_t outLeft = sizeof buffer;
            std::size_t result = iconv(m_handle, &in, &inLeft, &out, &outLeft);
            output.append(buffer, static_cast<std::size_t>(out - buffer));
            if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
                failedAt = input.size() - inLeft;
                return false;
            }
        }
        char* out = buffer;
        std::size_t outLeft = sizeof buffer;
        iconv(m_handle, nullptr, nullptr, &out, &outLeft);
        output.append(buffer, static_cast<std::size_t>(out - buffer));
        return true;
    }

private:
    iconv_t m_handle;
};

Converter& GbkToUtf8Converter() {
    thread_local Converter converter("UTF-8", "GBK");
    return converter;
}

Converter& Utf8ToGbkConverter() {
    thread_local Converter converter("GBK", "UTF-8");
    return converter;
}

bool IsPlainAscii(std::string_view text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

}  // namespace

std::size_t CharWidthAt(std::string_view text, std::size_t pos) {
    return IsLeadByte(text[pos]) && pos + 1 < text.size() ? 2 : 1;
}

void ToLowerInPlace(std::string& text) {
    for (std::size_t i = 0; i < text.size();) {
        unsigned char byte = static_cast<unsigned char>(text[i]);
        if (IsLeadByte(byte)) {
            i += 2;
            continue;
        }
        if (IsAsciiUpper(byte)) text[i] = static_cast<char>(byte + ('a' - 'A'));
        ++i;
    }
}

std::string ToLower(std::string_view text) {
    std::string lowered(text);
    ToLowerInPlace(lowered);
    return lowered;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]);
        unsigned char y = static_cast<unsigned char>(b[i]);
        if (IsLeadByte(x)) {
            // A two-byte character compares exactly, both of its bytes.
            if (x != y) return false;
            if (i + 1 < a.size()) {
                if (a[i + 1] != b[i + 1]) return false;
                ++i;
            }
            continue;
        }
        if (IsAsciiUpper(x)) x = static_cast<unsigned char>(x + ('a' - 'A'));
        if (IsAsciiUpper(y)) y = static_cast<unsigned char>(y + ('a' - 'A'));
        if (x != y) return false;
    }
    return true;
}

std::size_t Find(std::string_view text, char byte, std::size_t from) {
    // Walk from the start: a character boundary can only be known by counting from the front.
    for (std::size_t i = 0; i < text.size(); i += CharWidthAt(text, i))
        if (i >= from && text[i] == byte) return i;
    return std::string_view::npos;
}

std::size_t FindLastOf(std::string_view text, std::string_view bytes) {
    std::size_t found = std::string_view::npos;
    for (std::size_t i = 0; i < text.size(); i += CharWidthAt(text, i))
        if (bytes.find(text[i]) != std::string_view::npos) found = i;
    return found;
}

std::size_t CutLength(std::string_view text, std::size_t capacity) {
    if (text.size() <= capacity) return text.size();
    std::size_t end = 0;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t width = CharWidthAt(text, i);
        if (i + width > capacity) break;
        i += width;
        end = i;
    }
    return end;
}

Expected<std::string> ToUtf8(std::string_view gbkText) {
    if (IsPlainAscii(gbkText)) return std::string(gbkText);
    std::string output;
    std::size_t failedAt = 0;
    if (!GbkToUtf8Converter().Convert(gbkText, output, failedAt))
        return Error{"text is not valid GBK at byte " + std::to_string(failedAt), {}};
    return output;
}

Expected<std::string> FromUtf8(std::string_view utf8Text) {
    if (IsPlainAscii(utf8Text)) return std::string(utf8Text);
    std::string output;
    std::size_t failedAt = 0;
    if (!Utf8ToGbkConverter().Convert(utf8Text, output, failedAt))
        return Error{"text has no GBK form (byte " + std::to_string(failedAt) +
                         " is not valid UTF-8 or names a character GBK lacks)",
                     {}};
    return output;
}

std::string ToUtf8Lossy(std::string_view gbkText) {
    if (IsPlainAscii(gbkText)) return std::string(gbkText);
    std::string result;
    std::string piece;
    std::size_t start = 0;
    while (start < gbkText.size()) {
        std::size_t failedAt = 0;
        std::string_view rest = gbkText.substr(start);
        if (GbkToUtf8Converter().Convert(rest, piece, failedAt)) {
            result += piece;
            break;
        }
        // `piece` holds what converted before the fault; redo that prefix exactly, then skip
        // one character of the bad sequence.
        std::string good;
        std::size_t ignored = 0;
        GbkToUtf8Converter().Convert(rest.substr(0, failedAt), good, ignored);
        result += good;
        result += "\xEF\xBF\xBD";
        // Skip the bad lead byte with its second byte only when that one could be a second byte.
        bool pair = failedAt + 1 < rest.size() && IsLeadByte(rest[failedAt]) &&
                    static_cast<unsigned char>(rest[failedAt]) != 0xFF &&
                    static_cast<unsigned char>(rest[failedAt + 1]) >= 0x40 &&
                    static_cast<unsigned char>(rest[failedAt + 1]) != 0x7F &&
                    static_cast<unsigned char>(rest[failedAt + 1]) != 0xFF;
        start += failedAt + (pair ? 2 : 1);
    }
    return result;
}

}  // namespace korvexer::gbk
