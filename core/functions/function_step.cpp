// SPDX-License-Identifier: MIT
// The function substitution dialog's model.
#include "core/functions/function_step.h"

#include "core/functions/function_catalogue.h"
#include "core/functions/function_merge.h"
#include "core/list/list_texts.h"
#include "core/platform/gbk_text.h"
#include "core/scanner/source_scanner.h"
#include "core/steps/accept_step.h"
#include "core/steps/unknown_take_back.h"

namespace korvexer {

namespace {

void Renumber(RowList& rows) {
    for (std::size_t row = 0; row < rows.size(); ++row)
        rows.SetText(row, kMainKey, std::to_string(row + 1));
}

}  // namespace

FunctionStep::FunctionStep(FileSystem& fs, const LanguageDefinition& language)
    : m_fs(fs), m_language(language), m_catalogue(SortedCatalogue()), m_rows(m_ownRows) {}

FunctionStep::FunctionStep(FileSystem& fs, const LanguageDefinition& language, RowList& rows)
    : m_fs(fs), m_language(language), m_catalogue(SortedCatalogue()), m_rows(rows) {}

std::vector<Error> FunctionStep::Open(const RowList& mainFunctions,
                                      const std::vector<std::string>* sourceFiles,
                                      const std::string& mainSourceFile) {
    m_rows.clear();
    std::vector<Error> unreadable;
    // Call mode numbers rows by position, not by the clock or the counter.
    std::uint32_t counter = 0;
    SourceScanner scanner(m_fs, m_language, Clock::System(), m_sources.choice());
    if (!mainSourceFile.empty())
        if (Status scanned = scanner.ScanFile(m_rows, mainSourceFile, counter, ScanMode::Calls);
            !scanned)
            unreadable.push_back(scanned.error());
    for (Error& error :
         scanner.ScanSourceFiles(m_rows, sourceFiles, mainSourceFile, counter, ScanMode::Calls))
        unreadable.push_back(std::move(error));
    m_sources.TakeScan(scanner);

    MergeFunctionRecord(m_rows, mainFunctions);
    return unreadable;
}

std::optional<std::size_t> FunctionStep::ProposeEntry(std::size_t row) const {
    if (row >= m_rows.size()) return std::nullopt;
    return FindCatalogueEntry(m_catalogue, m_rows.Text(row, kStepName),
                              m_rows.Text(row, kStepValue));
}

std::string FunctionStep::EntryText(std::size_t entry) const {
    return entry < m_catalogue.size() ? m_catalogue[entry] : std::string();
}

bool FunctionStep::Replace(std::size_t row, std::optional<std::size_t> entry) {
    if (row >= m_rows.size()) return false;
    const Row before = m_rows[row];
    if (entry && *entry < m_catalogue.size())
        m_rows.SetText(row, kStepValue, CatalogueEntryName(m_catalogue[*entry]));
    if (!m_rows.Text(row, kStepValue).empty())
        m_rows.SetText(row, kStepState, std::string(texts::kStateReplace));
    return m_rows[row].columns != before.columns;
}

bool FunctionStep::Revert(std::size_t row) {
    if (row >= m_rows.size() || m_rows.Text(row, kStepState).empty()) return false;
    m_rows.SetText(row, kStepState, {});
    return true;
}

bool FunctionStep::Toggle(std::size_t row, std::optional<std::size_t> entry) {
    if (row >= m_rows.size()) return false;
    const std::string& state = m_rows.Text(row, kStepState);
    if (state == texts::kStateReplace) return Revert(row);
    if (state.empty()) return Replace(row, entry);
    return false;
}

bool FunctionStep::Pair(std::size_t row, const std::string& substitute) {
    if (row >= m_rows.size() || substitute.empty()) return false;
    const Row before = m_rows[row];
    m_rows.SetText(row, kStepValue, substitute);
    m_rows.SetText(row, kStepState, std::string(texts::kStateReplace));
    return m_rows[row].columns != before.columns;
}

void FunctionStep::RevertUnknown() {
    for (std::size_t row = 0; row < m_rows.size(); ++row)
        if (m_rows.Text(row, kStepState) == texts::kStateUnknown)
            m_rows.SetText(row, kStepState, {});
}

RecordLists FunctionStep::WouldBe(const RowList& mainConstants,
                                  const std::vector<std::string>& sourceFiles) const {
    RecordLists wouldBe;
    for (std::size_t row = 0; row < m_rows.size(); ++row) {
        if (m_rows.Text(row, kStepState) != texts::kStateReplace) continue;
        wouldBe.functions.Append({std::string(), m_rows.Text(row, kStepName),
                                  m_rows.Text(row, kStepValue), m_rows.Text(row, kStepFile),
                                  m_rows.Text(row, kStepPosition)});
    }
    Renumber(wouldBe.functions);
    wouldBe.constants = mainConstants;
    wouldBe.sourceFiles = sourceFiles;
    return wouldBe;
}

StepPlanOutcome FunctionStep::Plan(const RowList& mainConstants,
                                   const std::vector<std::string>& sourceFiles) {
    NameFunctionTakeBacks(m_rows, m_language, m_fs, m_sources.choice());
    return PlanStep(m_rows, ListKind::Functions, m_language, m_fs,
                    WouldBe(mainConstants, sourceFiles), m_sources.choice());
}

StepAcceptOutcome FunctionStep::Accept(RowList& mainFunctions, const RowList& mainConstants,
                                       const std::vector<std::string>& sourceFiles) {
    NameFunctionTakeBacks(m_rows, m_language, m_fs, m_sources.choice());
    return AcceptStep(m_rows, ListKind::Functions, m_language, m_fs,
                      WouldBe(mainConstants, sourceFiles), mainFunctions, &Renumber,
                      m_sources.choice());
}

std::optional<std::size_t> FindExactSubstitute(const std::vector<std::string>& catalogue,
                                               std::string_view callName) {
    if (callName.substr(0, 2) == "::") callName.remove_prefix(2);
    if (callName.substr(0, 1) == "_") callName.remove_prefix(1);
    if (callName.empty()) return std::nullopt;
    const std::string wanted = std::string(callName) + "_kx";
    for (std::size_t entry = 0; entry < catalogue.size(); ++entry)
        if (gbk::EqualsNoCase(CatalogueEntryName(catalogue[entry]), wanted)) return entry;
    return std::nullopt;
}

}  // namespace korvexer
