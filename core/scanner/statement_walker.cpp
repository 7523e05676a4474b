// SPDX-License-Identifier: MIT
// The statement rules: block comments, begin and function markers, declarations, the user
// marker, one-line comments and the terminator rule.
#include "core/scanner/statement_walker.h"

#include <algorithm>

#include "core/language/word_list.h"
#include "core/platform/gbk_text.h"
#include "core/scanner/source_text.h"

namespace korvexer {

namespace st = source_text;

namespace {

void Blank(std::string& bytes, std::size_t from, std::size_t to) {
    std::fill(bytes.begin() + static_cast<std::ptrdiff_t>(from),
              bytes.begin() + static_cast<std::ptrdiff_t>(to), ' ');
}

// Whether the user marker starts on a character of `text`. The marker starts with a letter that
// most lines hold, so the search goes for its apostrophe, a byte that is rare, never the second
// byte of a character, and found with memchr.
bool HasUserMarker(std::string_view text) {
    constexpr std::size_t kApostrophe = 3;  // "can't": the apostrophe's place in the marker
    static_assert(kUserMarker[kApostrophe] == '\'');
    for (std::size_t a = text.find('\'', kApostrophe); a != st::npos; a = text.find('\'', a + 1)) {
        const std::size_t pos = a - kApostrophe;
        if (text.compare(pos, kUserMarker.size(), kUserMarker) == 0 &&
            !gbk::IsSecondByteAt(text, 0, pos))
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

// The first line at or after `line` whose bytes may hold `needle` at or after `from` (a column
// of that line); the line count when none does. One search over the buffer passes over lines
// without the marker, which are most lines.
std::size_t NextLineWith(const LineModel& model, std::size_t line, std::size_t from,
                         std::string_view needle) {
    const std::size_t count = model.LineCount();
    if (line >= count) return count;
    const std::size_t at = model.bytes.find(needle, model.lines[line].offset + from);
    if (at == std::string::npos) return count;
    while (line < count &&
           std::size_t{model.lines[line].offset} + model.lines[line].length < at + needle.size())
        ++line;
    return line;
}

}  // namespace

void BlankBlockComments(const LanguageDefinition& language, LineModel& model) {
    const std::string_view begin = language.multilinenote_begin;
    const std::string_view end = language.multilinenote_end;
    if (begin.empty()) return;
    std::string& bytes = model.bytes;
    std::size_t i = 0;
    std::size_t from = 0;  // where the search for a begin marker continues in line i
    while (i < model.LineCount()) {
        if (const std::size_t next = NextLineWith(model, i, from, begin); next != i) {
            i = next;
            from = 0;
            continue;
        }
        const std::size_t offset = model.lines[i].offset;
        std::string_view line = model.Line(i);
        std::size_t p = st::FindText(line, begin, from);
        if (p == st::npos) {
            ++i;
            from = 0;
            continue;
        }
        std::size_t q = st::FindText(line, end, p + begin.size());
        if (q != st::npos) {
            Blank(bytes, offset + p, offset + q + end.size());
            from = q + end.size();
            continue;
        }
        Blank(bytes, offset + p, offset + line.size());
        // The comment runs on: blank whole lines up to the one that closes it.
        ++i;
        from = 0;
        for (; i < model.LineCount(); ++i) {
            // Lines that cannot hold the end marker are blanked whole without a search of each.
            const std::size_t closing = NextLineWith(model, i, 0, end);
            for (; i < closing; ++i)
                Blank(bytes, model.lines[i].offset, model.lines[i].offset + model.lines[i].length);
            if (i == model.LineCount()) break;
            const std::size_t lineOffset = model.lines[i].offset;
            std::string_view next = model.Line(i);
            std::size_t close = st::FindText(next, end);
            if (close != st::npos) {
                Blank(bytes, lineOffset, lineOffset + close + end.size());
                from = close + end.size();
                break;
            }
            Blank(bytes, lineOffset, lineOffset + next.size());
        }
    }
}

StatementWords::StatementWords(const LanguageDefinition& language)
    : beginMarks(language.begindealmark),
      functionMarks(language.functionbegin),
      declarations(language.definevalue) {}

StatementWalker::StatementWalker(const LanguageDefinition& language, const LineModel& model)
    : m_language(language),
      m_model(model),
      m_ownWords(std::make_unique<const StatementWords>(language)),
      m_words(*m_ownWords) {}

StatementWalker::StatementWalker(const LanguageDefinition& language, const StatementWords& words,
                                 const LineModel& model)
    : m_language(language), m_model(model), m_words(words) {}

std::size_t StatementWalker::FindMarkerLine(std::size_t from, const WordList& list) const {
    for (std::size_t j = from; j < m_model.LineCount(); ++j) {
        const std::string_view line = m_model.Line(j);
        // Most lines start with a byte that no word of the list starts with: that byte is found
        // without a call, and the word only for the others.
        std::size_t blanks = 0;
        while (blanks < line.size() && st::IsBlank(line[blanks])) ++blanks;
        if (blanks < line.size() && list.MayStartWith(line[blanks]) &&
            list.Has(FirstWordOfTrimmed(line.substr(blanks))))
            return j;
    }
    return st::npos;
}

std::size_t StatementWalker::Start(std::size_t from) {
    const std::size_t count = m_model.LineCount();
    std::size_t i = from;
    if (i >= count) return st::npos;

    std::string_view beginWord;
    if (!m_started && !m_language.begindealmark.empty()) {
        std::size_t marker = FindMarkerLine(i, m_words.beginMarks);
        if (marker == st::npos) return st::npos;
        i = marker + 1;
        beginWord = st::FirstWord(st::Trim(m_model.Line(marker)));
    }
    if (i >= count) return st::npos;
    m_started = true;

    if (!m_language.functionbegin.empty() && !beginWord.empty() &&
        !m_words.functionMarks.Has(beginWord)) {
        std::size_t marker = FindMarkerLine(i, m_words.functionMarks);
        if (marker == st::npos) return st::npos;
        i = marker + 1;
    }
    return i;
}

bool StatementWalker::Next(std::size_t from, Statement& out) {
    out.comment.clear();
    const std::size_t start = Start(from);
    if (start == st::npos) return false;
    for (std::size_t j = start; j < m_model.LineCount(); ++j)
        if (TakeLine(j, out)) return true;
    return false;
}

bool StatementWalker::TakeLine(std::size_t index, Statement& out) const {
    out.comment.clear();
    const std::string_view line = m_model.Line(index);
    std::size_t column = st::LeadingBlanks(line);
    std::string_view text = st::TrimRight(line.substr(column));

    if (HasUserMarker(text)) return false;
    if (!m_language.definevalue.empty() && !text.empty() &&
        m_words.declarations.Has(st::FirstWord(text)))
        return false;

    const std::string_view marker = m_language.onelineexplain;
    if (!text.empty() && !marker.empty()) {
        std::size_t p = st::FindText(text, marker);
        if (p != st::npos) {
            std::string_view comment = text.substr(p + marker.size());
            const char terminator = static_cast<char>(m_language.linendchar);
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
        if (st::EndsWithChar(text, static_cast<char>(m_language.linendchar)))
            text.remove_suffix(1);
        else if (text.substr(0, 4) != "for ")
            return false;
    }

    out.line = index;
    out.column = column;
    out.text.assign(text);
    std::replace(out.text.begin(), out.text.end(), '\t', ' ');
    return true;
}

}  // namespace korvexer
