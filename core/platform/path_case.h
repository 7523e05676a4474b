// SPDX-License-Identifier: MIT
// PathCaseKey: how this platform's file names compare with regard to letter case.
#pragma once

#include <string>
#include <string_view>

namespace korvexer {

// True where file names ignore the case of letters (Windows), false where they do not.
bool PathsIgnoreCase();

// The form of `path` under which equal file names compare equal: lower-cased (ASCII letters,
// second bytes of two-byte characters untouched) and with every '/' made '\\' where names ignore
// case (Windows, where both separate folders), unchanged elsewhere, since there a lower-cased
// path would name another file.
std::string PathCaseKey(std::string_view path);

}  // namespace korvexer
