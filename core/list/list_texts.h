// SPDX-License-Identifier: MIT
// The GBK texts that list cells hold and that the core compares against.
#pragma once

#include <string_view>

namespace korvexer::texts {

// "替换": row state: to be replaced
inline constexpr std::string_view kStateReplace = "\xCC\xE6\xBB\xBB";
// "未知": row state: an accessor or substitute call that the record does not know
inline constexpr std::string_view kStateUnknown = "\xCE\xB4\xD6\xAA";
// "字符串": constant type: string
inline constexpr std::string_view kTypeString = "\xD7\xD6\xB7\xFB\xB4\xAE";
// "数值": constant type: number
inline constexpr std::string_view kTypeNumber = "\xCA\xFD\xD6\xB5";

}  // namespace korvexer::texts
