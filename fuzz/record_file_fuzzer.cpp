// SPDX-License-Identifier: MIT
// Fuzz target: the record reader on any bytes, and the writer and reader round trip of any rows.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include <fuzzer/FuzzedDataProvider.h>

#include "core/list/list_texts.h"
#include "core/record/record_file.h"

using namespace korvexer;

namespace {

const std::string& ScratchFile() {
    static const std::string path = [] {
        char pattern[] = "/tmp/korvexer-fuzz-record-XXXXXX";
        int descriptor = ::mkstemp(pattern);
        if (descriptor < 0) std::abort();
        ::close(descriptor);
        return std::string(pattern);
    }();
    return path;
}

void Store(const std::string& bytes) {
    FILE* file = std::fopen(ScratchFile().c_str(), "wb");
    if (file == nullptr) std::abort();
    if (std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) std::abort();
    std::fclose(file);
}

std::size_t FieldBytes(const RecordLists& lists) {
    std::size_t total = 0;
    for (const RowList* rows : {&lists.constants, &lists.functions})
        for (const Row& row : rows->rows())
            for (std::size_t column = 0; column < row.columns.size(); ++column)
                if (rows == &lists.functions || column != 1) total += row.columns[column].size();
    for (const std::string& path : lists.sourceFiles) total += path.size();
    return total;
}

bool SameRows(const RowList& a, const RowList& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t row = 0; row < a.size(); ++row)
        for (std::size_t column = 0; column < a.ColumnCount(); ++column)
            if (a.Text(row, column) != b.Text(row, column)) return false;
    return true;
}

// Any bytes: a result code, never a crash, and no field byte that the file did not hold. What was
// read completely assembles into a file that reads back the same.
void ReadAnyBytes(const std::string& bytes) {
    Store(bytes);
    RecordLists lists;
    std::int32_t counter = kFirstConstantIndex;
    const RecordReadResult result =
        ReadRecordFile(FileSystem::Real(), ScratchFile(), lists, counter);
    if (result == RecordReadResult::Missing || result == RecordReadResult::CannotOpen) std::abort();
    if (FieldBytes(lists) > bytes.size()) std::abort();
    if (result != RecordReadResult::Complete) return;

    Expected<std::string> again = AssembleRecordFile(lists);
    if (!again) return;  // types shown as words may grow past the section limit when written
    Store(*again);
    RecordLists reread;
    std::int32_t rereadCounter = kFirstConstantIndex;
    if (ReadRecordFile(FileSystem::Real(), ScratchFile(), reread, rereadCounter) !=
        RecordReadResult::Complete)
        std::abort();
    if (!SameRows(lists.constants, reread.constants) ||
        !SameRows(lists.functions, reread.functions) || lists.sourceFiles != reread.sourceFiles ||
        counter != rereadCounter)
        std::abort();
}

// Any rows: the writer either refuses them or writes a file that gives every field back.
void WriteAnyRows(FuzzedDataProvider& input) {
    RecordLists lists;
    const std::size_t rows = input.ConsumeIntegralInRange<std::size_t>(0, 12);
    for (std::size_t i = 0; i < rows && input.remaining_bytes() > 0; ++i) {
        std::vector<std::string> columns;
        for (int column = 0; column < 5; ++column)
            columns.push_back(input.ConsumeRandomLengthString(300));
        if (input.ConsumeBool())
            lists.constants.Append(std::move(columns));
        else
            lists.functions.Append(std::move(columns));
        if (input.ConsumeBool()) lists.sourceFiles.push_back(input.ConsumeRandomLengthString(300));
    }
    Expected<std::string> bytes = AssembleRecordFile(lists);
    if (!bytes) return;
    Store(*bytes);
    RecordLists read;
    std::int32_t counter = kFirstConstantIndex;
    if (ReadRecordFile(FileSystem::Real(), ScratchFile(), read, counter) !=
        RecordReadResult::Complete)
        std::abort();
    // The writer keeps "字符串" and maps every other type to the number type.
    for (std::size_t row = 0; row < lists.constants.size(); ++row)
        if (lists.constants.Text(row, 1) != texts::kTypeString)
            lists.constants.SetText(row, 1, std::string(texts::kTypeNumber));
    if (!SameRows(lists.constants, read.constants) || !SameRows(lists.functions, read.functions) ||
        lists.sourceFiles != read.sourceFiles)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ReadAnyBytes(std::string(reinterpret_cast<const char*>(data), size));
    FuzzedDataProvider input(data, size);
    WriteAnyRows(input);
    return 0;
}
