// SPDX-License-Identifier: MIT
// Constant mode and call mode of the extractor.
#include "core/scanner/statement_extractor.h"

#include <algorithm>
#include <charconv>

#include "core/list/list_texts.h"
#include "core/language/word_list.h"
#include "core/platform/c_number.h"
#include "core/platform/gbk_text.h"
#include "core/scanner/constant_index.h"
#include "core/scanner/source_text.h"

namespace korvexer {

namespace st = source_text;

namespace {

constexpr std::string_view kGetValueInt = "getvalueint";
constexpr std::string_view kGetValueStr = "getvaluestr";
constexpr std::string_view kAccessorStart = "getvalue";  // what both accessors' names start with
constexpr std::string_view kSubstituteSuffix = "_kx";

const WordList& Keywords() {
    static const WordList list(kKeywordList);
    return list;
}

const WordList& LibraryEntryPoints() {
    static const WordList list(kLibraryEntryPoints);
    return list;
}

bool IsDigit(char byte) {
    return byte >= '0' && byte <= '9';
}

int HexDigitValue(char byte) {
    if (byte >= '0' && byte <= '9') return byte - '0';
    if (byte >= 'a' && byte <= 'f') return byte - 'a' + 10;
    if (byte >= 'A' && byte <= 'F') return byte - 'A' + 10;
    return -1;
}

// A statement that, tabs read as spaces, left-trimmed and lower-cased, begins with "for ".
bool IsForStatement(std::string_view text) {
    text.remove_prefix(st::LeadingBlanks(text));
    if (text.size() < 4) return false;
    return gbk::EqualsNoCase(text.substr(0, 3), "for") && (text[3] == ' ' || text[3] == '\t');
}

// "-" followed by digits only.
bool IsNegativeNumber(std::string_view text) {
    if (text.size() < 2 || text[0] != '-') return false;
    for (std::size_t i = 1; i < text.size(); ++i)
        if (!IsDigit(text[i])) return false;
    return true;
}

// The right-hand side after `at` + `length` in `statement`, trimmed, with its column.
std::string_view RightHandSide(std::string_view statement, std::size_t at, std::size_t length,
                               std::size_t& column) {
    std::string_view rest = statement.substr(at + length);
    std::size_t blanks = st::LeadingBlanks(rest);
    column += at + length + blanks;
    return st::TrimRight(rest.substr(blanks));
}

// Appends a row of six columns. The columns are moved into the row: a braced list would copy
// each of them once more.
void AppendRow(RowList& rows, std::string c0, std::string c1, std::string c2, std::string c3,
               const std::string& file, std::string position, int image) {
    std::vector<std::string> columns(6);
    columns[0] = std::move(c0);
    columns[1] = std::move(c1);
    columns[2] = std::move(c2);
    columns[3] = std::move(c3);
    columns[4] = file;
    columns[5] = std::move(position);
    rows.Append(std::move(columns), image);
}

// Whether `text` stands at `column` of `line`, whose tabs read as spaces (as a statement's do).
bool StandsInLine(std::string_view line, std::size_t column, std::string_view text) {
    if (column > line.size() || line.size() - column < text.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char byte = line[column + i];
        if ((byte == '\t' ? ' ' : byte) != text[i]) return false;
    }
    return true;
}

// Whether `text` lower-cased as gbk::ToLower does ends with `suffix` (lower case), without making
// the lower-cased copy: letters that are second bytes of characters keep their case.
bool EndsWithLowered(std::string_view text, std::string_view suffix) {
    if (text.size() < suffix.size()) return false;
    const std::size_t start = text.size() - suffix.size();
    for (std::size_t i = 0; i < suffix.size(); ++i) {
        char byte = text[start + i];
        if (byte >= 'A' && byte <= 'Z' && !gbk::IsSecondByteAt(text, 0, start + i))
            byte = static_cast<char>(byte - 'A' + 'a');
        if (byte != suffix[i]) return false;
    }
    return true;
}

}  // namespace

std::string PositionText(std::size_t lineIndex, std::size_t column) {
    // Every row carries one: formatted in place rather than from three temporary strings.
    char line[24];
    char col[24];
    char* lineEnd = std::to_chars(line, line + sizeof line, lineIndex + 1).ptr;
    char* colEnd = std::to_chars(col, col + sizeof col, column).ptr;
    std::string text(line, lineEnd);
    text += ':';
    text.append(col, colEnd);
    return text;
}

StatementExtractor::StatementExtractor(const LanguageDefinition& language, const Clock& clock)
    : m_language(language), m_clock(clock) {}

bool StatementExtractor::Extract(RowList& rows, const Statement& statement, const std::string& path,
                                 std::uint32_t& counter, ScanMode mode) const {
    return mode == ScanMode::Constants ? ExtractConstant(rows, statement, path, counter)
                                       : ExtractCall(rows, statement, path);
}

RowNeedles StatementExtractor::NeedlesOfRows(ScanMode mode) const {
    // A statement's text is its line's bytes with tabs read as spaces: a needle that holds either
    // could be missed in the line, so such a language gives no clue.
    auto blank = [](char byte) { return byte == ' ' || byte == '\t'; };
    RowNeedles result;
    if (mode == ScanMode::Constants) {
        // Every constant row is found to the right of the assignment operator, and its right-hand
        // side starts with a quote, a minus, a digit, a hexadecimal prefix or an accessor's name,
        // whose common start is enough to tell.
        const std::string& op = m_language.setvalue;
        if (op.empty()) {
            result.none = true;
        } else if (std::none_of(op.begin(), op.end(), blank)) {
            std::string followers = "-0123456789";
            followers += static_cast<char>(m_language.quotation);
            const std::string& prefixes = m_language.hexprefix;
            for (std::size_t i = 0; i < prefixes.size(); ++i)
                if (i == 0 || prefixes[i - 1] == ';') followers += prefixes[i];
            result.needles.push_back({op, followers, false, {std::string(kAccessorStart)}});
        }
        return result;
    }
    // A call row is a name ending in the substitute suffix, or a call whose arguments show a
    // closing parenthesis or the separator.
    const char separator = static_cast<char>(m_language.separator);
    if (blank(separator)) return result;
    result.needles = {{")"}, {"_"}};
    if (separator != 0) result.needles.push_back({std::string(1, separator)});
    return result;
}

bool StatementExtractor::StartsWithHexPrefix(std::string_view text) const {
    std::string_view list = m_language.hexprefix;
    for (std::size_t start = 0; start < list.size();) {
        std::size_t end = list.find(';', start);
        if (end == std::string_view::npos) end = list.size();
        std::string_view prefix = list.substr(start, end - start);
        if (!prefix.empty() && text.substr(0, prefix.size()) == prefix) return true;
        start = end + 1;
    }
    return false;
}

bool StatementExtractor::ExtractConstant(RowList& rows, const Statement& statement,
                                         const std::string& path, std::uint32_t& counter) const {
    const std::string_view text = statement.text;
    const std::string_view op = m_language.setvalue;
    if (op.empty()) return false;
    const bool isFor = IsForStatement(text);
    // In a for statement the first assignment is the loop's start value; elsewhere the last one
    // is the value that reaches the variable (a = b = 3).
    const std::size_t at = isFor ? st::FindText(text, op) : st::FindLastText(text, op);
    if (at == st::npos) return false;
    std::size_t column = statement.column;
    const std::string_view rhs = RightHandSide(text, at, op.size(), column);
    if (rhs.empty()) return false;
    const char terminator = static_cast<char>(m_language.linendchar);
    if (terminator != 0 && !isFor && st::FindChar(rhs, terminator) != st::npos) return false;

    auto addRow = [&](std::string key, std::string_view type, std::string value,
                      std::string_view state, std::size_t where) {
        AppendRow(rows, std::move(key), std::string(type), std::move(value), std::string(state),
                  path, PositionText(statement.line, where),
                  type == texts::kTypeString ? kStringImage : kNumericImage);
        return true;
    };
    auto newKey = [&] {
        counter = NextConstantIndex(counter, m_clock);
        return std::to_string(counter);
    };

    const char quote = static_cast<char>(m_language.quotation);
    const bool closes = st::EndsWithChar(rhs, quote);
    if (rhs.front() == quote) {
        if (!closes || rhs.size() < 2) return false;
        // The value starts after the last quote before the closing one. When the character in
        // front of that quote is a quote or the escape character, the quote sits inside a literal
        // ('it''s', "a\"b") and the text after it is only the tail of that literal.
        const std::string_view body = rhs.substr(0, rhs.size() - 1);
        std::size_t open = 0;
        std::size_t before = st::npos;
        std::size_t previous = st::npos;
        for (std::size_t i = 0; i < body.size(); i += gbk::CharWidthAt(body, i)) {
            if (body[i] == quote && gbk::CharWidthAt(body, i) == 1) {
                open = i;
                before = previous;
            }
            previous = i;
        }
        if (before != st::npos && open - before == 1) {
            const char inFront = body[before];
            const char escape = static_cast<char>(m_language.escapechar);
            if (inFront == quote || (escape != 0 && inFront == escape)) return false;
        }
        // Block-comment markers are found inside literals too: a literal that held a whole
        // comment reads with blanks where the file has other bytes. Such a value is not listed;
        // the rewrite would look for text that the file does not hold.
        if (!StandsInLine(statement.unblanked, column + open, rhs.substr(open))) return false;
        return addRow(newKey(), texts::kTypeString, std::string(body.substr(open + 1)), "",
                      column + open);
    }
    if (closes) return false;

    // Decimal: an optional minus and at least one digit, ending the text or followed by a space.
    std::size_t digitsEnd = rhs.front() == '-' ? 1 : 0;
    const std::size_t digitsStart = digitsEnd;
    while (digitsEnd < rhs.size() && IsDigit(rhs[digitsEnd])) ++digitsEnd;
    if (digitsEnd > digitsStart && (digitsEnd == rhs.size() || rhs[digitsEnd] == ' '))
        return addRow(newKey(), texts::kTypeNumber, std::string(rhs.substr(0, digitsEnd)), "",
                      column);

    // An accessor call that an earlier replacement left in the source.
    std::size_t k = rhs.find('(');
    if (k == std::string_view::npos || k == 0) k = rhs.find(' ');
    if (k != std::string_view::npos && k > 0) {
        const std::string_view name = rhs.substr(0, k);
        const bool isInt = gbk::EqualsNoCase(name, kGetValueInt);
        if (!isInt && !gbk::EqualsNoCase(name, kGetValueStr)) return false;
        const std::size_t close = rhs.find(')', k + 1);
        if (close == std::string_view::npos || close == k + 1) return false;
        const std::string_view argument = rhs.substr(k + 1, close - k - 1);
        // Indices of 100 or less were never handed out.
        if (CAtoi(argument) <= 100) return false;
        return addRow(std::string(argument), isInt ? texts::kTypeNumber : texts::kTypeString,
                      statement.comment, texts::kStateUnknown, column);
    }

    // Hexadecimal: one of the language's prefixes, hex digits, an optional suffix.
    const std::string_view prefixes = m_language.hexprefix;
    if (prefixes.empty() || rhs.size() < 2 || !StartsWithHexPrefix(rhs)) return false;
    auto inPrefixSet = [&](char byte) {
        return prefixes.find(byte) != std::string_view::npos || HexDigitValue(byte) >= 0;
    };
    if (!inPrefixSet(rhs[1]) || (rhs.size() > 2 && !inPrefixSet(rhs[2]))) return false;
    if (!isFor && m_language.numbersubfix.find(rhs.back()) == std::string::npos &&
        HexDigitValue(rhs.back()) < 0)
        return false;
    for (std::size_t i = 2; i + 1 < rhs.size(); ++i)
        if (HexDigitValue(rhs[i]) < 0) return false;
    std::uint32_t value = 0;
    for (char byte : rhs) {
        const int digit = HexDigitValue(byte);
        if (digit >= 0) value = value * 16u + static_cast<std::uint32_t>(digit);
    }
    // The value as the 32-bit signed number the program will hold; the whole decimal text is
    // kept even where it is longer than the literal.
    return addRow(newKey(), texts::kTypeNumber, std::to_string(static_cast<std::int32_t>(value)),
                  "", column);
}

bool StatementExtractor::ExtractCall(RowList& rows, const Statement& statement,
                                     const std::string& path) const {
    const std::string_view text = statement.text;
    const std::string_view op = m_language.setvalue;
    std::size_t column = statement.column;
    const std::size_t at = op.empty() ? st::npos : st::FindText(text, op);
    const std::string_view rhs = at == st::npos ? RightHandSide(text, 0, 0, column)
                                                : RightHandSide(text, at, op.size(), column);
    if (rhs.empty()) return false;
    const char terminator = static_cast<char>(m_language.linendchar);
    if (terminator != 0 && st::FindChar(rhs, terminator) != st::npos) return false;
    const char quote = static_cast<char>(m_language.quotation);
    if (rhs.front() == quote || st::EndsWithChar(rhs, quote) || IsDigit(rhs.front()) ||
        IsNegativeNumber(rhs))
        return false;

    std::size_t k = rhs.find('(');
    if (k == std::string_view::npos || k == 0) k = rhs.find(' ');
    if (k == std::string_view::npos || k == 0) return false;
    // The called name as written, without the blanks between it and its "(" ("foo (1)").
    const std::string_view head = st::TrimRight(rhs.substr(0, k));
    const std::string_view rest = rhs.substr(k + 1);
    // The name is compared without regard to case; no lower-cased copy is made of it.
    if (gbk::EqualsNoCase(head, kGetValueInt) || gbk::EqualsNoCase(head, kGetValueStr))
        return false;

    // "return foo(x)" calls foo: the function is the last word before the "(".
    std::string_view function = head;
    const std::size_t space = function.rfind(' ');
    if (space != std::string_view::npos) {
        function.remove_prefix(space + 1);
        column += space + 1;
    }
    if (EndsWithLowered(head, kSubstituteSuffix)) {
        AppendRow(rows, std::to_string(rows.size() + 1), "", std::string(function),
                  std::string(texts::kStateUnknown), path, PositionText(statement.line, column), 0);
        return true;
    }

    const char separator = static_cast<char>(m_language.separator);
    if (st::FindChar(rest, ')') == st::npos &&
        (separator == 0 || st::FindChar(rest, separator) == st::npos))
        return false;
    if (head.find_first_of(")=\"'.,+&") != std::string_view::npos) return false;
    if (Keywords().Has(head) || LibraryEntryPoints().Has(head)) return false;
    if (LibraryEntryPoints().Has(function)) return false;
    AppendRow(rows, std::to_string(rows.size() + 1), std::string(function), "", "", path,
              PositionText(statement.line, column), 0);
    return true;
}

}  // namespace korvexer
