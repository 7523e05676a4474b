// SPDX-License-Identifier: MIT
// The literals of a stand-in of the runtime library: a recorded value written as a string literal
// of C, Pascal or Java that the compiler reads back as the value the program held.
#pragma once

#include <string>
#include <string_view>

#include "core/platform/text_encoding.h"

namespace korvexer {

// A recorded string value is the text between the quotes as the source file holds it, escapes
// and all, in the file's encoding. Each form below keeps that text's ASCII bytes as they stand,
// so the compiler reads its escapes as it read them in the source, and writes every character of
// more than one byte as escapes, so the generated source is plain ASCII whatever the file's
// encoding. The quotes are part of the result.

// C and C++: each byte of a character of more than one byte (in GBK a lead byte and the byte after
// it, whatever that is) as a three-digit octal escape, which, unlike a hexadecimal one, never
// takes the digits after it.
std::string CStringLiteral(std::string_view value, TextEncoding encoding);

// Pascal: runs of ASCII in single quotes, every byte of 0x80 or more as a #nnn character code
// ('ab'#214#208'cd'); an empty value is ''.
std::string PascalStringLiteral(std::string_view value);

// Java: the value decoded by its file's encoding, every character past ASCII as \uXXXX (a pair
// of surrogates past U+FFFF). Bytes that do not decode are written as U+FFFD and `undecodable`,
// when given, is set.
std::string JavaStringLiteral(std::string_view value, TextEncoding encoding,
                              bool* undecodable = nullptr);

}  // namespace korvexer
