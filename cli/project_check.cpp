// SPDX-License-Identifier: MIT
// Comparing a project's record with its sources.
#include "cli/project_check.h"

#include <cstdio>
#include <map>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "cli/cli_context.h"
#include "cli/json_writer.h"
#include "core/app/workbench.h"
#include "core/constants/constant_step.h"
#include "core/functions/function_step.h"
#include "core/list/list_texts.h"
#include "core/platform/clock.h"
#include "core/platform/text_trim.h"
#include "core/record/record_file.h"
#include "core/scanner/file_encodings.h"

namespace korvexer::cli {

namespace {

using Place = std::pair<std::string, std::string>;  // file, position

class Checker {
public:
    Checker(CliContext& context, SourceEncoding choice)
        : m_context(context), m_files(context.fs(), choice) {}

    // One disagreement at `place` (position may be empty); `what` is in the user's encoding.
    void Disagree(const char* problem, const Place& place, const std::string& what) {
        ++m_count;
        if (m_context.Json()) {
            JsonObject object;
            object.Text("kind", "disagreement").Text("problem", problem).Text("file", place.first);
            long long line = 0, column = 0;
            if (std::sscanf(place.second.c_str(), "%lld:%lld", &line, &column) == 2) {
                object.Number("line", line).Number("column", column);
            } else {
                object.Null("line").Null("column");
            }
            const TextEncoding userEncoding =
                m_context.PassesBytes() ? TextEncoding::Gbk : TextEncoding::Utf8;
            m_context.out() << object.Text("message", what, userEncoding).Line();
            return;
        }
        std::string line = m_context.ToUser(place.first);
        if (!place.second.empty()) line += ":" + place.second;
        m_context.out() << line << ": " << what << '\n';
    }

    // The text of a file's own bytes for a message.
    std::string Shown(const std::string& text, const std::string& file) {
        return m_context.ToUser(text, m_files.Of(file));
    }

    // Scanned rows by place, and the places of unreadable files.
    void Index(const RowList& rows) {
        m_byPlace.clear();
        for (std::size_t row = 0; row < rows.size(); ++row)
            m_byPlace.emplace(Place{rows.Text(row, kStepFile), rows.Text(row, kStepPosition)}, row);
    }
    std::optional<std::size_t> At(const Place& place) const {
        auto found = m_byPlace.find(place);
        if (found == m_byPlace.end()) return std::nullopt;
        return found->second;
    }

    // False when a file could not be read and --keep-going was not given (after refusing).
    bool NoteUnreadable(const std::vector<Error>& unreadable) {
        for (const Error& error : unreadable) {
            if (m_unreadable.count(error.path) != 0) continue;
            const std::string what = m_context.ToUser(error.path) + " cannot be read (" +
                                     m_context.ToUser(error.message) + ")";
            if (!m_context.keepGoing) {
                m_context.Refuse(what +
                                 "; the check cannot be made (give --keep-going to check "
                                 "the other files)");
                return false;
            }
            m_context.Warn(what + "; what the record says of it counts as disagreeing");
            m_unreadable.insert(error.path);
        }
        return true;
    }
    bool Unreadable(const std::string& file) const { return m_unreadable.count(file) != 0; }

    std::size_t count() const { return m_count; }
    FileEncodings& files() { return m_files; }
    CliContext& context() { return m_context; }

private:
    CliContext& m_context;
    FileEncodings m_files;
    std::map<Place, std::size_t> m_byPlace;
    std::set<std::string> m_unreadable;
    std::size_t m_count = 0;
};

Place RecordPlace(const RowList& record, std::size_t row) {
    return {TrimTrailingBlanks(record.Text(row, kMainFile)),
            TrimTrailingBlanks(record.Text(row, kMainPosition))};
}

void CheckConstants(Checker& checker, Workbench& workbench, const RowList& rows, bool strict) {
    std::set<std::size_t> accounted;
    const RowList& record = workbench.constants();
    for (std::size_t entry = 0; entry < record.size(); ++entry) {
        const std::string& index = record.Text(entry, kMainKey);
        const Place place = RecordPlace(record, entry);
        if (place.first.empty() || place.second.empty()) {
            // A row added by hand has no place: its accessor call may stand anywhere.
            bool found = false;
            for (std::size_t row = 0; row < rows.size() && !found; ++row)
                if (rows.Text(row, kStepState) == texts::kStateUnknown &&
                    rows.Text(row, kStepKey) == index && accounted.insert(row).second)
                    found = true;
            if (!found)
                checker.Disagree("not-in-file", place,
                                 "constant " + index +
                                     " is recorded without a place and no accessor call of it "
                                     "stands in the sources");
            continue;
        }
        if (checker.Unreadable(place.first)) {
            checker.Disagree("unreadable", place,
                             "constant " + index + " is recorded in a file that cannot be read");
            continue;
        }
        const std::optional<std::size_t> row = checker.At(place);
        if (!row) {
            checker.Disagree("not-in-file", place,
                             "constant " + index +
                                 " is recorded here, but the file holds no "
                                 "constant or accessor call there");
            continue;
        }
        const std::string& state = rows.Text(*row, kStepState);
        if (state == texts::kStateUnknown && rows.Text(*row, kStepKey) == index) {
            accounted.insert(*row);
            continue;
        }
        if (state == texts::kStateUnknown) {
            accounted.insert(*row);
            checker.Disagree(
                "other-index", place,
                "constant " + index + " is recorded here, but the file calls " +
                    (rows.Text(*row, kStepName) == texts::kTypeString ? "GetValueStr("
                                                                      : "GetValueInt(") +
                    rows.Text(*row, kStepKey) + ")");
            continue;
        }
        accounted.insert(*row);
        checker.Disagree("not-in-file", place,
                         "constant " + index +
                             " is recorded here, but the file holds the literal " +
                             checker.Shown(rows.Text(*row, kStepValue), place.first));
    }
    for (std::size_t row = 0; row < rows.size(); ++row) {
        if (accounted.count(row) != 0) continue;
        const Place place{rows.Text(row, kStepFile), rows.Text(row, kStepPosition)};
        const std::string& state = rows.Text(row, kStepState);
        if (state == texts::kStateUnknown) {
            checker.Disagree(
                "not-recorded", place,
                std::string(rows.Text(row, kStepName) == texts::kTypeString ? "GetValueStr("
                                                                            : "GetValueInt(") +
                    rows.Text(row, kStepKey) + ") is not in the record");
        } else if (strict && state.empty()) {
            checker.Disagree(
                "not-protected", place,
                std::string(rows.Text(row, kStepName) == texts::kTypeString ? "the string "
                                                                            : "the number ") +
                    checker.Shown(rows.Text(row, kStepValue), place.first) + " is not protected");
        }
    }
}

void CheckCalls(Checker& checker, Workbench& workbench, const RowList& rows) {
    std::set<std::size_t> accounted;
    const RowList& record = workbench.functions();
    for (std::size_t entry = 0; entry < record.size(); ++entry) {
        const Place place = RecordPlace(record, entry);
        const std::string call = checker.Shown(record.Text(entry, kMainName), place.first);
        const std::string substitute = checker.Shown(record.Text(entry, kMainValue), place.first);
        if (checker.Unreadable(place.first)) {
            checker.Disagree(
                "unreadable", place,
                "the substitution of " + call + " is recorded in a file that cannot be read");
            continue;
        }
        const std::optional<std::size_t> row = checker.At(place);
        if (row && rows.Text(*row, kStepState) == texts::kStateUnknown &&
            rows.Text(*row, kStepValue) == record.Text(entry, kMainValue)) {
            accounted.insert(*row);
            continue;
        }
        if (row) accounted.insert(*row);
        checker.Disagree("not-in-file", place,
                         call + " is recorded as substituted by " + substitute +
                             " here, but the file does not call " + substitute + " there");
    }
    for (std::size_t row = 0; row < rows.size(); ++row) {
        if (accounted.count(row) != 0 || rows.Text(row, kStepState) != texts::kStateUnknown)
            continue;
        const Place place{rows.Text(row, kStepFile), rows.Text(row, kStepPosition)};
        checker.Disagree(
            "not-recorded", place,
            checker.Shown(rows.Text(row, kStepValue), place.first) + " is not in the record");
    }
}

}  // namespace

int CheckProject(CliContext& context, Workbench& workbench, bool strict) {
    const SourceEncoding choice = workbench.settings().sourceEncoding;
    Checker checker(context, choice);
    const std::vector<std::string>& sources = workbench.sourceFiles().entries();
    const std::string main = TrimLeadingBlanks(workbench.settings().mainSourceFile);
    // The scans alone: the steps open with an empty record, so that each row shows what the
    // file holds.
    const RowList noRecord(kMainColumnCount);
    ConstantStep constants(context.fs(), workbench.language(), Clock::System());
    constants.SetSourceEncoding(choice);
    if (!checker.NoteUnreadable(constants.Open(noRecord, &sources, main, kFirstConstantIndex)))
        return context.exitCode;
    checker.Index(constants.rows());
    CheckConstants(checker, workbench, constants.rows(), strict);

    FunctionStep calls(context.fs(), workbench.language());
    calls.SetSourceEncoding(choice);
    if (!checker.NoteUnreadable(
            calls.Open(noRecord, &sources, workbench.settings().mainSourceFile)))
        return context.exitCode;
    checker.Index(calls.rows());
    CheckCalls(checker, workbench, calls.rows());

    if (context.Json())
        context.out() << JsonObject()
                             .Text("kind", "summary")
                             .Text("command", "check")
                             .Bool("agree", checker.count() == 0)
                             .Number("disagreements", static_cast<std::int64_t>(checker.count()))
                             .Line();
    if (checker.count() > 0 && context.exitCode == kExitSuccess) context.exitCode = kExitDisagree;
    return context.exitCode;
}

}  // namespace korvexer::cli
