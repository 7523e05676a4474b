// SPDX-License-Identifier: MIT
// The merge of the record's function rows, by hash indexes so that it grows with the rows only.
#include "core/functions/function_merge.h"

#include <cstdint>
#include <functional>
#include <iterator>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "core/list/list_texts.h"
#include "core/list/row_layouts.h"
#include "core/platform/c_number.h"

namespace korvexer {

namespace {

std::string KeyOf(std::string_view first, std::string_view second) {
    std::string key(first);
    key += '\0';
    key += second;
    return key;
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
            const std::string& position = rows.Text(row, kStepPosition);
            m_byPlace.emplace(KeyOf(file, position), row);
            if (rows.Text(row, kStepState) == texts::kStateUnknown)
                m_calls[KeyOf(file, rows.Text(row, kStepValue))].emplace(LineOf(position), row);
        }
    }

    void Merge(const RowList& record) {
        for (std::size_t entry = 0; entry < record.size(); ++entry) {
            const std::string& name = record.Text(entry, kMainName);
            const std::string& substitute = record.Text(entry, kMainValue);
            const std::string& file = record.Text(entry, kMainFile);
            const std::string& position = record.Text(entry, kMainPosition);

            std::optional<std::size_t> match = CallOf(file, substitute, position);
            if (!match) match = PlainCallAt(file, position, name);
            if (match) {
                m_taken[*match] = true;
                m_rows.SetText(*match, kStepName, name);
                m_rows.SetText(*match, kStepValue, substitute);
                m_rows.SetText(*match, kStepState, std::string(texts::kStateReplace));
                continue;
            }
            m_rows.Append({std::to_string(m_rows.size() + 1), name, substitute,
                           std::string(texts::kStateReplace), file, position});
            m_taken.push_back(true);
        }
    }

private:
    using Calls = std::set<std::pair<long, std::size_t>>;  // by line, the rows not taken

    // Cases 1 and 2: the "未知" call of `substitute` in `file`, at `position` or nearest its line.
    std::optional<std::size_t> CallOf(const std::string& file, const std::string& substitute,
                                      const std::string& position) {
        auto found = m_calls.find(KeyOf(file, substitute));
        if (found == m_calls.end() || found->second.empty()) return std::nullopt;
        Calls& calls = found->second;
        auto take = [&](Calls::iterator call) {
            const std::size_t row = call->second;
            calls.erase(call);
            return row;
        };
        if (auto atPlace = m_byPlace.find(KeyOf(file, position)); atPlace != m_byPlace.end()) {
            const std::size_t row = atPlace->second;
            auto call = calls.find({LineOf(position), row});
            if (call != calls.end()) return take(call);
        }
        const long line = LineOf(position);
        auto after = calls.lower_bound({line, 0});
        if (after == calls.begin()) return take(after);
        auto before = std::prev(after);
        if (after == calls.end() || line - before->first <= after->first - line)
            return take(before);
        return take(after);
    }

    // Case 3: the call at `position` in `file`, when it is a call of `name` not taken yet.
    std::optional<std::size_t> PlainCallAt(const std::string& file, const std::string& position,
                                           const std::string& name) const {
        auto found = m_byPlace.find(KeyOf(file, position));
        if (found == m_byPlace.end()) return std::nullopt;
        const std::size_t row = found->second;
        if (m_taken[row] || m_rows.Text(row, kStepState) == texts::kStateUnknown ||
            m_rows.Text(row, kStepName) != name)
            return std::nullopt;
        return row;
    }

    RowList& m_rows;
    std::vector<bool> m_taken;
    std::unordered_map<std::string, std::size_t> m_byPlace;  // the first row of each place
    std::unordered_map<std::string, Calls> m_calls;          // by file and substitute
};

}  // namespace

void MergeFunctionRecord(RowList& rows, const RowList& record) {
    if (record.empty()) return;
    Merger(rows).Merge(record);
}

}  // namespace korvexer
