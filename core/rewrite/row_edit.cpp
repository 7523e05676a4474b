// SPDX-License-Identifier: MIT
// The texts of one row and the edit of one line.
#include "core/rewrite/row_edit.h"

#include "core/list/list_texts.h"
#include "core/platform/c_number.h"
#include "core/platform/gbk_text.h"

namespace korvexer {

namespace {

constexpr std::string_view kIntAccessor = "GetValueInt(";
constexpr std::string_view kStrAccessor = "GetValueStr(";

bool IsWordByte(char byte) {
    return (byte >= '0' && byte <= '9') || (byte >= 'a' && byte <= 'z') ||
           (byte >= 'A' && byte <= 'Z') || byte == '_';
}

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

// The parts joined, in one allocation: every row of a rewrite makes a few of these.
std::string Concat(std::initializer_list<std::string_view> parts) {
    std::size_t size = 0;
    for (std::string_view part : parts) size += part.size();
    std::string text;
    text.reserve(size);
    for (std::string_view part : parts) text += part;
    return text;
}

// Deletes the copy of `removal` that applying appended: the last one in the line, which is at its
// end when the line still ends with the comment. Other copies may be the user's own words.
void RemoveLastCopy(std::string& line, std::string_view removal, TextEncoding encoding) {
    std::size_t at = FindLastCharAligned(line, removal, encoding);
    if (at != std::string::npos) line.erase(at, removal.size());
}

}  // namespace

RowEdit DeriveRowEdit(const RowList& rows, std::size_t row, ListKind kind,
                      std::string_view commentPrefix, char quote) {
    const std::string& key = rows.Text(row, kStepKey);
    const std::string& type = rows.Text(row, kStepName);
    const std::string& value = rows.Text(row, kStepValue);
    const bool apply = rows.Text(row, kStepState) == texts::kStateReplace;
    const std::string_view q(&quote, 1);
    RowEdit edit;
    if (kind == ListKind::Functions) {
        edit.search = apply ? type : value;
        edit.result = apply ? value : type;
        if (!apply) edit.removal = Concat({commentPrefix, type});
        return edit;
    }
    const bool isString = type == texts::kTypeString;
    std::string accessor = Concat({isString ? kStrAccessor : kIntAccessor, key, ")"});
    std::string literal = isString ? Concat({q, value, q}) : value;
    if (!apply) edit.removal = Concat({commentPrefix, literal});
    edit.search = std::move(apply ? literal : accessor);
    edit.result = std::move(apply ? accessor : literal);
    return edit;
}

RowPosition ParseRowPosition(std::string_view text) {
    RowPosition position;
    position.line = CAtoi(text);
    std::size_t colon = text.find(':');
    if (colon == std::string_view::npos) {
        position.column = 1;
    } else {
        std::int32_t column = CAtoi(text.substr(colon + 1));
        position.column = column > 0 ? static_cast<std::size_t>(column) : 0;
    }
    return position;
}

bool StandsAt(std::string_view rest, std::string_view text, TextEncoding encoding) {
    if (!StartsWith(rest, text)) return false;
    if (text.empty() || rest.size() == text.size() || !IsWordByte(text.back())) return true;
    const auto next = static_cast<unsigned char>(rest[text.size()]);
    if (IsWordByte(static_cast<char>(next)) || next == '.') return false;
    // A byte that starts a character of more bytes may be a letter of the name.
    return encoding == TextEncoding::Utf8 ? next < 0x80 : (next < 0x81 || next == 0xFF);
}

std::optional<std::string> EditLine(std::string_view line, std::size_t column, const RowEdit& edit,
                                    std::string_view commentPrefix, TextEncoding encoding,
                                    LineEditResult* result) {
    LineEditResult ignored;
    LineEditResult& found = result ? *result : ignored;
    found = LineEditResult::NotThere;
    if (edit.search.empty() || edit.result.empty() || column > line.size()) return std::nullopt;
    const std::string_view before = line.substr(0, column);
    const std::string_view rest = line.substr(column);

    // A substitute's name usually begins with the name it replaces (foo, foo_kx): where both
    // stand, the longer one is what the source holds, so an applied row is not applied again and
    // a taken-back one is not mistaken for done.
    const bool holdsSearch = StandsAt(rest, edit.search, encoding);
    const bool holdsResult = StandsAt(rest, edit.result, encoding);
    std::size_t replaced = 0;  // bytes of `rest` that the result takes the place of
    if (holdsResult && (!holdsSearch || edit.result.size() >= edit.search.size())) {
        found = LineEditResult::InPlace;
        return std::nullopt;
    } else if (holdsSearch) {
        replaced = edit.search.size();
    } else if (StartsWith(rest, kIntAccessor) || StartsWith(rest, kStrAccessor)) {
        // An accessor call with another index: the row's index changed since it was applied, or
        // a take-back meets a call that another row wrote.
        std::size_t close = rest.find(')');
        if (close == std::string_view::npos) return std::nullopt;
        replaced = close + 1;
    } else {
        return std::nullopt;
    }

    found = LineEditResult::Edited;
    if (edit.Applies())
        return Concat(
            {before, edit.result, rest.substr(replaced), commentPrefix, rest.substr(0, replaced)});
    std::string edited = Concat({before, edit.result, rest.substr(replaced)});
    RemoveLastCopy(edited, edit.removal, encoding);
    return edited;
}

std::size_t FindLastCharAligned(std::string_view text, std::string_view needle,
                                TextEncoding encoding) {
    if (needle.empty() || needle.size() > text.size()) return std::string_view::npos;
    std::size_t found = std::string_view::npos;
    const std::size_t lastStart = text.size() - needle.size();
    for (std::size_t i = 0; i <= lastStart; i += CharWidthAt(text, i, encoding))
        if (text[i] == needle[0] && text.compare(i, needle.size(), needle) == 0) found = i;
    return found;
}

}  // namespace korvexer
