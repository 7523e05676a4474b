// SPDX-License-Identifier: MIT
// FunctionStep: the function substitution dialog's model: scan and merge, the catalogue, pairing
// and OK.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/language/language_definition.h"
#include "core/list/row_layouts.h"
#include "core/list/row_list.h"
#include "core/platform/clock.h"
#include "core/platform/expected.h"
#include "core/platform/file_system.h"
#include "core/record/record_file.h"
#include "core/steps/accept_step.h"
#include "core/steps/step_outcome.h"
#include "core/steps/step_sources.h"

namespace korvexer {

// The dialog works on six-column rows (number, call name, substitute, state, file, position),
// its own or its caller's, and the sorted catalogue; it touches neither the main window's
// function list nor any file before Accept, so closing without Accept (Cancel) changes nothing. One
// row is selected at a time; the operations take it as an argument.
class FunctionStep {
public:
    // Both references must outlive the model.
    FunctionStep(FileSystem& fs, const LanguageDefinition& language);
    // Works on `rows` (six columns), which the caller keeps, so that a list can show them without
    // a copy. The caller changes no text of them and no row count; the three references must
    // outlive the model.
    FunctionStep(FileSystem& fs, const LanguageDefinition& language, RowList& rows);
    FunctionStep(FileSystem&, LanguageDefinition&&) = delete;  // would dangle
    FunctionStep(const FunctionStep&) = delete;                // the copy would share the rows
    FunctionStep& operator=(const FunctionStep&) = delete;

    // Fills the rows: the calls of `mainSourceFile`, then of every other file of `sourceFiles`
    // (null for none), then merges `mainFunctions` (the record's five-column rows: number, call
    // name, substitute, file, position) as MergeFunctionRecord does: each record row takes the
    // substitute call in its file nearest its place, else the call of its name at its place, and
    // gives it its call name and substitute and the state "替换"; an unmatched one is appended,
    // numbered after the last row, with the state "替换". Returns the errors of the files that
    // could not be read (they add no rows).
    std::vector<Error> Open(const RowList& mainFunctions,
                            const std::vector<std::string>* sourceFiles,
                            const std::string& mainSourceFile);

    // The project's choice of how its sources are read, for Open's scan, the texts the rows show
    // and Accept's rewrite; automatic until set. Set it before Open.
    void SetSourceEncoding(SourceEncoding choice) { m_sources.SetChoice(choice); }
    // The encodings of the rows' files and what Open's scan noticed.
    StepSources& sources() { return m_sources; }
    const StepSources& sources() const { return m_sources; }

    const RowList& rows() const { return m_rows; }
    // The catalogue entries in the order the list box shows them.
    const std::vector<std::string>& catalogue() const { return m_catalogue; }

    // A click on row `row`: the catalogue position to select for it (its substitute's entry, or
    // the first entry whose name contains the call's name), or nothing.
    std::optional<std::size_t> ProposeEntry(std::size_t row) const;
    // The full text of catalogue entry `entry` for the read-only field; "" past the end.
    std::string EntryText(std::size_t entry) const;

    // "替换": with a catalogue entry selected, row `row` takes its function name as substitute;
    // then a row with a non-empty substitute is marked "替换". Returns whether the row changed;
    // nothing happens for a row past the end.
    bool Replace(std::size_t row, std::optional<std::size_t> entry);
    // "撤销": clears the state of row `row`; its substitute stays.
    bool Revert(std::size_t row);
    // A double-click on the catalogue: a "替换" row is taken back as Revert does, a row with an
    // empty state is paired as Replace does, a "未知" row is left alone.
    bool Toggle(std::size_t row, std::optional<std::size_t> entry);
    // Pairs row `row` with the substitute named `substitute` (not empty) and marks it "替换".
    bool Pair(std::size_t row, const std::string& substitute);
    // Every "未知" row gets an empty state, so that OK takes its substitute call back with the
    // name its comment holds (see Accept).
    void RevertUnknown();

    // "确定": the "替换" rows become `mainFunctions` in row order, numbered 1 to k, and every row
    // is carried into the sources by ApplyListToSources ("替换" applied, empty taken back, "未知"
    // left alone). Before anything is written, the record that would hold the new list together
    // with `mainConstants` and `sourceFiles` is checked against the record's limits; a refusal
    // names the row and changes nothing, as does a rewrite that refuses the language. For a file
    // that could not be written, the main list keeps the rows it had for that file, so the
    // record keeps describing the sources; such files, and those that could not be read, are named
    // in one message. A substitute call found as "未知" and to be taken back gets the call name
    // its comment holds (NameFunctionTakeBacks); without one it is "未知" again and left alone.
    StepAcceptOutcome Accept(RowList& mainFunctions, const RowList& mainConstants,
                             const std::vector<std::string>& sourceFiles);
    // The record that Accept would write when every file can be written: the "替换" rows as the
    // new function list, `mainConstants` and `sourceFiles`.
    RecordLists WouldBe(const RowList& mainConstants,
                        const std::vector<std::string>& sourceFiles) const;
    // What Accept would do, nothing written (PlanStep), the unknown calls named as Accept names
    // them.
    StepPlanOutcome Plan(const RowList& mainConstants, const std::vector<std::string>& sourceFiles);

private:
    FileSystem& m_fs;
    const LanguageDefinition& m_language;
    std::vector<std::string> m_catalogue;
    RowList m_ownRows{kStepColumnCount};  // the rows when the caller keeps none
    RowList& m_rows;
    StepSources m_sources{m_fs};
};

// The catalogue position of the substitute that a call named `callName` gets when calls are
// substituted in bulk: the entry whose function name is exactly the call's name followed by
// "_kx", compared without regard to case after dropping one leading "::" and then one leading "_"
// from the call's name. Nothing when no entry is named so; a looser proposal (a name that merely
// contains the call's) would turn unrelated calls into substitutes.
std::optional<std::size_t> FindExactSubstitute(const std::vector<std::string>& catalogue,
                                               std::string_view callName);

}  // namespace korvexer
