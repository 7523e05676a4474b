// SPDX-License-Identifier: MIT
// The merge of the record's constant rows, by hash indexes so that it grows with the rows only.
#include "core/constants/constant_merge.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <unordered_map>
#include <utility>
#include <vector>

#include "core/list/list_texts.h"
#include "core/list/row_layouts.h"
#include "core/platform/c_number.h"
#include "core/platform/text_trim.h"

namespace korvexer {

namespace {

// Views of two texts of a row. They stay valid while the merge runs: it changes other columns
// and appends rows, and appending moves each row's column array whole.
using TextPair = std::pair<std::string_view, std::string_view>;
static_assert(std::is_nothrow_move_constructible_v<Row>, "rows must move without copying texts");

struct PairHash {
    std::size_t operator()(const TextPair& pair) const {
        const std::size_t first = std::hash<std::string_view>()(pair.first);
        return first ^ (std::hash<std::string_view>()(pair.second) + 0x9e3779b97f4a7c15ULL +
                        (first << 6) + (first >> 2));
    }
};

int DialogImage(std::string_view type) {
    return type == texts::kTypeString ? kStringImage : kNumericImage;
}

long LineOf(std::string_view position) {
    return CAtoi(position);
}

class Merger {
public:
    explicit Merger(RowList& rows) : m_rows(rows), m_taken(rows.size(), false) {
        m_byPlace.reserve(rows.size());
        for (std::size_t row = 0; row < rows.size(); ++row) {
            const std::string& file = rows.Text(row, kStepFile);
            m_byPlace.emplace(TextPair{file, rows.Text(row, kStepPosition)}, row);
            if (rows.Text(row, kStepState) == texts::kStateUnknown)
                m_calls[TextPair{file, rows.Text(row, kStepKey)}].push_back(row);
        }
    }

    void Merge(const RowList& record) {
        // First the calls, which tell how far each file's lines moved; then the rest, at their
        // places moved as far as the calls around them.
        std::vector<std::size_t> rest;
        for (std::size_t entry = 0; entry < record.size(); ++entry) {
            const std::string file = TrimTrailingBlanks(record.Text(entry, kMainFile));
            const std::string position = TrimTrailingBlanks(record.Text(entry, kMainPosition));
            std::optional<std::size_t> match;
            if (file.empty() || position.empty())
                match = FirstWithIndex(record.Text(entry, kMainKey));
            else if ((match = CallOf(file, record.Text(entry, kMainKey), position)))
                m_shifts[file].emplace_back(
                    LineOf(position),
                    LineOf(m_rows.Text(*match, kStepPosition)) - LineOf(position));
            if (match)
                Take(*match, record, entry);
            else
                rest.push_back(entry);
        }
        for (auto& [file, shifts] : m_shifts) std::sort(shifts.begin(), shifts.end());
        for (std::size_t entry : rest) {
            const std::string file = TrimTrailingBlanks(record.Text(entry, kMainFile));
            std::string position = TrimTrailingBlanks(record.Text(entry, kMainPosition));
            if (!file.empty() && !position.empty()) {
                const std::string recorded = std::move(position);
                std::string below;
                std::tie(position, below) = Moved(file, recorded);
                std::optional<std::size_t> match;
                const std::string* places[] = {&position, &below, &recorded};
                for (const std::string* place : places)
                    if (!match) match = LiteralAt(file, record, entry, *place);
                if (match) {
                    Take(*match, record, entry);
                    continue;
                }
            }
            const std::string& index = record.Text(entry, kMainKey);
            const std::string& type = record.Text(entry, kMainName);
            const std::size_t row =
                m_rows.Append({index, type, record.Text(entry, kMainValue),
                               std::string(texts::kStateReplace), file, std::move(position)},
                              DialogImage(type));
            m_taken.push_back(true);
            if (m_byIndex) (*m_byIndex)[index].insert(row);
        }
    }

private:
    std::size_t Distance(std::size_t row, long line) const {
        return static_cast<std::size_t>(std::labs(LineOf(m_rows.Text(row, kStepPosition)) - line));
    }

    // Cases 1 and 2: the accessor call of `index` in `file`, at `position` or nearest its line.
    std::optional<std::size_t> CallOf(const std::string& file, const std::string& index,
                                      const std::string& position) const {
        auto calls = m_calls.find(TextPair{file, index});
        if (calls == m_calls.end()) return std::nullopt;
        const long line = LineOf(position);
        std::optional<std::size_t> best;
        for (std::size_t row : calls->second) {
            if (m_taken[row]) continue;
            if (m_rows.Text(row, kStepPosition) == position) return row;
            if (!best || Distance(row, line) < Distance(*best, line)) best = row;
        }
        return best;
    }

    // `position` of `file` moved by as many lines as the call recorded nearest above it moved, and
    // as the nearest below it (the two differ where lines were inserted between them); as it is
    // when no call of the file was found.
    std::pair<std::string, std::string> Moved(const std::string& file,
                                              const std::string& position) const {
        auto shifts = m_shifts.find(file);
        if (shifts == m_shifts.end() || shifts->second.empty()) return {position, position};
        const long line = LineOf(position);
        const auto& list = shifts->second;
        auto after = std::upper_bound(list.begin(), list.end(), std::make_pair(line, LONG_MAX));
        const long above = after == list.begin() ? after->second : std::prev(after)->second;
        const long below = after == list.end() ? above : after->second;
        const std::size_t colon = position.find(':');
        const std::string column =
            colon == std::string::npos ? std::string() : position.substr(colon);
        return {std::to_string(line + above) + column, std::to_string(line + below) + column};
    }

    // Case 3: a literal of the record row's type and value at `position` of `file`.
    std::optional<std::size_t> LiteralAt(const std::string& file, const RowList& record,
                                         std::size_t entry, const std::string& position) const {
        auto atPlace = m_byPlace.find(TextPair{file, position});
        if (atPlace == m_byPlace.end()) return std::nullopt;
        const std::size_t row = atPlace->second;
        if (m_taken[row] || m_rows.Text(row, kStepState) == texts::kStateUnknown ||
            m_rows.Text(row, kStepName) != record.Text(entry, kMainName) ||
            m_rows.Text(row, kStepValue) != record.Text(entry, kMainValue))
            return std::nullopt;
        return row;
    }

    // A record row without a place: the first row not taken that shows its index. Such rows are
    // rare, so the index by index number is made when the first one comes.
    std::optional<std::size_t> FirstWithIndex(const std::string& index) {
        if (!m_byIndex) {
            m_byIndex.emplace();
            m_byIndex->reserve(m_rows.size());
            for (std::size_t row = 0; row < m_rows.size(); ++row)
                (*m_byIndex)[m_rows.Text(row, kStepKey)].insert(row);
        }
        auto found = m_byIndex->find(index);
        if (found == m_byIndex->end()) return std::nullopt;
        for (std::size_t row : found->second)
            if (!m_taken[row]) return row;
        return std::nullopt;
    }

    void Take(std::size_t row, const RowList& record, std::size_t entry) {
        const std::string& index = record.Text(entry, kMainKey);
        const std::string& type = record.Text(entry, kMainName);
        const std::string& value = record.Text(entry, kMainValue);
        m_taken[row] = true;
        // A call keeps its index text untouched: the index of calls holds views of it.
        if (const std::string oldIndex = m_rows.Text(row, kStepKey); oldIndex != index) {
            if (m_byIndex) {
                (*m_byIndex)[oldIndex].erase(row);
                (*m_byIndex)[index].insert(row);
            }
            m_rows.SetText(row, kStepKey, index);
        }
        m_rows.SetText(row, kStepName, type);
        m_rows.SetText(row, kStepValue, value);
        m_rows.SetText(row, kStepState, std::string(texts::kStateReplace));
        m_rows.SetImage(row, DialogImage(type));
    }

    RowList& m_rows;
    std::vector<bool> m_taken;
    std::unordered_map<TextPair, std::size_t, PairHash> m_byPlace;  // the first row of a place
    std::unordered_map<TextPair, std::vector<std::size_t>, PairHash> m_calls;  // by file, index
    // Per file: each call's recorded line and how far the scan found it moved, by line.
    std::unordered_map<std::string, std::vector<std::pair<long, long>>> m_shifts;
    std::optional<std::unordered_map<std::string, std::set<std::size_t>>> m_byIndex;
};

}  // namespace

void MergeConstantRecord(RowList& rows, const RowList& record) {
    if (!record.empty()) Merger(rows).Merge(record);
}

}  // namespace korvexer
