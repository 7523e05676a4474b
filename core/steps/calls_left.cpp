// SPDX-License-Identifier: MIT
// The replacements a fresh scan finds.
#include "core/steps/calls_left.h"

#include <cstdint>

#include "core/list/list_texts.h"
#include "core/list/row_list.h"
#include "core/platform/clock.h"
#include "core/scanner/source_scanner.h"

namespace korvexer {

std::vector<CallLeft> CallsLeft(FileSystem& fs, const LanguageDefinition& language, ListKind kind,
                                const std::vector<std::string>& sourceFiles,
                                const std::string& mainSourceFile, SourceEncoding encoding) {
    const ScanMode mode = kind == ListKind::Constants ? ScanMode::Constants : ScanMode::Calls;
    // A fixed clock: the numbers of new constants do not matter here.
    const FixedClock clock(0);
    SourceScanner scanner(fs, language, clock, encoding);
    RowList rows(kStepColumnCount);
    std::uint32_t counter = 1024;
    if (!mainSourceFile.empty()) (void)scanner.ScanFile(rows, mainSourceFile, counter, mode);
    (void)scanner.ScanSourceFiles(rows, &sourceFiles, mainSourceFile, counter, mode);

    std::vector<CallLeft> calls;
    for (const Row& row : rows.rows()) {
        if (row.columns[kStepState] != texts::kStateUnknown) continue;
        std::string call = row.columns[kStepValue];
        if (kind == ListKind::Constants)
            call = (row.columns[kStepName] == texts::kTypeString ? "GetValueStr(" : "GetValueInt(") +
                   row.columns[kStepKey] + ")";
        calls.push_back({row.columns[kStepFile], row.columns[kStepPosition], std::move(call)});
    }
    return calls;
}

}  // namespace korvexer
