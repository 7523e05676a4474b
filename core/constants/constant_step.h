// SPDX-License-Identifier: MIT
// ConstantStep: the constant list dialog's model: scan and merge, row states, hand edits and OK.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
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

// The edit fields below the list: index, type choice and value.
struct ConstantFields {
    enum Type : int { String = 0, Number = 1 };
    std::uint32_t index = 0;
    int type = String;
    std::string value;  // GBK
};

// The dialog works on its own six-column rows (index, type, value, state, file, position) and
// touches neither the main window's constant list nor any file before Accept, so closing without
// Accept (Cancel) changes nothing.
class ConstantStep {
public:
    // The three references must outlive the model. The clock numbers new constants.
    ConstantStep(FileSystem& fs, const LanguageDefinition& language, const Clock& clock);
    // Works on `rows` (six columns), which the caller keeps, so that a list can show them without
    // a copy. The caller changes no text of them and no row count; the four references must
    // outlive the model.
    ConstantStep(FileSystem& fs, const LanguageDefinition& language, const Clock& clock,
                 RowList& rows);
    ConstantStep(FileSystem&, LanguageDefinition&&, const Clock&) = delete;  // would dangle
    ConstantStep(FileSystem&, const LanguageDefinition&, const Clock&&) = delete;
    ConstantStep(const ConstantStep&) = delete;  // the copy would share the rows
    ConstantStep& operator=(const ConstantStep&) = delete;

    // Fills the rows: the constants of `mainSourceFile`, then of every other file of
    // `sourceFiles` (null for none), then merges `mainConstants` (the record's five-column rows:
    // index, type, value, file, position) as MergeConstantRecord does: each record row takes the
    // accessor call of its index in its file, else a literal of its value there, keeping the
    // position the scan found, so the record follows the code when lines moved; a record row
    // that finds neither is appended with the state "替换".
    //
    // New constants are numbered from `indexCounter`, or from the largest index that the record
    // rows or the accessor calls already in the sources ("未知" rows) show when that is larger, so
    // a new index never repeats one the runtime already hands out. Returns the errors of the files
    // that could not be read (they add no rows).
    std::vector<Error> Open(const RowList& mainConstants,
                            const std::vector<std::string>* sourceFiles,
                            const std::string& mainSourceFile, std::uint32_t indexCounter);

    // The main window's check before it opens the dialog: `mainSourceText`, the main source file
    // field as it stands, without blanks at its start, must not be empty. Otherwise the message
    // asking for it, after which the window focuses that field and does not open the dialog.
    static std::optional<StepMessage> CheckOpening(std::string_view mainSourceText);

    // The project's choice of how its sources are read, for Open's scan, the texts the rows show
    // and Accept's rewrite; automatic until set. Set it before Open.
    void SetSourceEncoding(SourceEncoding choice) { m_sources.SetChoice(choice); }
    // The encodings of the rows' files and what Open's scan noticed.
    StepSources& sources() { return m_sources; }
    const StepSources& sources() const { return m_sources; }

    const RowList& rows() const { return m_rows; }
    // The last index handed out, never below the largest index shown after Open.
    std::uint32_t indexCounter() const { return m_counter; }

    // "替换" and "撤销": mark or clear every row of `selected` (row numbers past the end are
    // ignored), whatever its state.
    void Replace(const std::vector<std::size_t>& selected);
    void Revert(const std::vector<std::size_t>& selected);
    // "全替换": every row with an empty state becomes "替换" ("未知" rows keep theirs).
    void ReplaceAll();
    // "全撤销": every "替换" row gets an empty state.
    void RevertAll();
    // Every "未知" row gets an empty state, so that OK takes its accessor call back with the
    // literal its comment holds (see Accept).
    void RevertUnknown();

    // The edit fields for row `row` (a double-click): its index, its type (String for "字符串",
    // else Number) and its value. Nothing for a row past the end.
    std::optional<ConstantFields> LoadFields(std::size_t row) const;

    // "添加": refuses an empty numeric value (blanks at its start removed) with the message
    // asking for one and the focus on the value field. Otherwise appends a "替换" row without
    // file and position, with the next index (counter + 1 + (5 * r) % 2000, r drawn after seeding
    // the generator with the clock's second), which becomes the counter and `fields.index`. A
    // numeric value is stored as the C runtime's atol reads it ("0x1F" becomes "0"), and
    // `fields.value` shows the stored value.
    StepEditOutcome Add(ConstantFields& fields);
    // "修改": the first row whose index has the value of `fields.index` takes the type and value
    // (normalised as Add does, an empty numeric value allowed) and the state "替换". Nothing
    // happens when no row has that index.
    StepEditOutcome Modify(ConstantFields& fields);
    // The first row whose index has the value `index`, or nothing.
    std::optional<std::size_t> RowOfIndex(std::uint32_t index) const;
    // "删除": deletes the row that RowToDelete names. Returns the row to select afterwards (the
    // one now at the deleted position, or row 0 when the last row went), or nothing when nothing
    // was deleted or no row is left.
    std::optional<std::size_t> Delete(const ConstantFields& fields,
                                      std::optional<std::size_t> selected);
    // The row that Delete would delete: the first row whose index has the value of
    // `fields.index`, else the row `selected`; nothing when neither exists.
    std::optional<std::size_t> RowToDelete(const ConstantFields& fields,
                                           std::optional<std::size_t> selected) const;

    // "确定": the "替换" rows become `mainConstants` in ascending index order (rows of equal index
    // in dialog order), and every row is carried into the sources by ApplyListToSources ("替换"
    // applied, empty taken back, "未知" left alone). Before anything is written, the record that
    // would hold the new list together with `mainFunctions` and `sourceFiles` is checked against
    // the record's limits; a refusal names the row and changes nothing, as does a rewrite that
    // refuses the language. For a file that could not be written, the main list keeps
    // the rows it had for that file, so the record keeps describing the sources; such files are
    // named in one message, together with the files that could not be read. A row that the scan
    // found as a "未知" accessor call and that is to be taken back keeps its state only where its
    // comment plainly holds its literal (ConfirmConstantTakeBacks); otherwise it is "未知" again
    // and left alone.
    StepAcceptOutcome Accept(RowList& mainConstants, const RowList& mainFunctions,
                             const std::vector<std::string>& sourceFiles);
    // The record that Accept would write when every file can be written: the "替换" rows as the
    // new constant list, `mainFunctions` and `sourceFiles`.
    RecordLists WouldBe(const RowList& mainFunctions,
                        const std::vector<std::string>& sourceFiles) const;
    // What Accept would do, nothing written (PlanStep): the same rows confirmed, the same rows
    // named as left.
    StepPlanOutcome Plan(const RowList& mainFunctions, const std::vector<std::string>& sourceFiles);

private:
    // Per row: it is to be taken back and the scan found its literal at its place.
    std::vector<bool> LiteralStands() const;
    void RaiseNewIndicesAbove(std::uint32_t floor);
    void Merge(const RowList& mainConstants);
    void SetTypeAndValue(std::size_t row, ConstantFields& fields);

    FileSystem& m_fs;
    const LanguageDefinition& m_language;
    const Clock& m_clock;
    RowList m_ownRows{kStepColumnCount};  // the rows when the caller keeps none
    RowList& m_rows;
    StepSources m_sources{m_fs};
    std::uint32_t m_counter = 1024;
    // The indices of the rows that the scan found as literals, not as accessor calls.
    std::unordered_set<std::string> m_literalKeys;
    // The indices of the rows that were "未知" after the merge: their values come from comments.
    std::unordered_set<std::string> m_unknownKeys;
};

}  // namespace korvexer
