// SPDX-License-Identifier: MIT
// The INI reader and writer with the private-profile rules of the original platform.
#include "core/platform/profile_store.h"

#include <vector>

#include "core/platform/gbk_text.h"
#include "core/platform/text_trim.h"

namespace korvexer {

namespace {

enum class LineKind { Other, Section, Key };

// One line of the file: where it is, what it is, and the name or value it holds.
struct IniLine {
    std::size_t start = 0;
    std::size_t end = 0;       // end of the text, before the line break
    std::size_t nextLine = 0;  // after the line break
    LineKind kind = LineKind::Other;
    std::string_view name;   // section or key name, trimmed
    std::string_view value;  // key value, trimmed and unquoted
    std::size_t equals = 0;  // position of '=' of a key line
};

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view TrimSpaces(std::string_view text) {
    return TrimBytes(text, " ");
}

// The first write of the settings often comes on an account that has never run the program, whose
// configuration folder does not exist yet.
Status CreateFolderOf(FileSystem& fs, const std::string& path) {
    const std::string folder = DirectoryOf(path);
    if (folder.empty() || fs.Exists(folder)) return Status::Ok();
    return fs.CreateDirectories(folder);
}

std::string_view Unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

IniLine Classify(std::string_view content, std::size_t start, std::size_t end, std::size_t next) {
    IniLine line;
    line.start = start;
    line.end = end;
    line.nextLine = next;
    std::string_view text = content.substr(start, end - start);
    std::size_t first = 0;
    while (first < text.size() && IsBlank(text[first])) ++first;
    if (first == text.size()) return line;
    if (text[first] == '[') {
        std::string_view inside = text.substr(first + 1);
        std::size_t close = gbk::Find(inside, ']');
        if (close != std::string_view::npos) inside = inside.substr(0, close);
        line.kind = LineKind::Section;
        line.name = TrimBytes(inside, " \t");
        return line;
    }
    if (text[first] == ';') return line;
    std::size_t equals = text.find('=');
    if (equals == std::string_view::npos) return line;
    line.kind = LineKind::Key;
    line.name = TrimBytes(text.substr(0, equals), " \t");
    line.value = Unquote(TrimBytes(text.substr(equals + 1), " \t\v"));
    line.equals = start + equals;
    return line;
}

std::vector<IniLine> SplitLines(std::string_view content) {
    std::vector<IniLine> lines;
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t end = content.find_first_of("\r\n", start);
        std::size_t next;
        if (end == std::string_view::npos) {
            end = next = content.size();
        } else {
            next = end + 1;
            if (content[end] == '\r' && next < content.size() && content[next] == '\n') ++next;
        }
        lines.push_back(Classify(content, start, end, next));
        start = next;
    }
    return lines;
}

// Index of the header of the first section named `section`, or -1.
long FindSection(const std::vector<IniLine>& lines, std::string_view section) {
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i].kind == LineKind::Section && gbk::EqualsNoCase(lines[i].name, section))
            return static_cast<long>(i);
    return -1;
}

// The first key line named `key` in the section whose header is `header`, or -1.
long FindKey(const std::vector<IniLine>& lines, long header, std::string_view key) {
    for (std::size_t i = static_cast<std::size_t>(header) + 1; i < lines.size(); ++i) {
        if (lines[i].kind == LineKind::Section) break;
        if (lines[i].kind == LineKind::Key && gbk::EqualsNoCase(lines[i].name, key))
            return static_cast<long>(i);
    }
    return -1;
}

std::string RightTrimSpaces(std::string_view text) {
    return std::string(TrimBytesRight(text, " "));
}

bool EndsWithLineBreak(const std::string& content) {
    return !content.empty() && (content.back() == '\n' || content.back() == '\r');
}

}  // namespace

ProfileStore::ProfileStore(FileSystem& fs, std::string path) : m_fs(fs), m_path(std::move(path)) {}

std::string ProfileStore::GetString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue) const {
    Expected<FileContent> content = m_fs.Read(m_path);
    if (!content) return RightTrimSpaces(defaultValue);
    std::vector<IniLine> lines = SplitLines(content->bytes);
    long header = FindSection(lines, TrimSpaces(section));
    if (header < 0) return RightTrimSpaces(defaultValue);
    long found = FindKey(lines, header, TrimSpaces(key));
    if (found < 0) return RightTrimSpaces(defaultValue);
    return std::string(lines[static_cast<std::size_t>(found)].value);
}

std::int32_t ProfileStore::GetInt(std::string_view section, std::string_view key,
                                  std::int32_t defaultValue) const {
    // A marker no stored value can hold (it contains a line break) tells a missing key apart.
    std::string value = GetString(section, key, "\n");
    if (value == "\n" || value.empty()) return defaultValue;
    std::size_t i = 0;
    bool negative = false;
    if (value[i] == '-' || value[i] == '+') negative = value[i++] == '-';
    std::uint32_t number = 0;
    if (i + 1 < value.size() && value[i] == '0' && (value[i + 1] == 'x' || value[i + 1] == 'X')) {
        for (i += 2; i < value.size(); ++i) {
            char c = value[i];
            int digit = c >= '0' && c <= '9'   ? c - '0'
                        : c >= 'a' && c <= 'f' ? c - 'a' + 10
                        : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                               : -1;
            if (digit < 0) break;
            number = number * 16u + static_cast<std::uint32_t>(digit);
        }
    } else {
        for (; i < value.size() && value[i] >= '0' && value[i] <= '9'; ++i)
            number = number * 10u + static_cast<std::uint32_t>(value[i] - '0');
    }
    if (negative) number = 0u - number;
    return static_cast<std::int32_t>(number);
}

Status ProfileStore::WriteString(std::string_view section, std::string_view key,
                                 std::string_view value) {
    if (value.find_first_of("\r\n") != std::string_view::npos)
        return Error{"a settings value cannot hold a line break", m_path,
                     ErrorKind::LineBreakInText};
    section = TrimSpaces(section);
    key = TrimSpaces(key);
    if (key.empty())
        return Error{"a settings key cannot be empty", m_path, ErrorKind::LineBreakInText};
    // A line break in a name would write a line that reads back as something else.
    if (section.find_first_of("\r\n") != std::string_view::npos ||
        key.find_first_of("\r\n") != std::string_view::npos)
        return Error{"a settings section or key name cannot hold a line break", m_path,
                     ErrorKind::LineBreakInText};

    std::string content;
    const FileIdentity* expected = nullptr;
    FileIdentity identity;
    if (m_fs.Exists(m_path)) {
        Expected<FileContent> read = m_fs.Read(m_path);
        if (!read) return read.error();
        content = std::move(read->bytes);
        identity = read->identity;
        expected = &identity;
    } else if (Status folder = CreateFolderOf(m_fs, m_path); !folder) {
        return folder;
    }

    std::vector<IniLine> lines = SplitLines(content);
    std::string keyLine = std::string(key) + "=" + std::string(value);
    long header = FindSection(lines, section);
    if (header < 0) {
        if (!content.empty() && !EndsWithLineBreak(content)) content += "\r\n";
        content += "[" + std::string(section) + "]\r\n" + keyLine + "\r\n";
    } else if (long found = FindKey(lines, header, key); found >= 0) {
        const IniLine& line = lines[static_cast<std::size_t>(found)];
        content.replace(line.equals + 1, line.end - line.equals - 1, value);
    } else {
        // After the section's last key line, or right after its header when it has none.
        std::size_t after = static_cast<std::size_t>(header);
        for (std::size_t i = after + 1; i < lines.size() && lines[i].kind != LineKind::Section; ++i)
            if (lines[i].kind == LineKind::Key) after = i;
        const IniLine& line = lines[after];
        std::string inserted = keyLine + "\r\n";
        if (line.nextLine == line.end) inserted = "\r\n" + inserted;  // the file's last line
        content.insert(line.nextLine, inserted);
    }
    return ReplaceFile(m_fs, m_path, content, expected);
}

Status ProfileStore::WriteInt(std::string_view section, std::string_view key, std::int32_t value) {
    return WriteString(section, key, std::to_string(value));
}

}  // namespace korvexer
