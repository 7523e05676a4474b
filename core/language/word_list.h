// SPDX-License-Identifier: MIT
// WordListHas and WordList: whether a word is a whole element of a ';'-terminated word list, in
// lower case.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace korvexer {

// True when `word` equals, without regard to the case of ASCII letters, a whole element of `list`:
// the word followed by ';' at the start of the list or right after a ';'. So "r" is not in
// "char;" and "ring" is not in "cstring;". An element without its closing ';' (a list whose last
// ';' is missing) matches nothing, and the empty word matches only an empty element (";;").
// Case folding steps over the second bytes of two-byte characters.
bool WordListHas(std::string_view list, std::string_view word);

// A word list split once, for tests repeated on every line of a file; Has(word) answers as
// WordListHas(list, word) does.
class WordList {
public:
    explicit WordList(std::string_view list);

    bool Has(std::string_view word) const;
    // False when no word that starts with `byte` is in the list (the empty word aside).
    bool MayStartWith(char byte) const { return m_firstBytes[static_cast<unsigned char>(byte)]; }
    bool empty() const { return m_words.empty(); }

private:
    std::vector<std::string> m_words;  // lower case
    // The first bytes of the elements in both cases, so that most words are refused at once.
    bool m_firstBytes[256] = {};
    bool m_hasEmpty = false;
};

}  // namespace korvexer
