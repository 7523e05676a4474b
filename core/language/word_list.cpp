// SPDX-License-Identifier: MIT
// The whole-element word-list test.
#include "core/language/word_list.h"

#include "core/platform/gbk_text.h"

namespace korvexer {

bool WordListHas(std::string_view list, std::string_view word) {
    // ';' is below 0x40 and so never the second byte of a two-byte character: splitting at it
    // byte by byte is safe. Comparing element by element needs no lower-cased copies.
    std::size_t start = 0;
    while (start <= list.size()) {
        std::size_t end = list.find(';', start);
        if (end == std::string_view::npos) return false;
        if (end - start == word.size() && gbk::EqualsNoCase(list.substr(start, end - start), word))
            return true;
        start = end + 1;
    }
    return false;
}

}  // namespace korvexer
