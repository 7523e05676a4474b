// SPDX-License-Identifier: MIT
// Tests of the scan drivers: a whole file in both modes, the file list, and bad input.
#include "core/scanner/source_scanner.h"

#include <gtest/gtest.h>

#include "core/language/language_defaults.h"
#include "core/list/list_texts.h"
#include "core/platform/path_case.h"
#include "tests/support/test_support.h"

namespace korvexer {
namespace {

using test_support::TempDir;
using test_support::WriteBytes;

const std::string kNumber(texts::kTypeNumber);
const std::string kString(texts::kTypeString);
const std::string kUnknown(texts::kStateUnknown);

std::vector<std::string> RowTexts(const RowList& rows) {
    std::vector<std::string> texts;
    for (const Row& row : rows.rows()) {
        std::string joined;
        for (const std::string& column : row.columns) joined += column + "|";
        texts.push_back(joined + "#" + std::to_string(row.image));
    }
    return texts;
}

using Texts = std::vector<std::string>;

TEST(ScanFile, WholeFileInBothModes) {
    TempDir dir;
    const std::string path = dir.File("main.cpp");
    WriteBytes(path,
               "#define N 5\r\n"
               "static int n = 3;\r\n"
               "int main()\r\n"
               "{\r\n"
               "    x = 10; // ten\r\n"
               "    s = \"hi\";\r\n"
               "    printf(\"%d\", x);\r\n"
               "    y = GetValueInt(1200);//7\r\n"
               "    return 0;\r\n"
               "}\r\n");
    const LanguageDefinition cpp = LoaderDefaults(0);
    FixedClock clock(0);  // steps of 271
    SourceScanner scanner(FileSystem::Real(), cpp, clock);

    RowList constants;
    std::uint32_t counter = 1024;
    ASSERT_TRUE(scanner.ScanFile(constants, path, counter, ScanMode::Constants).ok());
    EXPECT_EQ(RowTexts(constants),
              (Texts{
                  "1295|" + kNumber + "|10||" + path + "|5:8|#1",
                  "1566|" + kString + "|hi||" + path + "|6:8|#2",
                  "1200|" + kNumber + "|7|" + kUnknown + "|" + path + "|8:8|#1",
              }));
    EXPECT_EQ(counter, 1566u);

    RowList calls;
    counter = 1024;
    ASSERT_TRUE(scanner.ScanFile(calls, path, counter, ScanMode::Calls).ok());
    EXPECT_EQ(RowTexts(calls), (Texts{"1|printf|||" + path + "|7:4|#0"}));
    EXPECT_EQ(counter, 1024u);
}

TEST(ScanFile, CppFormsThatAreNoConstantAssignmentGiveNoRow) {
    // Each would stop the program from building once rewritten: pure and defaulted functions,
    // null pointers, enumerators, constant expressions, adjacent literals. The real constants
    // beside them are listed.
    TempDir dir;
    const std::string path = dir.File("shape.h");
    WriteBytes(path,
               "class Shape {\n"
               "    virtual void add(const std::string& text) const = 0;\n"
               "    virtual double area() = 0;\n"
               "    Shape& operator=(const Shape&) & = default;\n"
               "    enum { kSides = 4 };\n"
               "    XMLNode* node = 0;\n"
               "    int width = 8;\n"
               "};\n"
               "constexpr std::size_t kLongest = 30;\n"
               "typedef int Count;\n"
               "const char* c = \"x\" \"y\";\n"
               "name = \"shape\";\n");
    LanguageDefinition cpp = LoaderDefaults(0);
    cpp.carryreturn = {'\n', 0};
    FixedClock clock(0);
    SourceScanner scanner(FileSystem::Real(), cpp, clock);
    RowList rows;
    std::uint32_t counter = 1024;
    ASSERT_TRUE(scanner.ScanFile(rows, path, counter, ScanMode::Constants).ok());
    EXPECT_EQ(RowTexts(rows), (Texts{
                                  "1295|" + kNumber + "|8||" + path + "|7:16|#1",
                                  "1566|" + kString + "|shape||" + path + "|12:7|#2",
                              }));
}

TEST(ScanFile, Utf8SourcesAreReadAsUtf8) {
    // Chinese characters of three bytes each, an odd run of them before an escaped quote and
    // before a backslash, the user marker right after one, LF breaks and no final break.
    TempDir dir;
    const std::string path = dir.File("main.cpp");
    const std::string ni = "\xE4\xBD\xA0", hao = "\xE5\xA5\xBD";
    WriteBytes(path,
               "int main() {\n"
               "a = \"" +
                   ni + "\\\"" + hao +
                   "\";\n"
                   "b = \"" +
                   ni + hao +
                   "\";\n"
                   "c = \"" +
                   hao +
                   "\\\\\";\n"
                   "d = \"" +
                   ni + "\"; // " + ni +
                   "can't be replaced\n"
                   "e = 5;");
    const LanguageDefinition cpp = LoaderDefaults(0);
    FixedClock clock(0);
    SourceScanner scanner(FileSystem::Real(), cpp, clock);
    RowList rows;
    std::uint32_t counter = 1024;
    ASSERT_TRUE(scanner.ScanFile(rows, path, counter, ScanMode::Constants).ok());
    EXPECT_EQ(RowTexts(rows), (Texts{
                                  "1295|" + kString + "|" + ni + hao + "||" + path + "|3:4|#2",
                                  "1566|" + kString + "|" + hao + "\\\\||" + path + "|4:4|#2",
                                  "1837|" + kNumber + "|5||" + path + "|6:4|#1",
                              }));
    EXPECT_EQ(scanner.encodings().at(path), TextEncoding::Utf8);
    // The file has LF breaks, the language CR LF: said once.
    ASSERT_EQ(scanner.notices().size(), 1u);
    EXPECT_EQ(scanner.notices()[0].kind, ScanNotice::Kind::OtherLineBreak);

    // Read as GBK, the odd runs take the backslash and the marker's first letter as second bytes,
    // and the rows come out otherwise.
    SourceScanner asGbk(FileSystem::Real(), cpp, clock, SourceEncoding::Gbk);
    RowList gbkRows;
    counter = 1024;
    ASSERT_TRUE(asGbk.ScanFile(gbkRows, path, counter, ScanMode::Constants).ok());
    EXPECT_NE(RowTexts(gbkRows), RowTexts(rows));
}

TEST(ScanFile, ListsValuesOnlyAsTheFileHoldsThem) {
    // Comment markers count inside literals too, so the first literal reads "a    c" although
    // the file holds "a/*b*/c": listing it would record a value that the rewrite cannot find.
    // Comments beside a literal, and a literal after a comment has ended, keep theirs; so does
    // the old literal that a one-line comment keeps beside an accessor call.
    TempDir dir;
    const std::string path = dir.File("main.cpp");
    WriteBytes(path,
               "s = \"a/*b*/c\";\r\n"
               "t = \"x\"; /* note */\r\n"
               "/* a */ u = \"y\"; /* b */\r\n"
               "v = \"p\tq\";\r\n"
               "w = GetValueStr(5000); //\"a/*b*/c\"\r\n");
    const LanguageDefinition cpp = LoaderDefaults(0);
    FixedClock clock(0);
    SourceScanner scanner(FileSystem::Real(), cpp, clock);
    RowList rows;
    std::uint32_t counter = 1024;
    ASSERT_TRUE(scanner.ScanFile(rows, path, counter, ScanMode::Constants).ok());
    EXPECT_EQ(RowTexts(rows),
              (Texts{
                  "1295|" + kString + "|x||" + path + "|2:4|#2",
                  "1566|" + kString + "|y||" + path + "|3:12|#2",
                  "1837|" + kString + "|p q||" + path + "|4:4|#2",
                  "5000|" + kString + "|a/*b*/c|" + kUnknown + "|" + path + "|5:4|#2",
              }));
}

TEST(ScanSourceFiles, SkipsTheMainFileAndKeepsOrder) {
    TempDir dir;
    WriteBytes(dir.File("Main.cpp"), "a = 1;\r\n");
    WriteBytes(dir.File("B.cpp"), "b = 2;\r\n");
    WriteBytes(dir.File("c.cpp"), "c = 3;\r\n");
    const LanguageDefinition cpp = LoaderDefaults(0);
    FixedClock clock(0);
    SourceScanner scanner(FileSystem::Real(), cpp, clock);
    RowList rows;
    std::uint32_t counter = 1024;
    EXPECT_TRUE(
        scanner.ScanSourceFiles(rows, nullptr, dir.File("Main.cpp"), counter, ScanMode::Constants)
            .empty());
    EXPECT_TRUE(rows.empty());

    const std::vector<std::string> files = {dir.File("c.cpp"), dir.File("Main.cpp"),
                                            dir.File("missing.cpp"), dir.File("B.cpp")};
    std::vector<Error> failures =
        scanner.ScanSourceFiles(rows, &files, dir.File("Main.cpp"), counter, ScanMode::Constants);
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].path, PathCaseKey(dir.File("missing.cpp")));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows.Text(0, kStepValue), "3");
    EXPECT_EQ(rows.Text(1, kStepValue), "2");
    EXPECT_EQ(rows.Text(1, kStepKey), "1566");
    EXPECT_EQ(rows.Text(1, kStepFile), PathCaseKey(dir.File("B.cpp")));
    if (!PathsIgnoreCase()) {
        // Names are case-sensitive here: paths keep their case, and main.cpp is not Main.cpp.
        EXPECT_EQ(rows.Text(1, kStepFile), dir.File("B.cpp"));
        WriteBytes(dir.File("main.cpp"), "m = 4;\r\n");
        const std::vector<std::string> other = {dir.File("main.cpp")};
        rows.clear();
        EXPECT_TRUE(
            scanner
                .ScanSourceFiles(rows, &other, dir.File("Main.cpp"), counter, ScanMode::Constants)
                .empty());
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_EQ(rows.Text(0, kStepValue), "4");
    }
}

TEST(ScanFile, BadInputGivesTheDocumentedResult) {
    TempDir dir;
    const LanguageDefinition cpp = LoaderDefaults(0);
    FixedClock clock(0);
    SourceScanner scanner(FileSystem::Real(), cpp, clock);
    auto scan = [&](const std::string& path, ScanMode mode, bool& ok) {
        RowList rows;
        std::uint32_t counter = 1024;
        ok = scanner.ScanFile(rows, path, counter, mode).ok();
        return RowTexts(rows);
    };
    bool ok = false;

    // Missing file and directory: an error, no rows.
    EXPECT_EQ(scan(dir.File("missing.cpp"), ScanMode::Constants, ok), Texts{});
    EXPECT_FALSE(ok);
    EXPECT_EQ(scan(dir.path(), ScanMode::Calls, ok), Texts{});
    EXPECT_FALSE(ok);
    // Empty file: no rows, no error.
    WriteBytes(dir.File("empty.cpp"), "");
    EXPECT_EQ(scan(dir.File("empty.cpp"), ScanMode::Constants, ok), Texts{});
    EXPECT_TRUE(ok);

    // Zero bytes are ordinary bytes inside a line; a lead byte as the last byte ends the file.
    const std::string zero = dir.File("zero.cpp");
    WriteBytes(zero, std::string("a = \"x\0y\";\r\nb = 2;\r\nc = \"\xB0", 23));
    EXPECT_EQ(scan(zero, ScanMode::Constants, ok),
              (Texts{"1295|" + kString + "|" + std::string("x\0y", 3) + "||" + zero + "|1:4|#2",
                     "1566|" + kNumber + "|2||" + zero + "|2:4|#1"}));

    // A line over the length limit is cut: the piece after the cut is a line of its own.
    const std::string longLine = dir.File("long.cpp");
    WriteBytes(longLine, std::string(5120, ' ') + "x = 7;\r\nfoo(1);\r\n");
    EXPECT_EQ(scan(longLine, ScanMode::Constants, ok),
              (Texts{"1295|" + kNumber + "|7||" + longLine + "|2:4|#1"}));
    EXPECT_EQ(scan(longLine, ScanMode::Calls, ok), (Texts{"1|foo|||" + longLine + "|3:0|#0"}));

    // Past the read limit nothing is seen: the statement that straddles it loses its terminator.
    const std::string big = dir.File("big.cpp");
    std::string bytes;
    for (int i = 0; i < 63999; ++i) bytes += "v = 1;\r\n";
    bytes += "zzz = 33;\r\n";  // its ';' is the 512,001st byte
    WriteBytes(big, bytes);
    Texts rows = scan(big, ScanMode::Constants, ok);
    EXPECT_TRUE(ok);
    ASSERT_EQ(rows.size(), 63999u);
    EXPECT_NE(rows.back().find("|1||" + big + "|63999:4|"), std::string::npos) << rows.back();

    // Binary content: no fault, and every row points inside the file's lines.
    const std::string binary = dir.File("binary.cpp");
    std::string noise;
    std::uint32_t state = 12345;
    for (int i = 0; i < 200000; ++i) {
        state = state * 1103515245u + 12345u;
        char byte = static_cast<char>(state >> 24);
        noise += byte == '/' ? 'q' : byte;  // no comment marker that would blank the rest
        if (i % 97 == 0) noise += "\r\nx = 0x1F;\r\nf(1);\r\ns = \"\xB0\";\r\n";
    }
    WriteBytes(binary, noise);
    for (ScanMode mode : {ScanMode::Constants, ScanMode::Calls}) {
        RowList found;
        std::uint32_t counter = 1024;
        EXPECT_TRUE(scanner.ScanFile(found, binary, counter, mode).ok());
        EXPECT_FALSE(found.empty());
    }
}

}  // namespace
}  // namespace korvexer
