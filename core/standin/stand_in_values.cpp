// SPDX-License-Identifier: MIT
// Gathering a stand-in's values from a record: one value per index, one original per substitute.
#include "core/standin/stand_in_values.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <string_view>

#include "core/list/list_texts.h"
#include "core/platform/c_number.h"
#include "core/platform/gbk_text.h"
#include "core/scanner/file_encodings.h"

namespace korvexer {

namespace {

// The columns of a record's rows.
constexpr std::size_t kKey = 0, kType = 1, kValue = 2, kFile = 3, kPosition = 4;
constexpr std::size_t kFunction = 1, kSubstitute = 2;

const std::string& Column(const Row& row, std::size_t column) {
    static const std::string kNone;
    return column < row.columns.size() ? row.columns[column] : kNone;
}

std::string Where(const Row& row) {
    return Column(row, kFile) + " " + Column(row, kPosition);
}

// The index a key names: 1 to 2147483647 written in decimal digits, else nothing.
bool ReadIndex(std::string_view key, std::int32_t& index) {
    if (key.empty() || key.size() > 10) return false;
    std::int64_t value = 0;
    for (char byte : key) {
        if (byte < '0' || byte > '9') return false;
        value = value * 10 + (byte - '0');
    }
    if (value < 1 || value > INT32_MAX) return false;
    index = static_cast<std::int32_t>(value);
    return true;
}

class Gathering {
public:
    Gathering(FileSystem& fs, SourceEncoding choice, bool namesIgnoreCase)
        : m_fs(fs), m_choice(choice), m_files(fs, choice), m_ignoreCase(namesIgnoreCase) {}

    void AddConstant(const Row& row) {
        std::int32_t index = 0;
        if (!ReadIndex(Column(row, kKey), index)) {
            Warn("the constant " + Column(row, kKey) + " (" + Where(row) +
                 ") has no index above 0 and is left out");
            return;
        }
        const std::string& type = Column(row, kType);
        const std::string& value = Column(row, kValue);
        if (type == texts::kTypeString) {
            if (KeepFirst(m_strings, index, value, row))
                m_values.strings.push_back(
                    {index, value, EncodingOfFile(Column(row, kFile), value)});
        } else if (type == texts::kTypeNumber) {
            const std::int32_t number = CAtol(value);
            if (std::to_string(number) != value)
                Warn("the number " + value + " of index " + Column(row, kKey) + " (" + Where(row) +
                     ") is read as " + std::to_string(number));
            if (KeepFirst(m_numbers, index, value, row))
                m_values.numbers.push_back({index, number});
        } else {
            Warn("the constant " + Column(row, kKey) + " (" + Where(row) +
                 ") is neither a string nor a number and is left out");
        }
    }

    void AddFunction(const Row& row) {
        const std::string& name = Column(row, kSubstitute);
        const std::string& original = Column(row, kFunction);
        if (name.empty() || original.empty()) return;
        auto [known, added] = m_originals.emplace(Folded(name), original);
        if (added)
            m_values.substitutes.push_back({name, original});
        else if (Folded(known->second) != Folded(original))
            Warn(name + " stands for " + known->second + " and, at " + Where(row) + ", for " +
                 original + "; the stand-in maps it to " + known->second);
    }

    StandInValues Take() {
        auto byIndex = [](const auto& a, const auto& b) { return a.index < b.index; };
        std::stable_sort(m_values.strings.begin(), m_values.strings.end(), byIndex);
        std::stable_sort(m_values.numbers.begin(), m_values.numbers.end(), byIndex);
        std::stable_sort(m_values.substitutes.begin(), m_values.substitutes.end(),
                         [](const auto& a, const auto& b) { return a.name < b.name; });
        return std::move(m_values);
    }

private:
    // Whether `index` is new; a second value for it is named in a warning.
    bool KeepFirst(std::map<std::int32_t, std::string>& seen, std::int32_t index,
                   const std::string& value, const Row& row) {
        auto [known, added] = seen.emplace(index, value);
        if (!added && known->second != value)
            Warn("index " + Column(row, kKey) + " (" + Where(row) +
                 ") has another value than in an earlier row; the stand-in returns the first");
        return added;
    }

    TextEncoding EncodingOfFile(const std::string& path, std::string_view value) {
        if (!m_fs.Exists(path)) return EncodingOf(m_choice, value);
        return m_files.Of(path);
    }

    std::string Folded(const std::string& name) const {
        return m_ignoreCase ? gbk::ToLower(name) : name;
    }

    void Warn(std::string message) { m_values.warnings.push_back(std::move(message)); }

    FileSystem& m_fs;
    SourceEncoding m_choice;
    FileEncodings m_files;
    bool m_ignoreCase;
    StandInValues m_values;
    std::map<std::int32_t, std::string> m_strings, m_numbers;
    std::map<std::string, std::string> m_originals;  // by the folded substitute
};

}  // namespace

StandInValues GatherStandInValues(const RecordLists& record, FileSystem& fs, SourceEncoding choice,
                                  bool namesIgnoreCase) {
    Gathering gathering(fs, choice, namesIgnoreCase);
    for (const Row& row : record.constants.rows()) gathering.AddConstant(row);
    for (const Row& row : record.functions.rows()) gathering.AddFunction(row);
    return gathering.Take();
}

}  // namespace korvexer
