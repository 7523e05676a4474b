// SPDX-License-Identifier: MIT
// The results of steps and applies, as text and as JSON Lines.
#include "cli/step_report.h"

#include <ostream>

#include "cli/cli_context.h"
#include "cli/json_writer.h"
#include "cli/row_json.h"
#include "cli/unified_diff.h"
#include "core/list/list_texts.h"
#include "core/list/row_layouts.h"
#include "core/scanner/file_encodings.h"

namespace korvexer::cli {

namespace {

JsonObject FileObject(const std::string& path, const char* result) {
    JsonObject object;
    object.Text("kind", "file").Text("file", path).Text("result", result, TextEncoding::Utf8);
    return object;
}

void PrintSummary(CliContext& context, const StepSummary& summary, bool dryRun,
                  std::size_t changedFiles, const ApplyOutcome* outcome, const RewritePlan* plan) {
    const std::size_t failed = outcome ? outcome->failedFiles.size() : 0;
    const std::size_t unreadable =
        outcome ? outcome->unreadableFiles.size() : plan->unreadableFiles.size();
    if (context.Json()) {
        std::vector<std::string> leftOut;
        for (const LeftOutCall& call : summary.leftOut) {
            leftOut.push_back(JsonObject()
                                  .Text("name", call.name)
                                  .Text("substitute", call.substitute)
                                  .Number("rows", static_cast<std::int64_t>(call.rows))
                                  .Value());
        }
        JsonObject object;
        object.Text("kind", "summary")
            .Text("command", summary.command, TextEncoding::Utf8)
            .Bool("dryRun", dryRun)
            .Number("applied", static_cast<std::int64_t>(summary.rows.applied))
            .Number("takenBack", static_cast<std::int64_t>(summary.rows.takenBack))
            .Number("skipped", static_cast<std::int64_t>(summary.rows.skipped))
            .Number(dryRun ? "filesToWrite" : "filesWritten",
                    static_cast<std::int64_t>(changedFiles))
            .Number("filesFailed", static_cast<std::int64_t>(failed))
            .Number("filesUnreadable", static_cast<std::int64_t>(unreadable));
        if (!summary.leftOut.empty()) object.Raw("leftOut", JsonArray(leftOut));
        context.out() << object.Line();
        return;
    }
    if (!summary.printText) return;
    std::string line = "summary: ";
    if (dryRun) line += "dry run, nothing written: ";
    line += "applied " + std::to_string(summary.rows.applied) + ", taken back " +
            std::to_string(summary.rows.takenBack) + ", skipped " +
            std::to_string(summary.rows.skipped) + ", files " +
            (dryRun ? "to write " : "written ") + std::to_string(changedFiles);
    if (failed > 0) line += ", files not written " + std::to_string(failed);
    if (unreadable > 0) line += ", files unreadable " + std::to_string(unreadable);
    if (!summary.leftOut.empty()) {
        line += "; left out, since their substitutes take other argument types:";
        for (std::size_t i = 0; i < summary.leftOut.size(); ++i) {
            const LeftOutCall& call = summary.leftOut[i];
            line += (i == 0 ? " " : ", ") + context.ToUser(call.name) + " (" +
                    context.ToUser(call.substitute) + ", " + std::to_string(call.rows) +
                    (call.rows == 1 ? " row)" : " rows)");
        }
        line += " (give --catalogue-all or --pair to substitute them)";
    }
    context.out() << line << '\n';
}

const char* ReasonWords(RowSkipReason reason, ListKind kind) {
    const bool constants = kind == ListKind::Constants;
    switch (reason) {
        case RowSkipReason::FileUnreadable:
            return "its file cannot be read";
        case RowSkipReason::FileNotWritten:
            return "its file could not be written";
        case RowSkipReason::TextNotThere:
            return constants ? "its position does not hold the listed text (the line was changed, "
                               "or the value is not written there as listed, as a hexadecimal "
                               "one is not)"
                             : "its position does not hold the listed call (the line was changed)";
        case RowSkipReason::KeyTaken:
            return constants ? "an earlier row has the same index"
                             : "an earlier row has the same number";
        case RowSkipReason::PlaceTaken:
            return "another row stands at the same position";
    }
    return "";
}

void ReportUnreadable(CliContext& context, const std::vector<Error>& unreadable) {
    for (const Error& error : unreadable) {
        if (context.Json())
            context.out()
                << FileObject(error.path, "unreadable").Text("reason", error.message).Line();
        else
            context.Warn(context.ToUser(error.path) + " cannot be read (" +
                         context.ToUser(error.message) + "); its rows were left alone");
    }
}

}  // namespace

RowCounts CountRowChanges(const RowList& before, const RowList& after,
                          const std::set<std::string>& notWritten,
                          const std::vector<SkippedRow>& left) {
    RowCounts counts;
    std::set<std::size_t> leftRows;
    for (const SkippedRow& skipped : left) leftRows.insert(skipped.row);
    counts.skipped = leftRows.size();
    for (std::size_t row = 0; row < after.size() && row < before.size(); ++row) {
        if (leftRows.count(row) != 0) continue;
        const bool was = before.Text(row, kStepState) == texts::kStateReplace;
        const bool is = after.Text(row, kStepState) == texts::kStateReplace;
        const bool otherSubstitute =
            was && is && before.Text(row, kStepValue) != after.Text(row, kStepValue);
        if (was == is && !otherSubstitute) continue;
        if (notWritten.count(after.Text(row, kStepFile)) != 0)
            ++counts.skipped;
        else if (is)
            ++counts.applied;
        else
            ++counts.takenBack;
    }
    return counts;
}

std::set<std::string> FilesNotWritten(const ApplyOutcome& outcome) {
    std::set<std::string> files;
    for (const std::vector<Error>* errors : {&outcome.failedFiles, &outcome.unreadableFiles})
        for (const Error& error : *errors) files.insert(error.path);
    return files;
}

std::set<std::string> FilesNotWritten(const RewritePlan& plan) {
    std::set<std::string> files;
    for (const Error& error : plan.unreadableFiles) files.insert(error.path);
    return files;
}

void ReportRowsLeft(CliContext& context, const std::vector<SkippedRow>& left, const RowList& rows,
                    ListKind kind, bool dryRun, bool keepsRecord, SourceEncoding choice) {
    if (left.empty()) return;
    FileEncodings encodings(context.fs(), choice);
    const bool constants = kind == ListKind::Constants;
    for (const SkippedRow& skipped : left) {
        if (skipped.row >= rows.size()) continue;
        const std::vector<std::string>& columns = rows[skipped.row].columns;
        const TextEncoding encoding = encodings.Of(skipped.file);
        const std::string what = constants
                                     ? "constant " + columns[kStepKey] + " (" +
                                           context.ToUser(columns[kStepValue], encoding) + ")"
                                     : "call " + context.ToUser(columns[kStepName], encoding) +
                                           " -> " + context.ToUser(columns[kStepValue], encoding);
        const std::string line =
            what + (dryRun ? " would not be " : " was not ") +
            (skipped.applying ? "applied" : "taken back") + ": " +
            ReasonWords(skipped.reason, kind) + " (" + RowSkipName(skipped.reason) + ")" +
            (keepsRecord ? (dryRun ? "; it would stay in the record" : "; it stays in the record")
                         : "");
        if (context.Json())
            context.out() << JsonObject()
                                 .Text("kind", "left")
                                 .Text("action", skipped.applying ? "apply" : "take-back")
                                 .Text("reason", RowSkipName(skipped.reason))
                                 .Text("message", line, TextEncoding::Utf8)
                                 .Raw("row", StepRowJson(columns, kind, encoding).Value())
                                 .Line();
        // apply passes over such rows as it always has; a project step keeps them in its record,
        // so it says which.
        if (keepsRecord)
            context.err() << "korvexer-cli: " << context.ToUser(skipped.file) << ':'
                          << skipped.position << ": " << line << '\n';
    }
    if (keepsRecord && !dryRun) context.exitCode = kExitFilesFailed;
}

void ReportApplied(CliContext& context, const ApplyOutcome& files, const RowList& rows,
                   ListKind kind, const StepSummary& summary, SourceEncoding choice) {
    for (const std::string& file : files.changedFiles) {
        if (context.Json())
            context.out() << FileObject(file, "written").Line();
        else if (summary.printText)
            context.out() << context.ToUser(file) << '\n';
    }
    ReportUnreadable(context, files.unreadableFiles);
    for (const Error& failed : files.failedFiles) {
        if (context.Json())
            context.out()
                << FileObject(failed.path, "failed").Text("reason", failed.message).Line();
        context.err() << "korvexer-cli: " << context.ToUser(failed.path)
                      << " could not be written: " << context.ToUser(failed.message) << '\n';
    }
    if (!files.failedFiles.empty()) context.exitCode = kExitFilesFailed;
    ReportRowsLeft(context, files.skippedRows, rows, kind, false, summary.keepsRecord, choice);
    PrintSummary(context, summary, false, files.changedFiles.size(), &files, nullptr);
}

void ReportPlanned(CliContext& context, const RewritePlan& plan, const RowList& rows, ListKind kind,
                   const StepSummary& summary, SourceEncoding choice) {
    FileEncodings encodings(context.fs(), choice);
    std::size_t changed = 0;
    for (const SourceRewrite& file : plan.files) {
        if (!file.changed()) continue;
        ++changed;
        const TextEncoding encoding = encodings.Of(file.path());
        const std::string hunks = UnifiedDiffHunks(file.original(), file.Content());
        if (context.Json()) {
            context.out()
                << FileObject(file.path(), "to-write").Text("diff", hunks, encoding).Line();
            continue;
        }
        const std::string name = context.ToUser(file.path());
        context.out() << "--- " << name << "\n+++ " << name << '\n'
                      << context.ToUser(hunks, encoding);
    }
    ReportUnreadable(context, plan.unreadableFiles);
    ReportRowsLeft(context, plan.skippedRows, rows, kind, true, summary.keepsRecord, choice);
    PrintSummary(context, summary, true, changed, nullptr, &plan);
    if (context.exitCode == kExitSuccess && changed > 0) context.exitCode = kExitWouldChange;
}

}  // namespace korvexer::cli
