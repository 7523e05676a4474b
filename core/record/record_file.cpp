// SPDX-License-Identifier: MIT
// The record file's path rule, writer and reader.
#include "core/record/record_file.h"

#include <string_view>

#include "core/list/list_texts.h"
#include "core/platform/c_number.h"
#include "core/platform/gbk_text.h"

namespace korvexer {

namespace {

constexpr std::string_view kMagic = "EXCHANGEVAR_VER1";
constexpr std::string_view kSectionEnd = "\r\r";
constexpr std::size_t kEntryFields = 5;
// Three sections of the largest length fit many times over; only length lines padded with
// thousands of leading zeros could need more, and no writer makes those.
constexpr std::size_t kRecordReadLimit = std::size_t{16} << 20;

const char* const kConstantFields[kEntryFields] = {"index", "type", "value", "file", "position"};
const char* const kFunctionFields[kEntryFields] = {"number", "function", "substitute", "file",
                                                   "position"};

// Appends one section: its length line, its body and the closing bytes. Refused when the reader
// would not accept its length; `overflowRow` names the row that made it too long.
Status AppendSection(std::string& out, const std::string& body, const std::string& listName,
                     const std::string& overflowRow) {
    const std::size_t length = body.size() + kSectionEnd.size();
    if (length > kRecordSectionLimit)
        return Error{"the " + listName + " needs " + std::to_string(length) + " bytes from " +
                         overflowRow + " on; the record holds at most " +
                         std::to_string(kRecordSectionLimit) + " bytes per list",
                     {},
                     ErrorKind::RecordLimit};
    out += std::to_string(length);
    out += kSectionEnd;
    out += body;
    out += kSectionEnd;
    return Status::Ok();
}

// Appends the entries of a five-column list; records the first row past the section limit.
Status AppendEntries(std::string& body, const RowList& rows, bool mapType, const char* rowName,
                     const char* const fieldNames[kEntryFields], std::string& overflowRow) {
    for (std::size_t row = 0; row < rows.size(); ++row) {
        std::string fields[kEntryFields];
        for (std::size_t i = 0; i < kEntryFields; ++i) fields[i] = rows.Text(row, i);
        if (mapType) fields[1] = fields[1] == texts::kTypeString ? "2" : "1";
        for (std::size_t i = 0; i < kEntryFields; ++i)
            if (fields[i].size() > kRecordFieldLimit)
                return Error{std::string(rowName) + " row " + std::to_string(row + 1) + ": the " +
                                 fieldNames[i] + " is " + std::to_string(fields[i].size()) +
                                 " bytes; the record holds at most " +
                                 std::to_string(kRecordFieldLimit),
                             {},
                             ErrorKind::RecordLimit};
        for (const std::string& field : fields) body += static_cast<char>(field.size());
        for (const std::string& field : fields) body += field;
        if (overflowRow.empty() && body.size() + kSectionEnd.size() > kRecordSectionLimit)
            overflowRow = std::string(rowName) + " row " + std::to_string(row + 1);
    }
    return Status::Ok();
}

// Reads the record's bytes section by section; every read is checked against the section's end.
class RecordReader {
public:
    RecordReader(std::string_view bytes, RecordLists& lists, std::int32_t& indexCounter)
        : m_bytes(bytes), m_lists(lists), m_indexCounter(indexCounter) {}

    RecordReadResult Read() {
        std::string_view section;
        if (!NextSection(section)) return RecordReadResult::Malformed;
        if (section.substr(0, kMagic.size()) != kMagic) return RecordReadResult::WrongMagic;
        if (!ReadEntries(section, kMagic.size(), true)) return RecordReadResult::Malformed;
        if (!NextSection(section) || !ReadEntries(section, 0, false))
            return RecordReadResult::Malformed;
        if (!NextSection(section) || !ReadSourceFiles(section)) return RecordReadResult::Malformed;
        return RecordReadResult::Complete;
    }

private:
    // A length line (digits, then CR CR) and the section of that many bytes after it.
    bool NextSection(std::string_view& section) {
        std::size_t length = 0;
        for (;;) {
            if (m_offset >= m_bytes.size()) return false;
            const char byte = m_bytes[m_offset++];
            if (byte >= '0' && byte <= '9') {
                if (length > kRecordSectionLimit / 10) return false;
                length = length * 10 + static_cast<std::size_t>(byte - '0');
                continue;
            }
            if (byte != '\r' || m_offset >= m_bytes.size() || m_bytes[m_offset] != '\r')
                return false;
            ++m_offset;
            break;
        }
        if (length > m_bytes.size() - m_offset) return false;
        section = m_bytes.substr(m_offset, length);
        m_offset += length;
        return true;
    }

    // The body is the section without its two closing bytes; no entry may pass its end.
    static std::string_view Body(std::string_view section) {
        return section.substr(0, section.size() >= 2 ? section.size() - 2 : 0);
    }

    // Five length bytes, then the five fields; false when they run past the body.
    static bool ReadEntry(std::string_view body, std::size_t& offset,
                          std::string (&fields)[kEntryFields]) {
        if (body.size() - offset < kEntryFields) return false;
        std::size_t lengths[kEntryFields];
        std::size_t total = 0;
        for (std::size_t i = 0; i < kEntryFields; ++i) {
            lengths[i] = static_cast<unsigned char>(body[offset + i]);
            total += lengths[i];
        }
        offset += kEntryFields;
        if (body.size() - offset < total) return false;
        for (std::size_t i = 0; i < kEntryFields; ++i) {
            fields[i] = std::string(body.substr(offset, lengths[i]));
            offset += lengths[i];
        }
        return true;
    }

    bool ReadEntries(std::string_view section, std::size_t offset, bool constants) {
        const std::string_view body = Body(section);
        while (offset < body.size()) {
            std::string fields[kEntryFields];
            if (!ReadEntry(body, offset, fields)) return false;
            if (constants) {
                m_indexCounter = CAtoi(fields[0]);
                fields[1] =
                    std::string(CAtoi(fields[1]) == 2 ? texts::kTypeString : texts::kTypeNumber);
                m_lists.constants.Append({fields, fields + kEntryFields}, 0);
            } else {
                m_lists.functions.Append({fields, fields + kEntryFields}, 0);
            }
        }
        return true;
    }

    bool ReadSourceFiles(std::string_view section) {
        const std::string_view body = Body(section);
        std::size_t offset = 0;
        while (offset < body.size()) {
            const std::size_t length = static_cast<unsigned char>(body[offset++]);
            if (body.size() - offset < length) return false;
            m_lists.sourceFiles.emplace_back(body.substr(offset, length));
            offset += length;
        }
        return true;
    }

    std::string_view m_bytes;
    std::size_t m_offset = 0;
    RecordLists& m_lists;
    std::int32_t& m_indexCounter;
};

}  // namespace

std::string RecordFilePath(const std::string& applicationPath) {
    // A dot of a folder's name is no extension: cutting there would put the record outside the
    // application's folder, shared by every checkout whose folder names begin alike.
    const std::size_t separator = gbk::FindLastOf(applicationPath, "\\/:");
    const std::size_t nameStart = separator == std::string::npos ? 0 : separator + 1;
    const std::size_t dot = applicationPath.rfind('.');
    if (dot != std::string::npos && dot > nameStart) return applicationPath.substr(0, dot) + ".con";
    return applicationPath + ".con";
}

Expected<std::string> AssembleRecordFile(const RecordLists& lists) {
    std::string out;
    std::string overflowRow;

    std::string body(kMagic);
    if (Status status =
            AppendEntries(body, lists.constants, true, "constant", kConstantFields, overflowRow);
        !status)
        return status.error();
    if (Status status = AppendSection(out, body, "constant list", overflowRow); !status)
        return status.error();

    body.clear();
    overflowRow.clear();
    if (Status status =
            AppendEntries(body, lists.functions, false, "function", kFunctionFields, overflowRow);
        !status)
        return status.error();
    if (Status status = AppendSection(out, body, "function list", overflowRow); !status)
        return status.error();

    body.clear();
    overflowRow.clear();
    for (std::size_t i = 0; i < lists.sourceFiles.size(); ++i) {
        const std::string& path = lists.sourceFiles[i];
        if (path.size() > kRecordFieldLimit)
            return Error{"source file " + std::to_string(i + 1) + ": the path is " +
                             std::to_string(path.size()) + " bytes; the record holds at most " +
                             std::to_string(kRecordFieldLimit),
                         {},
                         ErrorKind::RecordLimit};
        body += static_cast<char>(path.size());
        body += path;
        if (overflowRow.empty() && body.size() + kSectionEnd.size() > kRecordSectionLimit)
            overflowRow = "source file " + std::to_string(i + 1);
    }
    if (Status status = AppendSection(out, body, "source-file list", overflowRow); !status)
        return status.error();
    return out;
}

Status WriteRecordFile(FileSystem& fs, const std::string& path, const RecordLists& lists) {
    Expected<std::string> bytes = AssembleRecordFile(lists);
    if (!bytes) {
        Error error = bytes.error();
        error.message += "; the record file was left as it was";
        error.path = path;
        return error;
    }
    return ReplaceFile(fs, path, *bytes);
}

RecordReadResult ReadRecordFile(FileSystem& fs, const std::string& path, RecordLists& lists,
                                std::int32_t& indexCounter) {
    if (!fs.Exists(path)) return RecordReadResult::Missing;
    Expected<FileContent> content = fs.Read(path, kRecordReadLimit);
    if (!content) return RecordReadResult::CannotOpen;
    return RecordReader(content->bytes, lists, indexCounter).Read();
}

}  // namespace korvexer
