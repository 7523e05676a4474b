// SPDX-License-Identifier: MIT
// The one-line rules: markers, declarations, the user marker, one-line comments and the
// terminator rule.
#include "core/scanner/statement_rules.h"

#include "core/scanner/source_text.h"

namespace korvexer {

namespace st = source_text;

namespace {

// Whether the user marker starts on a character of `text`. The marker starts with a letter that
// most lines hold, so the search goes for its apostrophe, a byte that is rare, never the second
// byte of a character, and found with memchr.
bool HasUserMarker(std::string_view text, TextEncoding encoding) {
    constexpr std::size_t kApostrophe = 3;  // "can't": the apostrophe's place in the marker
    static_assert(kUserMarker[kApostrophe] == '\'');
    for (std::size_t a = text.find('\'', kApostrophe); a != st::npos; a = text.find('\'', a + 1)) {
        const std::size_t pos = a - kApostrophe;
        if (text.compare(pos, kUserMarker.size(), kUserMarker) == 0 &&
            !IsInsideCharacterAt(text, 0, pos, encoding))
            return true;
    }
    return false;
}

// FirstWord(Trim(text)) for a `text` without leading blanks, without trimming the whole text,
// which is long where the word is short.
std::string_view FirstWordOfTrimmed(std::string_view text) {
    std::string_view word = st::FirstWord(text);
    // A space followed only by blanks is not inside the trimmed text: the word ends before the
    // blanks.
    const std::string_view rest = text.substr(word.size());
    return st::LeadingBlanks(rest) == rest.size() ? st::TrimRight(word) : word;
}

}  // namespace

StatementWords::StatementWords(const LanguageDefinition& language)
    : beginMarks(language.begindealmark),
      functionMarks(language.functionbegin),
      declarations(language.definevalue) {}

StatementRules::StatementRules(const LanguageDefinition& language, TextEncoding encoding)
    : m_language(language), m_encoding(encoding), m_words(language) {}

bool StatementRules::IsMarkerLine(std::string_view line, const WordList& list) const {
    // Most lines start with a byte that no word of the list starts with: that byte is found
    // without a call, and the word only for the others.
    const std::size_t blanks = st::LeadingBlanks(line);
    return blanks < line.size() && list.MayStartWith(line[blanks]) &&
           list.Has(FirstWordOfTrimmed(line.substr(blanks)));
}

bool StatementRules::TakeLine(std::size_t index, std::string_view line, std::string_view unblanked,
                              Statement& out) const {
    out.comment.clear();
    std::size_t column = st::LeadingBlanks(line);
    // A statement ends with the terminator unless it starts with "for ": a line that holds no
    // terminator byte at all is refused before the other rules look at it.
    const char terminator = static_cast<char>(m_language.linendchar);
    if (terminator != 0 && line.find(terminator) == std::string_view::npos &&
        line.substr(column, 4) != "for ")
        return false;
    std::string_view text = st::TrimRight(line.substr(column));

    if (HasUserMarker(text, m_encoding)) return false;
    if (!m_language.definevalue.empty() && !text.empty() &&
        m_words.declarations.Has(st::FirstWord(text)))
        return false;

    const std::string_view marker = m_language.onelineexplain;
    if (!text.empty() && !marker.empty()) {
        std::size_t p = st::FindText(text, marker, m_encoding);
        if (p != st::npos) {
            // The comment keeps its bytes as the file holds them: a block comment inside it is
            // part of its text (an old literal that an accessor call replaced, say).
            std::string_view comment = st::TrimRight(unblanked.substr(column + p + marker.size()));
            const char quote = static_cast<char>(m_language.quotation);
            if (!comment.empty() && terminator != 0 && comment.back() == terminator)
                comment.remove_suffix(1);
            if (!comment.empty() && comment.back() == quote) comment.remove_suffix(1);
            if (!comment.empty() && comment.front() == quote) comment.remove_prefix(1);
            out.comment.assign(comment);
            text = text.substr(0, p);
        }
    }

    std::size_t blanks = st::LeadingBlanks(text);
    column += blanks;
    text = st::TrimRight(text.substr(blanks));
    if (text.empty()) return false;

    if (m_language.linendchar != 0) {
        if (st::EndsWithChar(text, static_cast<char>(m_language.linendchar), m_encoding))
            text.remove_suffix(1);
        else if (text.substr(0, 4) != "for ")
            return false;
    }

    out.line = index;
    out.column = column;
    out.unblanked = unblanked;
    out.text.assign(text);
    // Most statements hold no tab: the search finds that without a store test on every byte.
    for (std::size_t tab = out.text.find('\t'); tab != std::string::npos;
         tab = out.text.find('\t', tab + 1))
        out.text[tab] = ' ';
    return true;
}

}  // namespace korvexer
