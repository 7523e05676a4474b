// SPDX-License-Identifier: MIT
// What a replacement replaced, read back from the comment it appended to its line: for taking
// back calls that the record does not know.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "core/platform/text_encoding.h"

namespace korvexer {

// Whether `removal` (a comment prefix followed by the replaced text, as a take-back removes it)
// stands in `line` at or after byte `from`, starting on a character of `encoding`.
bool CommentStandsAfter(std::string_view line, std::size_t from, std::string_view removal,
                        TextEncoding encoding = TextEncoding::Gbk);

// The names that the comments at or after byte `from` of `line` hold: each `commentPrefix`
// (starting on a character) directly followed by a name (letters, digits, '_' and ':') that ends
// the line, blanks aside, or is followed by the next prefix. In line order; none when
// `commentPrefix` is empty.
std::vector<std::string_view> CommentNames(std::string_view line, std::size_t from,
                                           std::string_view commentPrefix,
                                           TextEncoding encoding = TextEncoding::Gbk);

}  // namespace korvexer
