// SPDX-License-Identifier: MIT
// The source loader: one pass over one buffer, lines recorded as spans into it.
#include "core/scanner/line_model.h"

#include <algorithm>
#include <cstring>

#include "core/scanner/line_stepper.h"

namespace korvexer {

namespace {

constexpr std::string_view kSingleByteClosing = ".,;!?\")]:}";

// The two-byte closing marks, as GBK byte pairs.
constexpr unsigned char kDoubleByteClosing[][2] = {
    {0xA1, 0xA3}, {0xA3, 0xAC}, {0xA3, 0xBB}, {0xA1, 0xA2}, {0xA3, 0xA1},
    {0xA3, 0xBF}, {0xA1, 0xB1}, {0xA3, 0xBA}, {0xA3, 0xAE}, {0xA1, 0xC3},
    {0xA3, 0xDD}, {0xA3, 0xFD}, {0xA3, 0xA9}, {0xA1, 0xB3}, {0xA1, 0xBF},
    {0xA1, 0xBD}, {0xA1, 0xB5}, {0xA1, 0xB7}, {0xA1, 0xAD}, {0xA3, 0xA7},
    {0xA1, 0xAF}, {0xA3, 0xA2}, {0xA1, 0xA8}, {0xA3, 0xE0}, {0xA1, 0xAB},
};

}  // namespace

bool LineModel::IsWhole() const {
    if (!complete) return false;
    return std::none_of(lines.begin(), lines.end(),
                        [](const LineSpan& span) { return span.end == LineEnd::Cut; });
}

PunctuationProbe IsClosingPunctuation(std::string_view next) {
    PunctuationProbe probe;
    if (next.empty()) return probe;
    unsigned char first = static_cast<unsigned char>(next[0]);
    if (first >= 0x81) {
        probe.width = 2;
        unsigned char second = next.size() > 1 ? static_cast<unsigned char>(next[1]) : 0;
        for (const auto& mark : kDoubleByteClosing)
            if (mark[0] == first && mark[1] == second) probe.isClosing = true;
        return probe;
    }
    probe.isClosing = first != 0 && kSingleByteClosing.find(next[0]) != std::string_view::npos;
    return probe;
}

void SplitSourceLinesCharByChar(LineModel& model, LineBreak lineBreak) {
    model.lines.clear();
    for (std::size_t start = 0; start < model.bytes.size();)
        start = SplitLineByCharacters(model.bytes, lineBreak, start, model.lines);
}

void SplitSourceLines(LineModel& model, LineBreak lineBreak) {
    model.lines.clear();
    LineStepper stepper(model.bytes, lineBreak);
    for (LineSpan span; stepper.Next(span);) model.lines.push_back(span);
}

LineModel LoadSourceLines(FileSystem& fs, const std::string& path, LineBreak lineBreak) {
    LineModel model;
    Expected<FileContent> content = fs.Read(path, kSourceReadLimit);
    if (!content) {
        model.readError = content.error();
        return model;
    }
    model.bytes = std::move(content->bytes);
    model.complete = content->complete;
    model.identity = content->identity;
    SplitSourceLines(model, lineBreak);
    return model;
}

}  // namespace korvexer
