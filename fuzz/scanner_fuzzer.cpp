// SPDX-License-Identifier: MIT
// Fuzz target: the loader, statement walker and extractor under each built-in language, in both
// scan modes and both encodings; every row must point at a line of the file, and at the text the
// rewriting looks for, and the scan must give the same rows by either walk on every instruction
// set.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/language/language_defaults.h"
#include "core/list/list_texts.h"
#include "core/platform/clock.h"
#include "core/scanner/buffer_scan.h"
#include "core/scanner/line_model.h"
#include "core/scanner/statement_extractor.h"
#include "core/scanner/statement_walker.h"

using namespace korvexer;

namespace {

std::size_t Number(std::string_view text, std::size_t& at) {
    std::size_t value = 0;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9')
        value = value * 10 + static_cast<std::size_t>(text[at++] - '0');
    return value;
}

void Scan(const LanguageDefinition& language, const std::string& bytes, ScanMode mode,
          TextEncoding encoding) {
    static const FixedClock clock(1700000000);
    LineModel original;
    original.bytes = bytes;
    original.encoding = encoding;
    SplitSourceLines(original, language.carryreturn);
    LineModel model = original;
    BlankBlockComments(language, model);
    if (model.bytes.size() != bytes.size() || model.LineCount() != original.LineCount())
        std::abort();

    StatementWalker walker(language, original);
    StatementExtractor extractor(language, clock, encoding);
    RowList rows;
    std::uint32_t counter = 1024;
    Statement statement;
    for (std::size_t i = 0; i < model.LineCount(); i = statement.line + 1) {
        if (!walker.Next(i, statement)) break;
        if (statement.line < i || statement.line >= model.LineCount()) std::abort();
        if (statement.column > model.lines[statement.line].length) std::abort();
        const std::size_t before = rows.size();
        extractor.Extract(rows, statement, "f", counter, mode);
        if (rows.size() > before + 1) std::abort();
    }

    // The scan that the step dialogs use gives exactly the rows of the full walk, by either walk
    // and on every instruction set.
    const StatementRules rules(language, encoding);
    for (const ScanWalk walk : {ScanWalk::Exact, ScanWalk::Fastest})
        for (const block_kernels::InstructionSet set : block_kernels::Available()) {
            RowList scanRows;
            std::uint32_t scanCounter = 1024;
            BufferScan(rules, extractor, mode, walk, set).Run(bytes, scanRows, "f", scanCounter);
            if (scanRows.size() != rows.size() || scanCounter != counter) std::abort();
            for (std::size_t row = 0; row < rows.size(); ++row)
                if (scanRows[row].columns != rows[row].columns ||
                    scanRows[row].image != rows[row].image)
                    std::abort();
        }

    for (std::size_t row = 0; row < rows.size(); ++row) {
        const std::string& position = rows.Text(row, kStepPosition);
        std::size_t at = 0;
        const std::size_t line = Number(position, at);
        if (at >= position.size() || position[at] != ':') std::abort();
        ++at;
        const std::size_t column = Number(position, at);
        if (at != position.size() || line < 1 || line > model.LineCount()) std::abort();
        const std::string_view text = original.Line(line - 1);
        if (column > text.size()) std::abort();
        if (rows.Text(row, kStepState) == texts::kStateUnknown) continue;
        // A listed call's name, and a listed string's quoted value, stand at the recorded column
        // of the line as it is in the file.
        std::string expected;
        if (mode == ScanMode::Calls)
            expected = rows.Text(row, kStepName);
        else if (rows.Text(row, kStepName) == texts::kTypeString)
            expected = static_cast<char>(language.quotation) + rows.Text(row, kStepValue) +
                       static_cast<char>(language.quotation);
        // The extractor reads the statement with its tabs turned into spaces.
        std::string standing(text.substr(column, expected.size()));
        for (char& byte : standing)
            if (byte == '\t') byte = ' ';
        if (standing != expected) std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    static const LineBreak kBreaks[] = {{'\r', '\n'}, {'\n', 0}, {'\r', 0}, {0, 0}};
    // The first byte picks the language, its line break and the encoding the file is read in;
    // the rest is the file, mixed breaks and all.
    LanguageDefinition language = LoaderDefaults(data[0] % kLanguageCount);
    if ((data[0] >> 3) & 1) language.carryreturn = kBreaks[(data[0] >> 4) % 4];
    const TextEncoding encoding = (data[0] >> 6) & 1 ? TextEncoding::Utf8 : TextEncoding::Gbk;
    const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    Scan(language, bytes, ScanMode::Constants, encoding);
    Scan(language, bytes, ScanMode::Calls, encoding);
    return 0;
}
