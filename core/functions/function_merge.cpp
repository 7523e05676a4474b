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
        // First every record row whose call stands at its place, so that none of them loses its
        // call to a moved row of the same substitute nearby; then the rest.
        std::vector<std::size_t> rest;
        for (std::size_t entry = 0; entry < record.size(); ++entry) {
            if (std::optional<std::size_t> match =
                    CallAt(record.Text(entry, kMainFile), record.Text(entry, kMainValue),
                           record.Text(entry, kMainPosition)))
                Take(*match, record, entry);
            else
                rest.push_back(entry);
        }
        for (std::size_t entry : rest) {
            const std::string& file = record.Text(entry, kMainFile);
            const std::string& position = record.Text(entry, kMainPosition);
            std::optional<std::size_t> match =
                CallNearest(file, record.Text(entry, kMainValue), position);
            if (!match) match = PlainCallAt(file, position, record.Text(entry, kMainName));
            if (match) {
                Take(*match, record, entry);
                continue;
            }
            m_rows.Append({std::to_string(m_rows.size() + 1), record.Text(entry, kMainName),
                           record.Text(entry, kMainValue), std::string(texts::kStateReplace), file,
                           position});
            m_taken.push_back(true);
        }
    }

private:
    using Calls = std::set<std::pair<long, std::size_t>>;  // by line, the rows not taken

    void Take(std::size_t row, const RowList& record, std::size_t entry) {
        m_taken[row] = true;
        m_rows.SetText(row, kStepName, record.Text(entry, kMainName));
        m_rows.SetText(row, kStepValue, record.Text(entry, kMainValue));
        m_rows.SetText(row, kStepState, std::string(texts::kStateReplace));
    }

    // Case 1: the "未知" call of `substitute` at `position` of `file`.
    std::optional<std::size_t> CallAt(const std::string& file, const std::string& substitute,
                                      const std::string& position) {
        auto found = m_calls.find(KeyOf(file, substitute));
        auto atPlace = m_byPlace.find(KeyOf(file, position));
        if (found == m_calls.end() || atPlace == m_byPlace.end()) return std::nullopt;
        auto call = found->second.find({LineOf(position), atPlace->second});
        if (call == found->second.end()) return std::nullopt;
        found->second.erase(call);
        return atPlace->second;
    }

    // Case 2: the "未知" call of `substitute` in `file` not taken yet nearest the line of
    // `position`.
    std::optional<std::size_t> CallNearest(const std::string& file, const std::string& substitute,
                                           const std::string& position) {
        auto found = m_calls.find(KeyOf(file, substitute));
        if (found == m_calls.end() || found->second.empty()) return std::nullopt;
        Calls& calls = found->second;
        auto take = [&](Calls::iterator call) {
            const std::size_t row = call->second;
            calls.erase(call);
            return row;
        };
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
