// SPDX-License-Identifier: MIT
// The merge of the record's constant rows, by hash indexes so that it grows with the rows only.
#include "core/constants/constant_merge.h"

#include <cstdlib>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>
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
            // A scan lists the rows of one file together: each run of them is one range.
            if (m_files.empty() || m_files.back().file != file) {
                m_fileRanges[file].push_back(m_files.size());
                m_files.push_back({file, row, row});
            }
            m_files.back().end = row + 1;
        }
    }

    void Merge(const RowList& record) {
        for (std::size_t entry = 0; entry < record.size(); ++entry) {
            const std::string& index = record.Text(entry, kMainKey);
            const std::string& type = record.Text(entry, kMainName);
            const std::string& value = record.Text(entry, kMainValue);
            const std::string file = TrimTrailingBlanks(record.Text(entry, kMainFile));
            const std::string position = TrimTrailingBlanks(record.Text(entry, kMainPosition));

            std::optional<std::size_t> match;
            if (!file.empty() && !position.empty()) {
                match = CallOf(file, index, position);
                if (!match) match = LiteralNear(file, type, value, position);
            } else {
                match = FirstWithIndex(index);
            }

            if (match) {
                Take(*match, index, type, value);
                continue;
            }
            const std::size_t row = m_rows.Append(
                {index, type, value, std::string(texts::kStateReplace), file, position},
                DialogImage(type));
            m_taken.push_back(true);
            if (m_byIndex) (*m_byIndex)[index].insert(row);
        }
    }

private:
    struct FileRange {
        std::string_view file;
        std::size_t begin;
        std::size_t end;
    };

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

    // Case 3: a literal of `type` and `value` in `file`, at `position` or nearest its line.
    std::optional<std::size_t> LiteralNear(const std::string& file, const std::string& type,
                                           const std::string& value,
                                           const std::string& position) const {
        auto fits = [&](std::size_t row) {
            return !m_taken[row] && m_rows.Text(row, kStepState) != texts::kStateUnknown &&
                   m_rows.Text(row, kStepName) == type && m_rows.Text(row, kStepValue) == value;
        };
        if (auto atPlace = m_byPlace.find(TextPair{file, position});
            atPlace != m_byPlace.end() && fits(atPlace->second))
            return atPlace->second;
        auto ranges = m_fileRanges.find(file);
        if (ranges == m_fileRanges.end()) return std::nullopt;
        const long line = LineOf(position);
        std::optional<std::size_t> best;
        for (std::size_t range : ranges->second)
            for (std::size_t row = m_files[range].begin; row < m_files[range].end; ++row)
                if (fits(row) && (!best || Distance(row, line) < Distance(*best, line))) best = row;
        return best;
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

    void Take(std::size_t row, const std::string& index, const std::string& type,
              const std::string& value) {
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
    std::vector<FileRange> m_files;
    std::unordered_map<std::string_view, std::vector<std::size_t>> m_fileRanges;
    std::optional<std::unordered_map<std::string, std::set<std::size_t>>> m_byIndex;
};

}  // namespace

void MergeConstantRecord(RowList& rows, const RowList& record) {
    if (!record.empty()) Merger(rows).Merge(record);
}

}  // namespace korvexer
