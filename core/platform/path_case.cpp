// SPDX-License-Identifier: MIT
// The path case rule of the platform the program was built for.
#include "core/platform/path_case.h"

#include "core/platform/gbk_text.h"

namespace korvexer {

bool PathsIgnoreCase() {
#ifdef _WIN32
    return true;
#else
    return false;
#endif
}

std::string PathCaseKey(std::string_view path) {
    return PathsIgnoreCase() ? gbk::ToLower(path) : std::string(path);
}

}  // namespace korvexer
