// SPDX-License-Identifier: MIT
// The literal or name of an unknown call, from the comment its replacement appended.
#include "core/steps/unknown_take_back.h"

#include <map>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "core/list/list_texts.h"
#include "core/list/row_layouts.h"
#include "core/platform/gbk_text.h"
#include "core/rewrite/replaced_text.h"
#include "core/rewrite/row_edit.h"
#include "core/rewrite/source_rewrite.h"

namespace korvexer {

namespace {

// The source files' lines as a rewrite numbers them, each file read once.
class LinesOfFiles {
public:
    LinesOfFiles(FileSystem& fs, const LanguageDefinition& language, SourceEncoding encoding)
        : m_fs(fs), m_language(language), m_encoding(encoding) {}

    // The line that `position` names and the column in it; nothing when the file cannot be read
    // or has no such line.
    std::optional<std::pair<std::string_view, std::size_t>> At(const std::string& file,
                                                               const std::string& position) {
        auto& source = m_files[file];
        if (!source)
            source =
                std::make_unique<SourceRewrite>(m_fs, file, m_language.carryreturn, m_encoding);
        const RowPosition place = ParseRowPosition(position);
        if (source->readError() || place.line < 1 ||
            static_cast<std::size_t>(place.line) > source->LineCount())
            return std::nullopt;
        const std::string_view line =
            source->OriginalLine(static_cast<std::size_t>(place.line) - 1);
        if (place.column > line.size()) return std::nullopt;
        return std::make_pair(line, place.column);
    }

    TextEncoding EncodingOfFile(const std::string& file) const {
        auto found = m_files.find(file);
        return found != m_files.end() && found->second ? found->second->encoding()
                                                       : TextEncoding::Gbk;
    }

private:
    FileSystem& m_fs;
    const LanguageDefinition& m_language;
    SourceEncoding m_encoding;
    std::map<std::string, std::unique_ptr<SourceRewrite>> m_files;
};

bool IsDecimal(std::string_view text) {
    if (!text.empty() && text.front() == '-') text.remove_prefix(1);
    if (text.empty()) return false;
    for (char byte : text)
        if (byte < '0' || byte > '9') return false;
    return true;
}

std::string_view Unadorned(std::string_view name) {
    if (name.substr(0, 2) == "::") name.remove_prefix(2);
    if (name.substr(0, 1) == "_") name.remove_prefix(1);
    return name;
}

void MarkUnknown(RowList& rows, std::size_t row) {
    rows.SetText(row, kStepState, std::string(texts::kStateUnknown));
}

}  // namespace

void ConfirmConstantTakeBacks(RowList& rows, const std::unordered_set<std::string>& fromComment,
                              const LanguageDefinition& language, FileSystem& fs,
                              SourceEncoding encoding) {
    if (fromComment.empty()) return;
    LinesOfFiles lines(fs, language, encoding);
    const char quote = static_cast<char>(language.quotation);
    for (std::size_t row = 0; row < rows.size(); ++row) {
        if (!rows.Text(row, kStepState).empty() || fromComment.count(rows.Text(row, kStepKey)) == 0)
            continue;
        const std::string& value = rows.Text(row, kStepValue);
        const bool isString = rows.Text(row, kStepName) == texts::kTypeString;
        bool confirmed =
            isString ? quote != 0 && value.find(quote) == std::string::npos : IsDecimal(value);
        if (confirmed) {
            const std::string& file = rows.Text(row, kStepFile);
            RowEdit edit =
                DeriveRowEdit(rows, row, ListKind::Constants, language.onelineexplain, quote);
            auto at = lines.At(file, rows.Text(row, kStepPosition));
            const TextEncoding fileEncoding = lines.EncodingOfFile(file);
            confirmed = at && StandsAt(at->first.substr(at->second), edit.search, fileEncoding) &&
                        CommentStandsAfter(at->first, at->second + edit.search.size(), edit.removal,
                                           fileEncoding);
        }
        if (!confirmed) MarkUnknown(rows, row);
    }
}

void NameFunctionTakeBacks(RowList& rows, const LanguageDefinition& language, FileSystem& fs,
                           SourceEncoding encoding) {
    LinesOfFiles lines(fs, language, encoding);
    for (std::size_t row = 0; row < rows.size(); ++row) {
        const std::string& substitute = rows.Text(row, kStepValue);
        if (!rows.Text(row, kStepState).empty() || !rows.Text(row, kStepName).empty() ||
            substitute.empty())
            continue;
        const std::string& file = rows.Text(row, kStepFile);
        auto at = lines.At(file, rows.Text(row, kStepPosition));
        std::optional<std::string_view> name;
        const TextEncoding fileEncoding = lines.EncodingOfFile(file);
        if (at && StandsAt(at->first.substr(at->second), substitute, fileEncoding)) {
            const std::vector<std::string_view> names = CommentNames(
                at->first, at->second + substitute.size(), language.onelineexplain, fileEncoding);
            for (std::string_view candidate : names)
                if (gbk::EqualsNoCase(std::string(Unadorned(candidate)) + "_kx", substitute))
                    name = candidate;
            if (!name && names.size() == 1) name = names.front();
        }
        if (name)
            rows.SetText(row, kStepName, std::string(*name));
        else
            MarkUnknown(rows, row);
    }
}

}  // namespace korvexer
