// SPDX-License-Identifier: MIT
// korvexer-cli apply: applies and takes back the rows of a list in the source files.
#include "cli/commands.h"

#include <charconv>
#include <cstdint>
#include <iostream>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "cli/cli_context.h"
#include "cli/file_texts.h"
#include "cli/step_report.h"
#include "core/list/list_texts.h"
#include "core/list/row_layouts.h"
#include "core/rewrite/apply_list_to_sources.h"

namespace korvexer::cli {

namespace {

struct ApplyOptions {
    std::string language;
    std::string rowsFile;  // empty or "-": standard input
    bool dryRun = false;
};

// The rows given in the replace state count as applied, those without a state as taken back;
// apply knows no earlier state to compare with.
RowCounts CountGivenRows(const RowList& rows, const std::set<std::string>& notWritten,
                         const std::vector<SkippedRow>& left) {
    RowCounts counts;
    std::set<std::size_t> leftRows;
    for (const SkippedRow& skipped : left) leftRows.insert(skipped.row);
    counts.skipped = leftRows.size();
    for (std::size_t row = 0; row < rows.size(); ++row) {
        if (leftRows.count(row) != 0) continue;
        const std::string& state = rows.Text(row, kStepState);
        if (state == texts::kStateUnknown || rows.Text(row, kStepPosition).empty()) continue;
        if (notWritten.count(rows.Text(row, kStepFile)) != 0)
            ++counts.skipped;
        else if (state == texts::kStateReplace)
            ++counts.applied;
        else
            ++counts.takenBack;
    }
    return counts;
}

int ApplyRows(CliContext& context, ListKind kind, const ApplyOptions& options) {
    std::int32_t index = 0;
    const std::string& indexText = options.language;
    const char* end = indexText.data() + indexText.size();
    auto [stop, error] = std::from_chars(indexText.data(), end, index);
    if (indexText.empty() || error != std::errc() || stop != end)
        return context.Refuse("--language must be a whole number of 32 bits, not \"" + indexText +
                              "\"");
    Expected<LanguageDefinition> language = context.Language(index);
    if (!language) return context.Refuse(context.ToUser(language.error().message));

    Expected<std::vector<std::vector<std::string>>> rows = [&]() {
        // A value or a name is the file's own text, in the file's encoding.
        FileEncodings files(context.fs(), context.SourceEncodingChoice());
        const auto layout = [kind](const std::vector<std::string>&) { return StepRowTexts(kind); };
        if (options.rowsFile.empty() || options.rowsFile == "-")
            return context.ReadRows(std::cin, layout, files);
        Expected<std::string> path = context.FromUser(options.rowsFile);
        if (!path)
            return Expected<std::vector<std::vector<std::string>>>(
                Error{"the rows file name: " + path.error().message, {}});
        Expected<FileContent> content = context.fs().Read(*path);
        if (!content)
            return Expected<std::vector<std::vector<std::string>>>(
                Error{options.rowsFile + ": " + content.error().message, {}});
        std::istringstream in(content->bytes);
        return context.ReadRows(in, layout, files);
    }();
    if (!rows) return context.Refuse(rows.error().message);

    RowList list(kStepColumnCount);
    list.reserve(rows->size());
    for (std::vector<std::string>& row : *rows) list.Append(std::move(row));

    StepSummary summary;
    summary.command = kind == ListKind::Constants ? "apply constants" : "apply functions";
    // apply's text form has always printed nothing on success; its summary is for JSON and dry
    // runs.
    summary.printText = options.dryRun;
    if (options.dryRun) {
        Expected<RewritePlan> plan =
            PlanListOnSources(list, kind, *language, context.fs(), context.SourceEncodingChoice());
        if (!plan) return context.Refuse(context.ToUser(plan.error().message));
        summary.rows = CountGivenRows(list, FilesNotWritten(*plan), plan->skippedRows);
        ReportPlanned(context, *plan, list, kind, summary, context.SourceEncodingChoice());
        return context.exitCode;
    }
    Expected<ApplyOutcome> outcome =
        ApplyListToSources(list, kind, *language, context.fs(), context.SourceEncodingChoice());
    if (!outcome) return context.Refuse(context.ToUser(outcome.error().message));
    summary.rows = CountGivenRows(list, FilesNotWritten(*outcome), outcome->skippedRows);
    ReportApplied(context, *outcome, list, kind, summary, context.SourceEncodingChoice());
    return context.exitCode;
}

void AddKind(CLI::App& apply, CliContext& context, const char* name, ListKind kind,
             const char* description) {
    CLI::App* command = apply.add_subcommand(name, description);
    auto options = std::make_shared<ApplyOptions>();
    command
        ->add_option("--language", options->language,
                     "The language list entry whose definition applies (0 Visual C++ ... 6 New "
                     "Define)")
        ->required();
    AddSourceEncodingOption(command, context);
    command->add_option("ROWS", options->rowsFile,
                        "File of six-column rows (key, type or function, value or substitute, "
                        "state, file, position); standard input when left out or -");
    command->add_flag("--dry-run", options->dryRun,
                      "Write nothing: print the unified diff of every file that would change; "
                      "exit status 1 when one would, 0 when none, 2 when refused");
    AddFormatOption(command, context);
    command->callback([&context, kind, options] { ApplyRows(context, kind, *options); });
}

}  // namespace

void RegisterApplyCommands(CLI::App& app, CliContext& context) {
    CLI::App* apply = app.add_subcommand(
        "apply",
        "Applies the rows whose state is the replace state and takes back the others (rows of "
        "the unknown state are left alone), as the step dialogs' OK does; each changed file is "
        "backed up to FILE~ first. Files that could not be written are named on standard error "
        "and the exit status is 1");
    apply->require_subcommand(1, 1);
    AddKind(*apply, context, "constants", ListKind::Constants,
            "Constant rows: literals become GetValueStr(n) / GetValueInt(n) and back");
    AddKind(*apply, context, "functions", ListKind::Functions,
            "Function rows: called names become their substitutes and back");
}

}  // namespace korvexer::cli
