// SPDX-License-Identifier: MIT
// CAtoi and CAtol: numbers read from text as the C runtime reads them.
#pragma once

#include <cstdint>
#include <string_view>

namespace korvexer {

// Leading blanks (space, \t, \n, \v, \f, \r) skipped, an optional sign, then decimal digits up to
// the first other byte; no digits gives 0. The value wraps at 32 bits, as the original
// platform's 32-bit int and long do.
std::int32_t CAtoi(std::string_view text);
inline std::int32_t CAtol(std::string_view text) {
    return CAtoi(text);
}

}  // namespace korvexer
