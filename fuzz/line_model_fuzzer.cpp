// SPDX-License-Identifier: MIT
// Fuzz target: the source loader under every line break and both encodings; the lines must tile the
// bytes exactly and agree with the walk one character at a time.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/scanner/line_model.h"

using namespace korvexer;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const LineBreak kBreaks[] = {{'\r', '\n'}, {'\r', 0}, {'\n', 0}, {0, 0}};
    for (const LineBreak& lineBreak : kBreaks)
        for (const TextEncoding encoding : {TextEncoding::Gbk, TextEncoding::Utf8}) {
            LineModel model;
            model.bytes.assign(reinterpret_cast<const char*>(data), size);
            model.encoding = encoding;
            SplitSourceLines(model, lineBreak);
            const BreakRule rule = BreakRuleFor(lineBreak, model.bytes);
            std::size_t position = 0;
            for (const LineSpan& span : model.lines) {
                // Every line starts where the previous one and its break ended, and stays in
                // bounds.
                if (span.offset != position || span.offset + span.length > size) std::abort();
                if (span.length > kSourceLineLimit + 2) std::abort();
                position = span.offset + span.length;
                if (span.end == LineEnd::Break) {
                    // The break: its byte, with the byte before or after it that the rule names.
                    if (rule.before != 0 && position + 1 < size &&
                        model.bytes[position] == rule.before &&
                        model.bytes[position + 1] == rule.first)
                        ++position;
                    if (position >= size || model.bytes[position] != rule.first) std::abort();
                    ++position;
                    if (rule.after != 0 && position < size && model.bytes[position] == rule.after)
                        ++position;
                }
            }
            if (position != size) std::abort();
            // The split agrees with the walk one character at a time, entry by entry.
            LineModel walked;
            walked.bytes = model.bytes;
            walked.encoding = encoding;
            SplitSourceLinesCharByChar(walked, lineBreak);
            if (walked.lines.size() != model.lines.size()) std::abort();
            for (std::size_t i = 0; i < model.lines.size(); ++i)
                if (walked.lines[i].offset != model.lines[i].offset ||
                    walked.lines[i].length != model.lines[i].length ||
                    walked.lines[i].end != model.lines[i].end)
                    std::abort();
        }
    return 0;
}
