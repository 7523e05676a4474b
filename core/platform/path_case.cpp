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
    if (!PathsIgnoreCase()) return std::string(path);
    // Windows takes '/' for '\\'; '/' is below 0x40 and never the second byte of a character.
    std::string key = gbk::ToLower(path);
    for (char& byte : key)
        if (byte == '/') byte = '\\';
    return key;
}

}  // namespace korvexer
