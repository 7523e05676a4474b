// SPDX-License-Identifier: MIT
// GBK byte text helpers; conversion through iconv, or code page 936 of the Win32 API on Windows.
#include "core/platform/gbk_text.h"

#include <algorithm>
#include <climits>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <cerrno>
#include <iconv.h>
#endif

namespace korvexer::gbk {

namespace {

bool IsAsciiUpper(unsigned char byte) {
    return byte >= 'A' && byte <= 'Z';
}

#ifdef _WIN32

constexpr UINT kGbkCodePage = 936;

// The length of the unit that starts at `pos` in text of `codePage`: one GBK character, or one
// UTF-8 sequence as its first byte announces it.
std::size_t UnitWidthAt(std::string_view text, std::size_t pos, UINT codePage) {
    if (codePage == kGbkCodePage) return CharWidthAt(text, pos);
    unsigned char lead = static_cast<unsigned char>(text[pos]);
    std::size_t width = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    return std::min(width, text.size() - pos);
}

// One conversion direction through UTF-16, as the Win32 API converts between code pages.
class Converter {
public:
    Converter(UINT from, UINT to) : m_from(from), m_to(to) {}

    // Converts all of `input`; on an unconvertible or incomplete sequence returns false and sets
    // `failedAt` to its offset.
    bool Convert(std::string_view input, std::string& output, std::size_t& failedAt) {
        output.clear();
        if (input.empty()) return true;
        if (ConvertWhole(input, output)) return true;
        // Find the first unit that does not convert; the text before it converts as it stands,
        // since neither encoding carries state from one character to the next.
        output.clear();
        std::string piece;
        for (std::size_t i = 0; i < input.size();) {
            std::size_t width = UnitWidthAt(input, i, m_from);
            if (!ConvertWhole(input.substr(i, width), piece)) {
                failedAt = i;
                return false;
            }
            output += piece;
            i += width;
        }
        // Every unit converts alone but the whole did not: report the end as the fault.
        failedAt = input.size();
        return false;
    }

private:
    bool ConvertWhole(std::string_view input, std::string& output) const {
        output.clear();
        if (input.size() > static_cast<std::size_t>(INT_MAX)) return false;
        int inputSize = static_cast<int>(input.size());
        int wideSize =
            MultiByteToWideChar(m_from, MB_ERR_INVALID_CHARS, input.data(), inputSize, nullptr, 0);
        if (wideSize <= 0) return false;
        std::wstring wide(static_cast<std::size_t>(wideSize), L'\0');
        if (MultiByteToWideChar(m_from, MB_ERR_INVALID_CHARS, input.data(), inputSize, wide.data(),
                                wideSize) != wideSize)
            return false;
        // A character the target lacks would become '?': that is a failure, not a conversion.
        BOOL usedDefault = FALSE;
        BOOL* usedDefaultPointer = m_to == CP_UTF8 ? nullptr : &usedDefault;
        DWORD flags = m_to == CP_UTF8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
        int outputSize = WideCharToMultiByte(m_to, flags, wide.data(), wideSize, nullptr, 0,
                                             nullptr, usedDefaultPointer);
        if (outputSize <= 0 || usedDefault) return false;
        output.resize(static_cast<std::size_t>(outputSize));
        if (WideCharToMultiByte(m_to, flags, wide.data(), wideSize, output.data(), outputSize,
                                nullptr, usedDefaultPointer) != outputSize ||
            usedDefault) {
            output.clear();
            return false;
        }
        return true;
    }

    UINT m_from;
    UINT m_to;
};

Converter& GbkToUtf8Converter() {
    thread_local Converter converter(kGbkCodePage, CP_UTF8);
    return converter;
}

Converter& Utf8ToGbkConverter() {
    thread_local Converter converter(CP_UTF8, kGbkCodePage);
    return converter;
}

#else

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

#endif  // _WIN32

bool IsPlainAscii(std::string_view text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

}  // namespace

std::size_t CharWidthAt(std::string_view text, std::size_t pos) {
    return IsLeadByte(text[pos]) && pos + 1 < text.size() ? 2 : 1;
}

bool IsSecondByteAt(std::string_view text, std::size_t boundary, std::size_t pos) {
    // A byte that is no lead byte always ends a character, so the lead bytes right before `pos`
    // start at a character and pair up from there: an odd run leaves its last byte waiting for
    // the byte at `pos`.
    std::size_t runStart = pos;
    while (runStart > boundary && IsLeadByte(text[runStart - 1])) --runStart;
    return (pos - runStart) % 2 == 1;
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
        return Error{
            "text is not valid GBK at byte " + std::to_string(failedAt), {}, ErrorKind::NotGbk};
    return output;
}

Expected<std::string> FromUtf8(std::string_view utf8Text) {
    if (IsPlainAscii(utf8Text)) return std::string(utf8Text);
    std::string output;
    std::size_t failedAt = 0;
    if (!Utf8ToGbkConverter().Convert(utf8Text, output, failedAt))
        return Error{"text has no GBK form (byte " + std::to_string(failedAt) +
                         " is not valid UTF-8 or names a character GBK lacks)",
                     {},
                     ErrorKind::NotGbk};
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
