// SPDX-License-Identifier: MIT
// Constant mode and call mode of the extractor.
#include "core/scanner/statement_extractor.h"

#include <algorithm>
#include <charconv>
#include <iterator>

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
bool EndsWithLowered(std::string_view text, std::string_view suffix, TextEncoding encoding) {
    if (text.size() < suffix.size()) return false;
    const std::size_t start = text.size() - suffix.size();
    for (std::size_t i = 0; i < suffix.size(); ++i) {
        char byte = text[start + i];
        if (byte >= 'A' && byte <= 'Z' && !IsInsideCharacterAt(text, 0, start + i, encoding))
            byte = static_cast<char>(byte - 'A' + 'a');
        if (byte != suffix[i]) return false;
    }
    return true;
}

// Whether `left`, the text before an assignment operator, ends with ")", alone or followed only
// by the qualifiers a function declaration may carry there (const, volatile, override, final,
// noexcept, & and &&).
bool EndsWithParameterList(std::string_view left) {
    constexpr std::string_view kQualifiers[] = {"const", "volatile", "override", "final",
                                                "noexcept"};
    auto isWordByte = [](char byte) {
        return (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
               (byte >= '0' && byte <= '9') || byte == '_' ||
               static_cast<unsigned char>(byte) >= 0x80;
    };
    for (left = st::TrimRight(left); !left.empty(); left = st::TrimRight(left)) {
        if (left.back() == ')') return true;
        if (left.back() == '&') {
            left.remove_suffix(1);
            continue;
        }
        std::size_t start = left.size();
        while (start > 0 && isWordByte(left[start - 1])) --start;
        const std::string_view word = left.substr(start);
        if (std::find(std::begin(kQualifiers), std::end(kQualifiers), word) ==
            std::end(kQualifiers))
            return false;
        left = left.substr(0, start);
    }
    return false;
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

StatementExtractor::StatementExtractor(const LanguageDefinition& language, const Clock& clock,
                                       TextEncoding encoding)
    : m_language(language),
      m_clock(clock),
      m_encoding(encoding),
      m_constantStarts(ConstantStartsOf(language)),
      m_callMarks(CallArgumentMarksOf(language)) {}

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
        // Every constant row is found to the right of the assignment operator, whose right-hand
        // side starts as one of the constant forms starts.
        const std::string& op = m_language.setvalue;
        if (op.empty())
            result.none = true;
        else if (std::none_of(op.begin(), op.end(), blank))
            result.needles.push_back({op, m_constantStarts.bytes, false, m_constantStarts.words});
        return result;
    }
    // A call row is a name ending in the substitute suffix, or a call whose arguments show one of
    // their marks.
    const std::string& marks = m_callMarks;
    if (std::any_of(marks.begin(), marks.end(), blank)) return result;
    for (const char mark : marks) result.needles.push_back({std::string(1, mark)});
    result.needles.push_back({std::string(kSubstituteSuffix.substr(0, 1))});
    return result;
}

// The forms a constant row's right-hand side takes, and the bytes or words each starts with: a
// quote opens a string literal; a minus or a digit a decimal number; the accessors' common name
// an accessor call that an earlier replacement left; a prefix's first byte a hexadecimal number.
// ExtractConstant lists nothing that starts otherwise, and the plain walk looks only at lines
// where an assignment is followed by one of these: a new form gives its start here.
StatementExtractor::ConstantStarts StatementExtractor::ConstantStartsOf(
    const LanguageDefinition& language) {
    ConstantStarts starts;
    starts.bytes += static_cast<char>(language.quotation);
    starts.bytes += "-0123456789";
    starts.words.emplace_back(kAccessorStart);
    const std::string& prefixes = language.hexprefix;
    for (std::size_t i = 0; i < prefixes.size(); ++i)
        if (i == 0 || prefixes[i - 1] == ';') starts.bytes += prefixes[i];
    return starts;
}

bool StatementExtractor::StartsAConstant(std::string_view rhs) const {
    if (rhs.empty()) return false;
    if (m_constantStarts.bytes.find(rhs.front()) != std::string::npos) return true;
    return std::any_of(
        m_constantStarts.words.begin(), m_constantStarts.words.end(), [&](const std::string& word) {
            return rhs.size() >= word.size() && gbk::EqualsNoCase(rhs.substr(0, word.size()), word);
        });
}

std::string StatementExtractor::CallArgumentMarksOf(const LanguageDefinition& language) {
    std::string marks = ")";
    if (language.separator != 0) marks += static_cast<char>(language.separator);
    return marks;
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
    const std::size_t at =
        isFor ? st::FindText(text, op, m_encoding) : st::FindLastText(text, op, m_encoding);
    if (at == st::npos) return false;
    // "f() const = 0", "f() = default": a pure or defaulted function is no assignment.
    if (EndsWithParameterList(text.substr(0, at))) return false;
    std::size_t column = statement.column;
    const std::string_view rhs = RightHandSide(text, at, op.size(), column);
    if (!StartsAConstant(rhs)) return false;
    const char terminator = static_cast<char>(m_language.linendchar);
    if (terminator != 0 && !isFor && st::FindChar(rhs, terminator, m_encoding) != st::npos)
        return false;

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
    const bool closes = st::EndsWithChar(rhs, quote, m_encoding);
    if (rhs.front() == quote) {
        // Exactly one literal: its first byte opens it, its last byte closes it and no quote
        // stands between them. Adjacent literals ("x" "y"), a doubled or escaped quote ('it''s',
        // "a\"b") and a sum of literals hold one, and a row for a piece of them would be
        // rewritten into code that does not build.
        if (!closes || rhs.size() < 2) return false;
        const std::string_view body = rhs.substr(1, rhs.size() - 2);
        if (st::FindChar(body, quote, m_encoding) != st::npos) return false;
        // Block-comment markers are found inside literals too: a literal that held a whole
        // comment reads with blanks where the file has other bytes. Such a value is not listed;
        // the rewrite would look for text that the file does not hold.
        if (!StandsInLine(statement.unblanked, column, rhs)) return false;
        return addRow(newKey(), texts::kTypeString, std::string(body), "", column);
    }
    if (closes) return false;

    // A zero is also the null pointer of C and C++, where an accessor call would not build;
    // and protecting a zero hides nothing.
    if (rhs == "0") return false;

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
    const std::size_t at = op.empty() ? st::npos : st::FindText(text, op, m_encoding);
    const std::string_view rhs = at == st::npos ? RightHandSide(text, 0, 0, column)
                                                : RightHandSide(text, at, op.size(), column);
    if (rhs.empty()) return false;
    const char terminator = static_cast<char>(m_language.linendchar);
    if (terminator != 0 && st::FindChar(rhs, terminator, m_encoding) != st::npos) return false;
    const char quote = static_cast<char>(m_language.quotation);
    if (rhs.front() == quote || st::EndsWithChar(rhs, quote, m_encoding) || IsDigit(rhs.front()) ||
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
    if (EndsWithLowered(head, kSubstituteSuffix, m_encoding)) {
        AppendRow(rows, std::to_string(rows.size() + 1), "", std::string(function),
                  std::string(texts::kStateUnknown), path, PositionText(statement.line, column), 0);
        return true;
    }

    if (std::none_of(m_callMarks.begin(), m_callMarks.end(),
                     [&](char mark) { return st::FindChar(rest, mark, m_encoding) != st::npos; }))
        return false;
    if (head.find_first_of(")=\"'.,+&") != std::string_view::npos) return false;
    if (Keywords().Has(head) || LibraryEntryPoints().Has(head)) return false;
    if (LibraryEntryPoints().Has(function)) return false;
    AppendRow(rows, std::to_string(rows.size() + 1), std::string(function), "", "", path,
              PositionText(statement.line, column), 0);
    return true;
}

}  // namespace korvexer
