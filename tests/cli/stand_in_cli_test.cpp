// SPDX-License-Identifier: MIT
// Tests of korvexer-cli record stand-in: the generated header, unit and class are compiled with
// the system's compilers and must return, byte for byte, what the recorded literals held.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/support/test_support.h"

namespace korvexer {
namespace {

using test_support::AsColumn;
using test_support::CommandResult;
using test_support::PathExists;
using test_support::RunProgram;
using test_support::TempDir;
using test_support::WriteBytes;

const std::string kString = "\xD7\xD6\xB7\xFB\xB4\xAE";  // 字符串 in GBK
const std::string kNumber = "\xCA\xFD\xD6\xB5";          // 数值 in GBK

struct StringCase {
    int index;
    std::string recorded;  // between the quotes, as the source held it
    std::string held;      // the bytes the program held
};

struct NumberCase {
    int index;
    std::string recorded;
    long held;
};

// A GBK file in which the bytes E4 B8 AD 5C are two characters, the second ending in a backslash;
// read as UTF-8 they would be 中 and an escape.
const std::string kGbkFileText = "s = \"\xE4\xB8\xAD\x5Cn\"; t = \"\xD6\xD0\xCE\xC4\";\n";

// C, C++ and Java read the same escapes.
std::vector<StringCase> CFamilyStrings() {
    return {
        {1025, "plain text", "plain text"},
        {1026, "say \\\"hi\\\"", "say \"hi\""},
        {1027, "a\\\\b\\tc", "a\\b\tc"},
        {1028, "", ""},
        {1029, "\xD6\xD0\xCE\xC4", "\xD6\xD0\xCE\xC4"},  // GBK 中文, no file
        {1030, "\x95\x5Cn", "\x95\x5Cn"},                // GBK, second byte '\'
        {1031,
         "\xE4\xBD\xA0\xE5\xA5\xBD"
         "7",
         "\xE4\xBD\xA0\xE5\xA5\xBD"
         "7"},                                             // UTF-8 你好7
        {1032, "\xE4\xB8\xAD\x5Cn", "\xE4\xB8\xAD\x5Cn"},  // in the GBK file
        {1033, "\xF0\x9F\x98\x80!", "\xF0\x9F\x98\x80!"},  // UTF-8 past U+FFFF
        {1034, "\\x41\\101", "AA"},                        // not Java's
    };
}

std::vector<StringCase> PascalStrings() {
    return {
        {1025, "plain text", "plain text"},
        {1026, "it''s", "it's"},
        {1027, "a\\b\\n", "a\\b\\n"},
        {1028, "", ""},
        {1029, "\xD6\xD0\xCE\xC4", "\xD6\xD0\xCE\xC4"},
        {1031,
         "\xE4\xBD\xA0\xE5\xA5\xBD"
         "7",
         "\xE4\xBD\xA0\xE5\xA5\xBD"
         "7"},
    };
}

const std::vector<NumberCase>& Numbers() {
    static const std::vector<NumberCase> numbers = {
        {1040, "3", 3},
        {1041, "-5", -5},
        {1042, "2147483647", 2147483647L},
        {1043, "-2147483648", -2147483647L - 1},
    };
    return numbers;
}

// The record's rows: every case, then a second value for an index already given (the first
// counts), and substitutes, two of them one name in other cases.
std::string RecordRows(const std::vector<StringCase>& strings, const std::string& gbkFile,
                       const std::vector<std::string>& substitutes) {
    std::string rows;
    for (const StringCase& string : strings) {
        const std::string file = string.index == 1032 ? gbkFile : "/nowhere/a.cpp";
        rows += "C\t" + std::to_string(string.index) + '\t' + kString + '\t' +
                AsColumn(string.recorded) + '\t' + AsColumn(file) + "\t1:5\n";
    }
    for (const NumberCase& number : Numbers())
        rows += "C\t" + std::to_string(number.index) + '\t' + kNumber + '\t' + number.recorded +
                "\t/nowhere/a.cpp\t2:5\n";
    rows += "C\t1025\t" + kString + "\tanother\t/nowhere/b.cpp\t3:5\n";
    int number = 1;
    for (const std::string& substitute : substitutes)
        rows += "F\t" + std::to_string(number++) + '\t' + substitute + "\t/nowhere/a.cpp\t4:1\n";
    return rows;
}

struct StandIn {
    TempDir dir;
    std::string gbkFile;
    CommandResult made;
};

void MakeStandIn(StandIn& standIn, const std::vector<StringCase>& strings,
                 const std::vector<std::string>& substitutes,
                 const std::vector<std::string>& arguments) {
    standIn.gbkFile = standIn.dir.File("gbk.cpp");
    WriteBytes(standIn.gbkFile, kGbkFileText);
    const std::string record = standIn.dir.File("app.con");
    const CommandResult written =
        RunProgram(KORVEXER_CLI, {"--encoding", "gbk", "record", "write", record},
                   RecordRows(strings, standIn.gbkFile, substitutes));
    ASSERT_EQ(written.exitCode, 0) << written.err;
    std::vector<std::string> command = {"record", "stand-in"};
    command.insert(command.end(), arguments.begin(), arguments.end());
    command.push_back(record);
    standIn.made = RunProgram(KORVEXER_CLI, command);
    ASSERT_EQ(standIn.made.exitCode, 0) << standIn.made.err;
}

// The number as an expression of C, Pascal and Java: -2147483648 has no literal in C.
std::string NumberExpression(long number) {
    return number == -2147483647L - 1 ? "(-2147483647 - 1)" : std::to_string(number);
}

// A C literal of `bytes`, every byte as an octal escape.
std::string OctalLiteral(const std::string& bytes) {
    std::string out = "\"";
    for (unsigned char byte : bytes) {
        char escape[5];
        std::snprintf(escape, sizeof escape, "\\%03o", byte);
        out += escape;
    }
    return out + '"';
}

// A Pascal expression of `bytes`, every byte as a #nnn character code.
std::string CharCodes(const std::string& bytes) {
    if (bytes.empty()) return "''";
    std::string out;
    for (unsigned char byte : bytes) out += '#' + std::to_string(byte);
    return out;
}

// A Java byte array of `bytes`.
std::string JavaBytes(const std::string& bytes) {
    std::string out = "new byte[] {";
    for (unsigned char byte : bytes) out += "(byte) " + std::to_string(byte) + ", ";
    return out + '}';
}

// The program that checks every case and the substitute; it prints what differs and exits with
// the number of faults.
std::string CCheckProgram(const std::vector<StringCase>& strings) {
    std::string text =
        "#include <stdio.h>\n#include <string.h>\n"
        "static int faults = 0;\n"
        "static void Same(int n, const char *got, const char *want, size_t size) {\n"
        "    if (strlen(got) != size || memcmp(got, want, size) != 0) {\n"
        "        printf(\"index %d: %s\\n\", n, got);\n        ++faults;\n    }\n}\n"
        "int main(void) {\n";
    for (const StringCase& string : strings)
        text += "    Same(" + std::to_string(string.index) + ", GetValueStr(" +
                std::to_string(string.index) + "), " + OctalLiteral(string.held) + ", " +
                std::to_string(string.held.size()) + ");\n";
    text += "    Same(999, GetValueStr(999), \"\", 0);\n";
    for (const NumberCase& number : Numbers())
        text += "    if (GetValueInt(" + std::to_string(number.index) +
                ") != " + NumberExpression(number.held) + ") { printf(\"index " +
                std::to_string(number.index) + "\\n\"); ++faults; }\n";
    text +=
        "    if (GetValueInt(999) != 0 || strlen_kx(\"abc\") != 3) ++faults;\n"
        "    return faults;\n}\n";
    return text;
}

// Whether the compiler is there and can be run on this build's files: the compilers are this
// machine's programs, which a Windows build under Wine cannot run.
bool HaveProgram(const std::string& path) {
#ifdef _WIN32
    (void)path;
    return false;
#else
    return PathExists(path);
#endif
}

TEST(StandInCli, CAndCppHeadersReturnTheBytesTheLiteralsHeld) {
    struct Compiler {
        const char* language;
        const char* program;
        std::vector<std::string> options;
    };
    const std::vector<Compiler> compilers = {
        {"c", "/usr/bin/cc", {"-x", "c", "-std=c89", "-pedantic-errors", "-Wall", "-Werror"}},
        {"c", "/usr/bin/cc", {"-x", "c", "-std=c11", "-Wall", "-Wextra", "-Werror"}},
        {"cpp", "/usr/bin/c++", {"-x", "c++", "-std=c++11", "-Wall", "-Wextra", "-Werror"}},
    };
    for (const Compiler& compiler : compilers) {
        SCOPED_TRACE(std::string(compiler.language) + " " + compiler.options[2]);
        if (!HaveProgram(compiler.program)) GTEST_SKIP() << "no compiler " << compiler.program;
        StandIn standIn;
        const auto strings = CFamilyStrings();
        MakeStandIn(standIn, strings, {"strlen\tstrlen_kx", "strlen\tstrlen_kx"},
                    {"--language", compiler.language});
        // The index given twice is named; the header is plain ASCII.
        EXPECT_NE(standIn.made.err.find("index 1025"), std::string::npos) << standIn.made.err;
        for (unsigned char byte : standIn.made.out) ASSERT_LT(byte, 0x80);
        const std::string header = standIn.dir.File("korvexer_stand_in.h");
        WriteBytes(header, standIn.made.out);
        WriteBytes(standIn.dir.File("check.c"), CCheckProgram(strings));
        std::vector<std::string> arguments = compiler.options;
        arguments.insert(arguments.end(), {"-include", header, standIn.dir.File("check.c"), "-o",
                                           standIn.dir.File("check")});
        const CommandResult built = RunProgram(compiler.program, arguments);
        ASSERT_EQ(built.exitCode, 0) << built.err << standIn.made.out;
        const CommandResult run = RunProgram(standIn.dir.File("check"), {});
        EXPECT_EQ(run.exitCode, 0) << run.out;
    }
}

TEST(StandInCli, CHeaderMapsEachSubstituteOnceAndRefusesTheOtherLanguage) {
    StandIn standIn;
    MakeStandIn(standIn, {}, {"strlen\tstrlen_kx", "StrLen\tstrlen_kx", "Not\tnot_kx"},
                {"--language", "cpp"});
    const std::string& header = standIn.made.out;
    EXPECT_NE(header.find("#define strlen_kx strlen\n"), std::string::npos) << header;
    EXPECT_EQ(header.find("StrLen\n"), std::string::npos) << header;
    EXPECT_NE(header.find("#define not_kx Not\n"), std::string::npos) << header;
    EXPECT_NE(standIn.made.err.find("strlen_kx stands for strlen"), std::string::npos)
        << standIn.made.err;
    if (!HaveProgram("/usr/bin/cc")) GTEST_SKIP() << "no compiler /usr/bin/cc";
    // The C++ header in a C compile stops with a message that says which to make.
    WriteBytes(standIn.dir.File("s.h"), header);
    const CommandResult wrong =
        RunProgram("/usr/bin/cc", {"-x", "c", "-fsyntax-only", standIn.dir.File("s.h")});
    EXPECT_NE(wrong.exitCode, 0);
    EXPECT_NE(wrong.err.find("--language c"), std::string::npos) << wrong.err;
}

TEST(StandInCli, PascalUnitReturnsTheValuesAndMacrosMapNamesInAnyCase) {
    if (!HaveProgram("/usr/bin/fpc")) GTEST_SKIP() << "no Free Pascal compiler /usr/bin/fpc";
    const auto strings = PascalStrings();
    StandIn unit;
    MakeStandIn(unit, strings, {"Abs\tabs_kx", "ABS\tABS_KX"}, {"--language", "pascal"});
    StandIn macros;
    MakeStandIn(macros, strings, {"Abs\tabs_kx", "ABS\tABS_KX"},
                {"--language", "pascal", "--fpc-macros"});
    // Pascal names are one name in any case: one option, no warning of a second original.
    EXPECT_EQ(macros.made.out, "-Sm -dabs_kx:=Abs\n");
    EXPECT_EQ(macros.made.err.find("stands for"), std::string::npos) << macros.made.err;

    WriteBytes(unit.dir.File("korvexerstandin.pas"), unit.made.out);
    std::string program =
        "program check;\n{$mode objfpc}{$H+}\nuses KorvexerStandIn;\n"
        "var faults: Integer = 0;\n"
        "procedure Same(n: Integer; const got, want: string);\n"
        "begin\n  if got <> want then begin WriteLn('index ', n, ': ', got); Inc(faults); end;\n"
        "end;\n"
        "begin\n";
    for (const StringCase& string : strings)
        program += "  Same(" + std::to_string(string.index) + ", GetValueStr(" +
                   std::to_string(string.index) + "), " + CharCodes(string.held) + ");\n";
    for (const NumberCase& number : Numbers())
        program += "  if GetValueInt(" + std::to_string(number.index) + ") <> " +
                   NumberExpression(number.held) + " then Inc(faults);\n";
    program +=
        "  if (GetValueStr(999) <> '') or (GetValueInt(999) <> 0) then Inc(faults);\n"
        "  if (abs_kx(-3) <> 3) or (ABS_KX(-4) <> 4) then Inc(faults);\n"
        "  Halt(faults);\nend.\n";
    WriteBytes(unit.dir.File("check.pas"), program);
    const CommandResult built =
        RunProgram("/usr/bin/fpc", {"-v0", "-Sm", "-dabs_kx:=Abs", "-FU" + unit.dir.path(),
                                    "-Fu" + unit.dir.path(), unit.dir.File("check.pas")});
    ASSERT_EQ(built.exitCode, 0) << built.out << unit.made.out;
    const CommandResult run = RunProgram(unit.dir.File("check"), {});
    EXPECT_EQ(run.exitCode, 0) << run.out;
}

TEST(StandInCli, JavaClassReturnsTheTextsDecodedByTheirFilesEncoding) {
    if (!HaveProgram("/usr/bin/javac") || !HaveProgram("/usr/bin/java"))
        GTEST_SKIP() << "no Java compiler /usr/bin/javac";
    // Java has no \x escape; in Java the GBK values are the characters they stand for.
    std::vector<StringCase> strings;
    for (StringCase string : CFamilyStrings()) {
        if (string.index == 1029) string.held = "\xE4\xB8\xAD\xE6\x96\x87";  // 中文
        if (string.index == 1030) string.held = "\xE6\x98\x9En";
        if (string.index == 1032) string.held = "\xE6\xB6\x93\xE7\x92\xA1n";  // 涓璡n
        if (string.index != 1034) strings.push_back(string);
    }
    StandIn standIn;
    MakeStandIn(standIn, strings, {}, {"--language", "java", "--name", "kx.tools.Values"});
    test_support::MakeDirectory(standIn.dir.File("kx"));
    test_support::MakeDirectory(standIn.dir.File("kx/tools"));
    WriteBytes(standIn.dir.File("kx/tools/Values.java"), standIn.made.out);
    std::string program =
        "import static kx.tools.Values.*;\nimport java.nio.charset.StandardCharsets;\n"
        "import java.util.Arrays;\n"
        "public class Check {\n  public static void main(String[] args) {\n    int faults = 0;\n";
    for (const StringCase& string : strings)
        program += "    if (!Arrays.equals(GetValueStr(" + std::to_string(string.index) +
                   ").getBytes(StandardCharsets.UTF_8), " + JavaBytes(string.held) +
                   ")) { System.out.println(" + std::to_string(string.index) + "); ++faults; }\n";
    for (const NumberCase& number : Numbers())
        program += "    if (GetValueInt(" + std::to_string(number.index) +
                   ") != " + NumberExpression(number.held) + ") ++faults;\n";
    program += "    System.exit(faults);\n  }\n}\n";
    WriteBytes(standIn.dir.File("Check.java"), program);
    const CommandResult built = RunProgram(
        "/usr/bin/javac", {"-d", standIn.dir.File("out"), standIn.dir.File("kx/tools/Values.java"),
                           standIn.dir.File("Check.java")});
    ASSERT_EQ(built.exitCode, 0) << built.err << standIn.made.out;
    const CommandResult run =
        RunProgram("/usr/bin/java", {"-cp", standIn.dir.File("out"), "Check"});
    EXPECT_EQ(run.exitCode, 0) << run.out << standIn.made.out;
}

TEST(StandInCli, RefusesWhatItCannotMake) {
    TempDir dir;
    WriteBytes(dir.File("empty.con"), "");
    struct Case {
        std::vector<std::string> arguments;
        const char* says;
    };
    const std::vector<Case> cases = {
        {{"--language", "java", "--name", "StandIn"}, "with its package"},
        {{"--language", "pascal", "--name", "Korvexer.Stand"}, "Pascal identifier"},
        {{"--language", "c", "--name", "x"}, "--name goes with"},
        {{"--language", "cpp", "--fpc-macros"}, "--fpc-macros goes with"},
        {{"--language", "c"}, "none.con: no such record file"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> arguments = {"record", "stand-in"};
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
        arguments.push_back(dir.File("none.con"));
        const CommandResult refused = RunProgram(KORVEXER_CLI, arguments);
        EXPECT_EQ(refused.exitCode, 2) << c.says;
        EXPECT_NE(refused.err.find(c.says), std::string::npos) << refused.err;
    }
}

}  // namespace
}  // namespace korvexer
