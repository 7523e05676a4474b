// SPDX-License-Identifier: MIT
// Bad source files: binary, empty, at and past the read limit, lines at the length limit with
// two-byte characters and closing marks at the cut, invalid GBK, NUL bytes. Each is scanned, every
// listed constant applied and taken back, and the file must come back byte for byte.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>

#include "core/language/language_defaults.h"
#include "core/list/list_texts.h"
#include "core/platform/clock.h"
#include "core/rewrite/apply_list_to_sources.h"
#include "core/scanner/line_model.h"
#include "core/scanner/source_scanner.h"
#include "tests/support/round_trip.h"
#include "tests/support/test_support.h"

namespace korvexer {
namespace {

using test_support::ReadBytes;
using test_support::RoundTrip;
using test_support::RoundTripReport;
using test_support::TempDir;
using test_support::WriteBytes;

// Visual C++ with line feeds alone as line breaks, so that the file's own CR bytes are kept as
// ordinary bytes and a rewrite normalises nothing but a missing last line break.
LanguageDefinition LineFeedLanguage() {
    LanguageDefinition language = LoaderDefaults(0);
    language.carryreturn = {'\n', 0};
    return language;
}

std::string RandomBytes(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& byte : bytes) byte = static_cast<char>(random() & 0xFF);
    return bytes;
}

// Lines of assignments the scanner lists, `size` bytes in all, each line ending with "\n".
std::string Assignments(std::size_t size) {
    std::string text;
    for (int i = 0; text.size() < size; ++i) {
        std::string line = "v" + std::to_string(i) + " = " + std::to_string(i % 1000) + ";\n";
        if (i % 3 == 1)
            line = "s" + std::to_string(i) + " = \"\xD6\xD0\xCE\xC4 " + std::to_string(i) + "\";\n";
        text += line;
    }
    // Cut back to a whole line and pad with a comment line to the exact size.
    text.resize(text.rfind('\n', size - 12) + 1);
    text += "//" + std::string(size - text.size() - 3, '-') + "\n";
    return text;
}

RowList Scan(const std::string& path, const LanguageDefinition& language) {
    FixedClock clock(1700000000);
    SourceScanner scanner(FileSystem::Real(), language, clock);
    RowList rows;
    std::uint32_t counter = 1024;
    EXPECT_TRUE(scanner.ScanFile(rows, path, counter, ScanMode::Constants));
    return rows;
}

std::vector<std::string> PhysicalLines(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

struct Case {
    std::string name;
    std::string bytes;
    bool expectRows;
};

void ExpectRoundTrip(const Case& c, const LanguageDefinition& language) {
    TempDir dir;
    const std::string path = dir.File("bad.cpp");
    WriteBytes(path, c.bytes);
    RoundTripReport report = RoundTrip({path}, language);
    EXPECT_EQ(report.rows > 0, c.expectRows) << c.name << ": " << report.rows << " rows";
    for (const std::string& problem : report.problems) ADD_FAILURE() << c.name << ": " << problem;
    if (report.changedFiles == 0) {
        EXPECT_NE(::access((path + "~").c_str(), F_OK), 0) << c.name << ": backup of no change";
    }
}

TEST(BadSourceFiles, BinaryEmptyNulAndInvalidGbkComeBackWhole) {
    const Case cases[] = {
        {"empty file", "", false},
        {"binary", RandomBytes(64 * 1024, 11) + "\n", false},
        {"binary with assignments between",
         RandomBytes(4000, 12) + "\nn = 40;\n" + RandomBytes(4000, 13) + "\ns = \"x\";\n", true},
        {"NUL bytes in statements and strings",
         std::string("n = 40;\0\0 x\ns = \"a\0b\";\n\0\0\0\nm = 41;\n", 35), true},
        {"lead bytes before line breaks and quotes",
         "s = \"\xD6\";\nn = 40; \x81\nt = \"\xFE\"\xFE\";\nm = 41;\n", true},
        {"bytes no GBK table holds", "s = \"\x80\xFF\xFF\x80\";\nn = \xA1\x40 40;\nm = 7;\n", true},
    };
    for (const Case& c : cases) ExpectRoundTrip(c, LineFeedLanguage());
}

TEST(BadSourceFiles, FilesAroundTheReadLimitAndOfSeveralMegabytes) {
    const std::size_t sizes[] = {kSourceReadLimit - 1, kSourceReadLimit, kSourceReadLimit + 1,
                                 3 * 1024 * 1024};
    for (std::size_t size : sizes) {
        const std::string bytes = Assignments(size);
        ASSERT_EQ(bytes.size(), size);
        ExpectRoundTrip({std::to_string(size) + " bytes", bytes, true}, LineFeedLanguage());
    }

    // Only the first kSourceReadLimit bytes are scanned; a row past them is never listed.
    TempDir dir;
    const std::string path = dir.File("big.cpp");
    WriteBytes(path, Assignments(kSourceReadLimit) + "late = 99;\n");
    LineModel model = LoadSourceLines(FileSystem::Real(), path, {'\n', 0});
    EXPECT_FALSE(model.complete);
    EXPECT_EQ(model.bytes.size(), kSourceReadLimit);
    EXPECT_EQ(model.bytes.find("late"), std::string::npos);
}

TEST(BadSourceFiles, LinesAtTheLengthLimitWithCharactersAndClosingMarksAtTheCut) {
    // "中" is D6D0, "。" A1A3 and "，" A3AC are closing marks; '"' and ';' close too.
    const std::string kMarks[] = {"\xD6\xD0", "\xA1\xA3", "\xA3\xAC", "\"", ";", ")", "x"};
    const std::size_t kLengths[] = {5119, 5120, 5121, 5122};
    std::string file;
    for (std::size_t length : kLengths) {
        for (const std::string& mark : kMarks) {
            // A constant on the line's first piece, one on its second, and the mark at the cut.
            const std::string head = "n = 40; //";
            std::string line = head + std::string(length - head.size() - 1, '.');
            line.resize(std::min(line.size(), kSourceLineLimit - 1));
            while (line.size() < length - 1) line += "\xC4\xE3";
            line.resize(length - 1);
            line += mark + " m = 41;";
            file += line + "\n";
        }
    }
    TempDir dir;
    const std::string path = dir.File("long.cpp");
    WriteBytes(path, file);
    const LanguageDefinition language = LineFeedLanguage();
    LineModel model = LoadSourceLines(FileSystem::Real(), path, language.carryreturn);
    for (std::size_t i = 0; i < model.LineCount(); ++i)
        EXPECT_LE(model.lines[i].length, kSourceLineLimit + 2) << "line " << i + 1;

    // A replacement that makes a long line longer moves its cut, so the numbers of the lines
    // after it change; the steps scan again before they take rows back, and keep the value each
    // key stands for. That is done here.
    RowList applied = Scan(path, language);
    ASSERT_GT(applied.size(), 20u);
    std::map<std::string, std::size_t> rowOfKey;
    for (std::size_t row = 0; row < applied.size(); ++row) {
        applied.SetText(row, kStepState, std::string(texts::kStateReplace));
        rowOfKey[applied.Text(row, kStepKey)] = row;
    }
    Expected<ApplyOutcome> outcome =
        ApplyListToSources(applied, ListKind::Constants, language, FileSystem::Real());
    ASSERT_TRUE(outcome);
    ASSERT_EQ(outcome->changedFiles.size(), 1u);
    EXPECT_EQ(ReadBytes(path + "~"), file);

    RowList rescanned = Scan(path, language);
    RowList back;
    for (std::size_t row = 0; row < rescanned.size(); ++row) {
        auto known = rowOfKey.find(rescanned.Text(row, kStepKey));
        if (known == rowOfKey.end()) continue;
        std::vector<std::string> columns = applied[known->second].columns;
        columns[kStepState].clear();
        columns[kStepPosition] = rescanned.Text(row, kStepPosition);
        back.Append(std::move(columns));
        rowOfKey.erase(known);
    }
    EXPECT_GT(back.size(), 20u);
    ASSERT_TRUE(ApplyListToSources(back, ListKind::Constants, language, FileSystem::Real()));

    // A replacement that lengthens a long line moves its cut into the statement behind it,
    // which the next scan then no longer sees: such rows stay replaced. Every physical line
    // whose rows were all found again comes back byte for byte, and no other line changed.
    EXPECT_LE(rowOfKey.size(), std::size(kMarks) * std::size(kLengths));
    std::set<std::size_t> staying;
    for (const auto& [key, row] : rowOfKey) {
        const std::size_t entry = std::stoul(applied.Text(row, kStepPosition)) - 1;
        staying.insert(static_cast<std::size_t>(
            std::count(file.begin(), file.begin() + model.lines[entry].offset, '\n')));
    }
    const std::vector<std::string> before = PhysicalLines(file),
                                   after = PhysicalLines(ReadBytes(path));
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t line = 0; line < before.size(); ++line)
        if (!staying.count(line)) {
            EXPECT_TRUE(after[line] == before[line]) << "line " << line + 1;
        }
    EXPECT_LT(staying.size(), before.size() / 2 + 1);
}

TEST(BadSourceFiles, AFileCutInsideACharacterIsNotGrownByRewrites) {
    // The last byte starts a two-byte character the file lacks: a line break written after it
    // would be read as its second byte, so every rewrite would add one more.
    for (LineBreak lineBreak : {LineBreak{'\n', 0}, LineBreak{'\r', '\n'}}) {
        LanguageDefinition language = LoaderDefaults(0);
        language.carryreturn = lineBreak;
        std::string breakText(1, static_cast<char>(lineBreak.first));
        if (lineBreak.second != 0) breakText += static_cast<char>(lineBreak.second);
        const std::string file = "m = 41;" + breakText + "n = 40; \xBE";
        TempDir dir;
        const std::string path = dir.File("cut.cpp");
        WriteBytes(path, file);
        RowList rows;
        rows.Append({"7", std::string(texts::kTypeNumber), "41", std::string(texts::kStateReplace),
                     path, "1:4"});
        ASSERT_TRUE(ApplyListToSources(rows, ListKind::Constants, language, FileSystem::Real()));
        EXPECT_EQ(ReadBytes(path), "m = GetValueInt(7);//41" + breakText + "n = 40; \xBE");
        rows.SetText(0, kStepState, "");
        ASSERT_TRUE(ApplyListToSources(rows, ListKind::Constants, language, FileSystem::Real()));
        EXPECT_EQ(ReadBytes(path), file);
    }
}

TEST(BadSourceFiles, ANameWithANulByteNamesNoOtherFile) {
    TempDir dir;
    const std::string path = dir.File("a.cpp");
    WriteBytes(path, "n = 40;\n");
    // The system ends names at a NUL byte: "a.cpp\0~" would be a.cpp itself.
    const std::string named = path + std::string(1, '\0') + "x";
    EXPECT_FALSE(FileSystem::Real().Read(named));
    EXPECT_FALSE(ReplaceFile(FileSystem::Real(), path + std::string(1, '\0') + "~", "lost"));
    RowList rows;
    rows.Append({"1", std::string(texts::kTypeNumber), "40", std::string(texts::kStateReplace),
                 named, "1:4"});
    Expected<ApplyOutcome> outcome =
        ApplyListToSources(rows, ListKind::Constants, LineFeedLanguage(), FileSystem::Real());
    ASSERT_TRUE(outcome);
    ASSERT_EQ(outcome->unreadableFiles.size(), 1u);
    EXPECT_EQ(outcome->unreadableFiles[0].path, named);
    EXPECT_EQ(ReadBytes(path), "n = 40;\n");
    EXPECT_NE(::access((path + "~").c_str(), F_OK), 0);
}

}  // namespace
}  // namespace korvexer
