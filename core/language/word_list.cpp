// SPDX-License-Identifier: MIT
// The whole-element word-list test.
#include "core/language/word_list.h"

#include "core/platform/gbk_text.h"

namespace korvexer {

bool WordListHas(std::string_view list, std::string_view word) {
    // ';' is below 0x40 and so never the second byte of a two-byte character: splitting at it
    // byte by byte is safe. Lists are short, so one plain loop beats a library search per
    // element, and comparing element by element needs no lower-cased copies.
    std::size_t start = 0;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i] != ';') continue;
        if (i - start == word.size() && gbk::EqualsNoCase(list.substr(start, i - start), word))
            return true;
        start = i + 1;
    }
    return false;
}

}  // namespace korvexer

namespace korvexer {

WordList::WordList(std::string_view list) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i] != ';') continue;
        m_words.push_back(gbk::ToLower(list.substr(start, i - start)));
        start = i + 1;
        const std::string& element = m_words.back();
        if (element.empty()) {
            m_hasEmpty = true;
            continue;
        }
        const auto first = static_cast<unsigned char>(element[0]);
        m_firstBytes[first] = true;
        if (first >= 'a' && first <= 'z') m_firstBytes[first - 'a' + 'A'] = true;
    }
}

bool WordList::Has(std::string_view word) const {
    if (word.empty()) return m_hasEmpty;
    if (!m_firstBytes[static_cast<unsigned char>(word[0])]) return false;
    for (const std::string& element : m_words)
        if (element.size() == word.size() && gbk::EqualsNoCase(element, word)) return true;
    return false;
}

}  // namespace korvexer
