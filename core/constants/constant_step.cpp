// SPDX-License-Identifier: MIT
// The constant list dialog's model.
#include "core/constants/constant_step.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "core/constants/constant_merge.h"
#include "core/list/list_texts.h"
#include "core/platform/c_number.h"
#include "core/platform/ms_random.h"
#include "core/platform/text_trim.h"
#include "core/scanner/constant_index.h"
#include "core/scanner/source_scanner.h"
#include "core/steps/accept_step.h"
#include "core/steps/message_texts.h"
#include "core/steps/step_texts.h"
#include "core/steps/unknown_take_back.h"

namespace korvexer {

namespace {

// The decimal value of an index text, as the C runtime reads it.
std::uint32_t IndexValue(const std::string& text) {
    return static_cast<std::uint32_t>(CAtol(text));
}

int DialogImage(const std::string& type) {
    return type == texts::kTypeString ? kStringImage : kNumericImage;
}

int MainImage(const std::string& type) {
    return type == texts::kTypeString ? kMainStringImage : kMainNumericImage;
}

// Rows in ascending index order; rows of equal index keep their order, as inserting each before
// the first row of a greater index does.
void SortByIndex(RowList& rows) {
    std::vector<Row> sorted(rows.rows());
    std::stable_sort(sorted.begin(), sorted.end(), [](const Row& a, const Row& b) {
        return IndexValue(a.columns[kMainKey]) < IndexValue(b.columns[kMainKey]);
    });
    rows.clear();
    for (Row& row : sorted) rows.Append(std::move(row.columns), row.image);
}

}  // namespace

ConstantStep::ConstantStep(FileSystem& fs, const LanguageDefinition& language, const Clock& clock)
    : m_fs(fs), m_language(language), m_clock(clock), m_rows(m_ownRows) {}

ConstantStep::ConstantStep(FileSystem& fs, const LanguageDefinition& language, const Clock& clock,
                           RowList& rows)
    : m_fs(fs), m_language(language), m_clock(clock), m_rows(rows) {}

std::optional<StepMessage> ConstantStep::CheckOpening(std::string_view mainSourceText) {
    if (!TrimLeadingBlanks(mainSourceText).empty()) return std::nullopt;
    return StepMessage{std::string(texts::kMainSourceEmpty),
                       std::string(texts::kCaptionInformation)};
}

std::vector<Error> ConstantStep::Open(const RowList& mainConstants,
                                      const std::vector<std::string>* sourceFiles,
                                      const std::string& mainSourceFile,
                                      std::uint32_t indexCounter) {
    m_rows.clear();
    std::uint32_t counter = indexCounter;
    std::vector<Error> unreadable;
    SourceScanner scanner(m_fs, m_language, m_clock, m_sources.choice());
    if (!mainSourceFile.empty())
        if (Status scanned = scanner.ScanFile(m_rows, mainSourceFile, counter, ScanMode::Constants);
            !scanned)
            unreadable.push_back(scanned.error());
    for (Error& error :
         scanner.ScanSourceFiles(m_rows, sourceFiles, mainSourceFile, counter, ScanMode::Constants))
        unreadable.push_back(std::move(error));
    m_sources.TakeScan(scanner);

    // Indices that the runtime already hands out: those of the record and of accessor calls in
    // the sources. The scan numbered from the opener's counter without knowing them.
    std::uint32_t floor = indexCounter;
    for (std::size_t row = 0; row < mainConstants.size(); ++row)
        floor = std::max(floor, IndexValue(mainConstants.Text(row, kMainKey)));
    for (std::size_t row = 0; row < m_rows.size(); ++row)
        if (m_rows.Text(row, kStepState) == texts::kStateUnknown)
            floor = std::max(floor, IndexValue(m_rows.Text(row, kStepKey)));
    m_counter = counter;
    if (floor > indexCounter) RaiseNewIndicesAbove(floor);

    Merge(mainConstants);
    return unreadable;
}

void ConstantStep::RaiseNewIndicesAbove(std::uint32_t floor) {
    std::uint32_t counter = floor;
    for (std::size_t row = 0; row < m_rows.size(); ++row) {
        // The scan leaves every new constant with an empty state; accessor calls are "未知".
        if (!m_rows.Text(row, kStepState).empty()) continue;
        counter = NextConstantIndex(counter, m_clock);
        m_rows.SetText(row, kStepKey, std::to_string(counter));
    }
    m_counter = counter;
}

void ConstantStep::Merge(const RowList& mainConstants) {
    // The rows the scan found as literals: their place holds one, whatever the merge gives them.
    std::vector<bool> literal(m_rows.size());
    for (std::size_t row = 0; row < m_rows.size(); ++row)
        literal[row] = m_rows.Text(row, kStepState) != texts::kStateUnknown;
    MergeConstantRecord(m_rows, mainConstants);
    m_literalKeys.clear();
    for (std::size_t row = 0; row < literal.size(); ++row)
        if (literal[row]) m_literalKeys.insert(m_rows.Text(row, kStepKey));
    m_unknownKeys.clear();
    for (std::size_t row = 0; row < m_rows.size(); ++row)
        if (m_rows.Text(row, kStepState) == texts::kStateUnknown)
            m_unknownKeys.insert(m_rows.Text(row, kStepKey));
}

void ConstantStep::Replace(const std::vector<std::size_t>& selected) {
    for (std::size_t row : selected)
        if (row < m_rows.size()) m_rows.SetText(row, kStepState, std::string(texts::kStateReplace));
}

void ConstantStep::Revert(const std::vector<std::size_t>& selected) {
    for (std::size_t row : selected)
        if (row < m_rows.size()) m_rows.SetText(row, kStepState, {});
}

void ConstantStep::ReplaceAll() {
    for (std::size_t row = 0; row < m_rows.size(); ++row)
        if (m_rows.Text(row, kStepState).empty())
            m_rows.SetText(row, kStepState, std::string(texts::kStateReplace));
}

void ConstantStep::RevertAll() {
    for (std::size_t row = 0; row < m_rows.size(); ++row)
        if (m_rows.Text(row, kStepState) == texts::kStateReplace)
            m_rows.SetText(row, kStepState, {});
}

void ConstantStep::RevertUnknown() {
    for (std::size_t row = 0; row < m_rows.size(); ++row)
        if (m_rows.Text(row, kStepState) == texts::kStateUnknown)
            m_rows.SetText(row, kStepState, {});
}

std::optional<ConstantFields> ConstantStep::LoadFields(std::size_t row) const {
    if (row >= m_rows.size()) return std::nullopt;
    ConstantFields fields;
    fields.index = IndexValue(m_rows.Text(row, kStepKey));
    fields.type = m_rows.Text(row, kStepName) == texts::kTypeString ? ConstantFields::String
                                                                    : ConstantFields::Number;
    fields.value = m_rows.Text(row, kStepValue);
    return fields;
}

void ConstantStep::SetTypeAndValue(std::size_t row, ConstantFields& fields) {
    std::string value = TrimLeadingBlanks(fields.value);
    std::string type(texts::kTypeString);
    if (fields.type != ConstantFields::String) {
        value = std::to_string(CAtol(value));
        type = texts::kTypeNumber;
    }
    fields.value = value;
    m_rows.SetText(row, kStepName, type);
    m_rows.SetText(row, kStepValue, std::move(value));
    m_rows.SetText(row, kStepState, std::string(texts::kStateReplace));
    m_rows.SetImage(row, DialogImage(m_rows.Text(row, kStepName)));
}

StepEditOutcome ConstantStep::Add(ConstantFields& fields) {
    StepEditOutcome outcome;
    if (fields.type != ConstantFields::String && TrimLeadingBlanks(fields.value).empty()) {
        outcome.message = StepMessage{std::string(steptexts::kNumericValueEmpty),
                                      std::string(texts::kCaptionSystem)};
        outcome.focus = StepField::Value;
        return outcome;
    }
    // Seeded with the plain second: the hand step differs from the scan's on purpose.
    MsRandom random(static_cast<std::uint32_t>(m_clock.NowSeconds()));
    const auto r = static_cast<std::uint32_t>(random.Next());
    m_counter = m_counter + 1u + (r * 5u) % 2000u;
    fields.index = m_counter;
    const std::size_t row = m_rows.Append({std::to_string(m_counter)});
    SetTypeAndValue(row, fields);
    outcome.changed = true;
    return outcome;
}

std::optional<std::size_t> ConstantStep::RowOfIndex(std::uint32_t index) const {
    for (std::size_t row = 0; row < m_rows.size(); ++row)
        if (IndexValue(m_rows.Text(row, kStepKey)) == index) return row;
    return std::nullopt;
}

StepEditOutcome ConstantStep::Modify(ConstantFields& fields) {
    StepEditOutcome outcome;
    const std::optional<std::size_t> row = RowOfIndex(fields.index);
    if (!row) return outcome;
    SetTypeAndValue(*row, fields);
    outcome.changed = true;
    return outcome;
}

std::optional<std::size_t> ConstantStep::RowToDelete(const ConstantFields& fields,
                                                     std::optional<std::size_t> selected) const {
    if (std::optional<std::size_t> row = RowOfIndex(fields.index)) return row;
    if (selected && *selected < m_rows.size()) return selected;
    return std::nullopt;
}

std::optional<std::size_t> ConstantStep::Delete(const ConstantFields& fields,
                                                std::optional<std::size_t> selected) {
    const std::optional<std::size_t> row = RowToDelete(fields, selected);
    if (!row) return std::nullopt;
    m_rows.Remove(*row);
    if (m_rows.empty()) return std::nullopt;
    return *row < m_rows.size() ? *row : 0;
}

RecordLists ConstantStep::WouldBe(const RowList& mainFunctions,
                                  const std::vector<std::string>& sourceFiles) const {
    RecordLists wouldBe;
    for (std::size_t row = 0; row < m_rows.size(); ++row) {
        if (m_rows.Text(row, kStepState) != texts::kStateReplace) continue;
        const std::string& type = m_rows.Text(row, kStepName);
        wouldBe.constants.Append({m_rows.Text(row, kStepKey), type, m_rows.Text(row, kStepValue),
                                  m_rows.Text(row, kStepFile), m_rows.Text(row, kStepPosition)},
                                 MainImage(type));
    }
    SortByIndex(wouldBe.constants);
    wouldBe.functions = mainFunctions;
    wouldBe.sourceFiles = sourceFiles;
    return wouldBe;
}

std::vector<bool> ConstantStep::LiteralStands() const {
    // Rows taken back whose place the scan saw holding their literal have nothing to take back.
    std::vector<bool> literalStands(m_rows.size(), false);
    for (std::size_t row = 0; row < m_rows.size(); ++row)
        literalStands[row] = m_rows.Text(row, kStepState).empty() &&
                             m_literalKeys.count(m_rows.Text(row, kStepKey)) != 0;
    return literalStands;
}

StepPlanOutcome ConstantStep::Plan(const RowList& mainFunctions,
                                   const std::vector<std::string>& sourceFiles) {
    ConfirmConstantTakeBacks(m_rows, m_unknownKeys, m_language, m_fs, m_sources.choice());
    return PlanStep(m_rows, ListKind::Constants, m_language, m_fs,
                    WouldBe(mainFunctions, sourceFiles), m_sources.choice(), LiteralStands());
}

StepAcceptOutcome ConstantStep::Accept(RowList& mainConstants, const RowList& mainFunctions,
                                       const std::vector<std::string>& sourceFiles) {
    ConfirmConstantTakeBacks(m_rows, m_unknownKeys, m_language, m_fs, m_sources.choice());
    return AcceptStep(m_rows, ListKind::Constants, m_language, m_fs,
                      WouldBe(mainFunctions, sourceFiles), mainConstants, &SortByIndex,
                      m_sources.choice(), LiteralStands());
}

}  // namespace korvexer
