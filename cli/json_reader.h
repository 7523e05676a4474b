// SPDX-License-Identifier: MIT
// ReadJsonObject: one line of JSON Lines input, a flat object, read back as korvexer-cli writes it.
#pragma once

#include <map>
#include <string>
#include <string_view>

#include "core/platform/expected.h"
#include "core/platform/text_encoding.h"

namespace korvexer::cli {

// A member's value: a string, a whole number, true, false or null.
struct JsonValue {
    enum class Kind { String, Number, Bool, Null } kind = Kind::Null;
    std::u32string
        text;  // a string's characters; U+DC80 to U+DCFF stand for bytes (see JsonString)
    long long number = 0;
    bool truth = false;

    // The string as bytes in `encoding`: each escaped byte as itself, the rest encoded. Fails on
    // a character that GBK has no form for.
    Expected<std::string> Bytes(TextEncoding encoding) const;
};

// The members of the object that `line` holds. Fails, saying where, on anything else: a nested
// array or object, a number with a fraction or an exponent, text after the object.
Expected<std::map<std::string, JsonValue>> ReadJsonObject(std::string_view line);

}  // namespace korvexer::cli
