// SPDX-License-Identifier: MIT
// One source file edited over its line model and written back whole.
#include "core/constants/source_rewrite.h"

#include <algorithm>

namespace korvexer {

SourceRewrite::SourceRewrite(FileSystem& fs, std::string path, LineBreak lineBreak)
    : m_fs(fs), m_path(std::move(path)), m_lineBreak(lineBreak) {
    // One read of the whole file: the lines come from its first kSourceReadLimit bytes exactly as
    // the scanner sees them, and the rest is at hand to be written back unchanged.
    Expected<FileContent> content = m_fs.Read(m_path);
    if (!content) {
        m_model.readError = content.error();
        return;
    }
    m_original = std::move(content->bytes);
    m_model.identity = content->identity;
    m_model.complete = m_original.size() <= kSourceReadLimit;
    m_model.bytes = m_original.substr(0, kSourceReadLimit);
    SplitSourceLines(m_model, lineBreak);

    const std::size_t count = m_model.LineCount();
    m_chainStart.resize(count);
    for (std::size_t i = 0; i < count; ++i)
        m_chainStart[i] =
            (i > 0 && m_model.lines[i - 1].end == LineEnd::Cut) ? m_chainStart[i - 1] : i;

    if (!m_model.complete && count > 0 && m_model.lines.back().end == LineEnd::EndOfData) {
        std::string_view tail = std::string_view(m_original).substr(m_model.bytes.size());
        std::size_t lineEnd = tail.find(static_cast<char>(lineBreak.first));
        m_tailHead = lineEnd == std::string_view::npos ? tail.size() : lineEnd;
    }
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
    if (last + 1 == m_model.LineCount() && lastSpan.end == LineEnd::EndOfData) end += m_tailHead;
    return std::string_view(m_original).substr(begin, end - begin);
}

std::string_view SourceRewrite::ChainText(std::size_t first) const {
    auto edited = m_edited.find(first);
    if (edited != m_edited.end()) return edited->second;
    return OriginalChainText(first);
}

bool SourceRewrite::Apply(const RowPosition& position, const RowEdit& edit,
                          std::string_view commentPrefix) {
    if (position.line < 1 || static_cast<unsigned long>(position.line) > LineCount()) return false;
    const std::size_t line = static_cast<std::size_t>(position.line) - 1;
    const LineSpan& span = m_model.lines[line];
    if (position.column >= span.length) return false;

    // Edits work on the whole physical line, so that a trailing comment ends up at its end even
    // when the scanner saw it as several cut pieces.
    const std::size_t first = ChainOf(line);
    const std::size_t column = span.offset - m_model.lines[first].offset + position.column;
    const std::string_view text = ChainText(first);  // read only: no copy of the line
    std::optional<std::string> edited = EditLine(text, column, edit, commentPrefix);
    if (!edited || *edited == text) return false;
    m_edited[first] = std::move(*edited);
    return true;
}

void SourceRewrite::AppendTerminator(std::string& out, std::size_t last) const {
    const LineSpan& span = m_model.lines[last];
    if (last + 1 == m_model.LineCount() && !m_model.complete) {
        // Bytes past the read limit follow exactly as they were, and so do the break bytes
        // before them: a CR LF may be split by the limit.
        std::size_t from = std::size_t{span.offset} + span.length;
        if (span.end == LineEnd::EndOfData) from += m_tailHead;
        out.append(m_original, from, std::string::npos);
        return;
    }
    const char first = static_cast<char>(m_lineBreak.first);
    const char second = static_cast<char>(m_lineBreak.second);
    switch (span.end) {
        case LineEnd::Cut:
            return;
        case LineEnd::EndOfData:
            // Without a line break there is no byte to end the last line with; a zero byte
            // that the file never held would corrupt it.
            if (m_lineBreak.first == 0) return;
            [[fallthrough]];
        case LineEnd::Break:
        case LineEnd::LoneFirstByte:
            out += first;
            if (m_lineBreak.second != 0) out += second;
            return;
    }
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
        return Error{"the file is read-only; it was left as it was", m_path};
    const std::string backup = m_path + "~";
    if (Status saved = ReplaceFile(m_fs, backup, m_original); !saved)
        return Error{"the backup copy " + backup + " could not be written (" +
                         saved.error().message + "); the file was left as it was",
                     m_path};
    return ReplaceFile(m_fs, m_path, Content(), &m_model.identity);
}

}  // namespace korvexer
