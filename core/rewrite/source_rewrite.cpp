// SPDX-License-Identifier: MIT
// One source file edited over its line model and written back whole.
#include "core/rewrite/source_rewrite.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace korvexer {

SourceRewrite::SourceRewrite(FileSystem& fs, std::string path, LineBreak lineBreak,
                             SourceEncoding choice)
    : m_fs(fs), m_path(std::move(path)) {
    // One read of the whole file, split whole: lines within the first kSourceReadLimit bytes are
    // numbered exactly as the scanner numbers them, and lines past it stay within reach, so that
    // a replacement that a rewrite pushed past the limit can still be taken back.
    Expected<FileContent> content = m_fs.Read(m_path);
    if (!content) {
        m_model.readError = content.error();
        return;
    }
    if (content->bytes.size() > std::numeric_limits<std::uint32_t>::max()) {
        m_model.readError = Error{"is too large to be rewritten", m_path, ErrorKind::TooLarge};
        return;
    }
    m_original = std::move(content->bytes);
    m_model.identity = content->identity;
    m_model.bytes = m_original;
    m_model.encoding = EncodingOf(choice, std::string_view(m_original).substr(0, kSourceReadLimit));
    SplitSourceLines(m_model, lineBreak);

    const std::size_t count = m_model.LineCount();
    m_chainStart.resize(count);
    for (std::size_t i = 0; i < count; ++i)
        m_chainStart[i] =
            (i > 0 && m_model.lines[i - 1].end == LineEnd::Cut) ? m_chainStart[i - 1] : i;
}

std::size_t SourceRewrite::ChainEnd(std::size_t first) const {
    std::size_t last = first;
    while (last + 1 < m_model.LineCount() && m_model.lines[last].end == LineEnd::Cut) ++last;
    return last;
}

std::string_view SourceRewrite::OriginalChainText(std::size_t first) const {
    const std::size_t last = ChainEnd(first);
    const LineSpan& lastSpan = m_model.lines[last];
    std::size_t begin = m_model.lines[first].offset;
    std::size_t end = std::size_t{lastSpan.offset} + lastSpan.length;
    return std::string_view(m_original).substr(begin, end - begin);
}

std::string_view SourceRewrite::ChainText(std::size_t first) const {
    auto edited = m_edited.find(first);
    if (edited != m_edited.end()) return edited->second;
    return OriginalChainText(first);
}

std::string_view SourceRewrite::OriginalLine(std::size_t line) const {
    return line < LineCount() ? OriginalChainText(ChainOf(line)) : std::string_view();
}

std::string_view SourceRewrite::EditedLine(std::size_t line) const {
    return line < LineCount() ? ChainText(ChainOf(line)) : std::string_view();
}

LineEditResult SourceRewrite::Apply(const RowPosition& position, const RowEdit& edit,
                                    std::string_view commentPrefix) {
    if (position.line < 1 || static_cast<unsigned long>(position.line) > LineCount())
        return LineEditResult::NotThere;
    const std::size_t line = static_cast<std::size_t>(position.line) - 1;
    const LineSpan& span = m_model.lines[line];
    if (position.column >= span.length) return LineEditResult::NotThere;

    // Edits work on the whole physical line, so that a trailing comment ends up at its end even
    // when the scanner saw it as several cut pieces.
    const std::size_t first = ChainOf(line);
    const std::size_t column = span.offset - m_model.lines[first].offset + position.column;
    const std::string_view text = ChainText(first);  // read only: no copy of the line
    LineEditResult result = LineEditResult::NotThere;
    std::optional<std::string> edited =
        EditLine(text, column, edit, commentPrefix, m_model.encoding, &result);
    if (!edited) return result;
    if (*edited == text) return LineEditResult::InPlace;
    m_edited[first] = std::move(*edited);
    return LineEditResult::Edited;
}

void SourceRewrite::AppendTerminator(std::string& out, std::size_t last) const {
    // Every line keeps the break it had, a last line without one stays without, and the bytes
    // between lines are the file's own: a rewrite changes the bytes of the edited lines alone.
    const LineSpan& span = m_model.lines[last];
    const std::size_t from = std::size_t{span.offset} + span.length;
    const std::size_t to =
        last + 1 < m_model.LineCount() ? m_model.lines[last + 1].offset : m_original.size();
    out.append(m_original, from, to - from);
}

bool SourceRewrite::changed() const {
    return !m_edited.empty() && Content() != m_original;
}

std::string SourceRewrite::Content() const {
    const std::size_t count = LineCount();
    if (count == 0) return m_original;
    std::string out;
    out.reserve(m_original.size() + 64 * m_edited.size() + 2);
    for (std::size_t first = 0; first < count;) {
        const std::size_t last = ChainEnd(first);
        auto edited = m_edited.find(first);
        if (edited != m_edited.end())
            out += edited->second;
        else
            out += OriginalChainText(first);
        AppendTerminator(out, last);
        first = last + 1;
    }
    return out;
}

Status SourceRewrite::Write() {
    Expected<FileInfo> info = m_fs.Stat(m_path);
    if (info && info->isRegular && (info->permissions & 0200) == 0)
        return Error{"the file is read-only; it was left as it was", m_path,
                     ErrorKind::ReadOnlyFile};
    const std::string backup = m_path + "~";
    // The backup's failure is the file's: its reason is what the user can mend.
    if (Status saved = ReplaceFile(m_fs, backup, m_original); !saved)
        return Error{"the backup copy " + backup + " could not be written (" +
                         saved.error().message + "); the file was left as it was",
                     m_path, saved.error().kind, saved.error().systemCode};
    return ReplaceFile(m_fs, m_path, Content(), &m_model.identity);
}

}  // namespace korvexer
