// SPDX-License-Identifier: MIT
// JsonObject: one line of korvexer-cli's JSON Lines output, and the scheme for bytes that do not
// decode.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/platform/text_encoding.h"

namespace korvexer::cli {

// The JSON string (quotes included) of `text`, bytes in `encoding`: each character as UTF-8, with
// the escapes JSON requires (", \ and the control characters, as \uXXXX but \n, \r, \t); each byte
// of 0x80 or more that does not decode as part of a character as the escape \udcXX, XX being the
// byte in hexadecimal (the lone low surrogates U+DC80 to U+DCFF stand for those bytes, as
// Python's "surrogateescape" has them). Bytes below 0x80 always stand for themselves.
std::string JsonString(std::string_view text, TextEncoding encoding);

// An object written member by member, in the order given, as one line of JSON.
class JsonObject {
public:
    JsonObject& Text(std::string_view key, std::string_view text,
                     TextEncoding encoding = TextEncoding::Gbk);
    JsonObject& Number(std::string_view key, std::int64_t value);
    JsonObject& Bool(std::string_view key, bool value);
    JsonObject& Null(std::string_view key);
    // A member whose value is JSON already (an array or an object made here).
    JsonObject& Raw(std::string_view key, std::string_view json);

    // The object as one line, with its line break.
    std::string Line() const { return m_json + "}\n"; }
    // The object as a value inside another, without a line break.
    std::string Value() const { return m_json + "}"; }

private:
    void Key(std::string_view key);

    std::string m_json = "{";
};

// A JSON array of the given values, each JSON already.
std::string JsonArray(const std::vector<std::string>& values);

}  // namespace korvexer::cli
