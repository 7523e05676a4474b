// SPDX-License-Identifier: MIT
// The record file: its path, and the reader and writer of its three length-prefixed sections.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/list/row_layouts.h"
#include "core/list/row_list.h"
#include "core/platform/expected.h"
#include "core/platform/file_system.h"

namespace korvexer {

// The largest section length (body plus its two closing bytes) that the reader accepts.
constexpr std::size_t kRecordSectionLimit = 102409;
// The largest field of an entry: its length is stored in one byte.
constexpr std::size_t kRecordFieldLimit = 255;
// The index counter's value when no constant row has set it.
constexpr std::int32_t kFirstConstantIndex = 1024;

// The three lists a record file holds. Constant rows have five columns: index, type ("字符串" or
// "数值"), value, file, position. Function rows: number, function, substitute, file, position.
struct RecordLists {
    RowList constants{kMainColumnCount};
    RowList functions{kMainColumnCount};
    std::vector<std::string> sourceFiles;
};

// The result codes of ReadRecordFile.
enum class RecordReadResult : int {
    Complete = 0,
    CannotOpen = 1,  // the file exists but cannot be read
    Malformed = 2,   // a length line or a section is missing, malformed or runs past its section
    WrongMagic = 3,  // the first section does not begin with the magic
    Missing = 4,     // there is no such file
};

// The record path of an application path: the text before the last "." of its file name (the
// text after its last '\\', '/' or ':'), when that dot is not the name's first byte, followed by
// ".con"; else the whole path followed by ".con". A '\\' that is the second byte of a GBK
// character is no separator.
std::string RecordFilePath(const std::string& applicationPath);

// The bytes of a record file holding `lists`. Refused, naming the list and row, when a field
// would exceed kRecordFieldLimit bytes or a section kRecordSectionLimit bytes.
Expected<std::string> AssembleRecordFile(const RecordLists& lists);

// Writes the record file of `lists` to `path`, replacing it as a whole. A refused assembly (see
// AssembleRecordFile) or a failed write leaves the file on disk as it was.
Status WriteRecordFile(FileSystem& fs, const std::string& path, const RecordLists& lists);

// Reads the record file `path` section by section and appends its rows to `lists` (which are not
// cleared); every constant row sets `indexCounter` to its index. Rows read before a fault stay in
// the lists. Never reads past a section: a stored length that runs past it ends the read with
// Malformed.
RecordReadResult ReadRecordFile(FileSystem& fs, const std::string& path, RecordLists& lists,
                                std::int32_t& indexCounter);

}  // namespace korvexer
