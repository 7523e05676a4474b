// SPDX-License-Identifier: MIT
// Tests of loading the current language definition from the settings file.
#include "core/language/language_store.h"

#include <string>

#include <gtest/gtest.h>

#include "core/language/language_defaults.h"
#include "tests/support/test_support.h"

namespace korvexer {
namespace {

using test_support::TempDir;
using test_support::WriteBytes;

const std::string kChar = "\xB0\xA1";  // one two-byte character

LanguageDefinition Load(std::int32_t index, const std::string& ini) {
    TempDir dir;
    WriteBytes(dir.File("k.ini"), ini);
    ProfileStore store(FileSystem::Real(), dir.File("k.ini"));
    LanguageDefinition record;
    LoadLanguageDefinition(index, record, &store);
    return record;
}

TEST(LoadLanguageDefinition, NegativeIndexLeavesAllZero) {
    for (std::int32_t index : {-1, -7, -13}) {
        LanguageDefinition record = LoaderDefaults(0);  // something to clear
        LoadLanguageDefinition(index, record, nullptr);
        EXPECT_EQ(record, LanguageDefinition{}) << index;
        EXPECT_EQ(Load(index, "[language_0]\r\nsetvalue=:=\r\n"), LanguageDefinition{});
    }
}

TEST(LoadLanguageDefinition, MissingFileOrSectionGivesLoaderDefaults) {
    TempDir dir;
    ProfileStore missing(FileSystem::Real(), dir.File("none.ini"));
    for (std::int32_t index = 0; index < 16; ++index) {
        std::int32_t base = index % 7;
        LanguageDefinition withoutSettings;
        LoadLanguageDefinition(index, withoutSettings, nullptr);
        EXPECT_EQ(withoutSettings, LoaderDefaults(base)) << index;
        LanguageDefinition fromMissingFile;
        LoadLanguageDefinition(index, fromMissingFile, &missing);
        EXPECT_EQ(fromMissingFile, LoaderDefaults(base)) << index;
    }
    EXPECT_EQ(Load(2, "[language_1]\r\nsetvalue=:=\r\n"), LoaderDefaults(2));
}

TEST(LoadLanguageDefinition, IndexSelectsSectionModuloSeven) {
    const std::string ini = "[language_2]\r\nhexprefix=two\r\n[language_6]\r\nhexprefix=six\r\n";
    LanguageDefinition nine = Load(9, ini);
    EXPECT_EQ(nine.language, 2);
    EXPECT_EQ(nine.hexprefix, "two");
    EXPECT_EQ(nine.quotation, '\'');  // Visual FoxPro's loader default
    LanguageDefinition thirteen = Load(13, ini);
    EXPECT_EQ(thirteen.language, 6);
    EXPECT_EQ(thirteen.hexprefix, "six");
    EXPECT_EQ(thirteen.libraryfiles, "korvexaux.cpp;korvexlink.h;");
}

TEST(LoadLanguageDefinition, MissingKeysTakeLoaderDefaultsOneByOne) {
    LanguageDefinition record = Load(3, "[language_3]\r\nsetvalue=:=\r\nnumbersubfix=\r\n");
    EXPECT_EQ(record, LoaderDefaults(3));
    record = Load(0, "[language_0]\r\nsetvalue=:=\r\nfilesubfix=.cc;\r\nlibraryfiles=x;\r\n");
    LanguageDefinition expected = LoaderDefaults(0);
    expected.setvalue = ":=";
    expected.filesubfix = ".cc;";
    EXPECT_EQ(record, expected);  // libraryfiles is never read from the file
}

TEST(LoadLanguageDefinition, CarryReturnIsASubstringTest) {
    const std::vector<std::pair<std::string, LineBreak>> cases = {
        {"rrnn", {13, 10}}, {"nnrr", {13, 10}}, {"rr", {13, 0}},  {"nn", {10, 0}},
        {"xx", {0, 0}},     {"", {0, 0}},       {"rnrn", {0, 0}}, {"xrrxnnx", {13, 10}},
    };
    for (const auto& [stored, expected] : cases) {
        SCOPED_TRACE(stored);
        EXPECT_EQ(LineBreakFromText(stored), expected);
        EXPECT_EQ(Load(0, "[language_0]\r\ncarryreturn=" + stored + "\r\n").carryreturn, expected);
    }
    EXPECT_EQ(LineBreakText({13, 10}), "rrnn");
    EXPECT_EQ(LineBreakText({13, 0}), "rr");
    EXPECT_EQ(LineBreakText({10, 0}), "nn");
    EXPECT_EQ(LineBreakText({0, 0}), "");
}

TEST(LoadLanguageDefinition, ByteKeysKeepTheLowByte) {
    const std::vector<std::pair<std::string, unsigned char>> cases = {
        {"96", 96}, {"-1", 255}, {"-75", 181}, {"315", 59}, {"abc", 0}, {"0x27", 39}, {"", 34},
    };
    for (const auto& [stored, expected] : cases) {
        SCOPED_TRACE(stored);
        LanguageDefinition record =
            Load(0, "[language_0]\r\nquotation=" + stored + "\r\nlinendchar=" + stored + "\r\n");
        EXPECT_EQ(record.quotation, expected);
        // An empty value takes the default: 59 for the terminator.
        EXPECT_EQ(record.linendchar, stored.empty() ? 59 : expected);
    }
}

TEST(LoadLanguageDefinition, OverlongValuesCutAtCapacityWithoutSplittingCharacters) {
    const std::string longList(40, 'x');
    LanguageDefinition record = Load(0,
                                     "[language_0]\r\n"
                                     "setvalue=a" +
                                         kChar +
                                         "\r\n"
                                         "onelineexplain=abcd" +
                                         kChar +
                                         "\r\n"
                                         "multilinenote_begin=abc" +
                                         kChar +
                                         "z\r\n"
                                         "filesubfix=" +
                                         longList + "\r\n");
    EXPECT_EQ(record.setvalue, "a");
    EXPECT_EQ(record.onelineexplain, "abcd");
    EXPECT_EQ(record.multilinenote_begin, "abc" + kChar);
    EXPECT_EQ(record.filesubfix, std::string(32, 'x'));
    EXPECT_EQ(record.multilinenote_end, "*/");  // neighbours untouched
}

TEST(LoadLanguageDefinition, ValueWithNulEndsAtIt) {
    LanguageDefinition record =
        Load(0, std::string("[language_0]\r\nhexprefix=0x\0;\r\n", 30) + "numbersubfix=u;\r\n");
    EXPECT_EQ(record.hexprefix, "0x");
    EXPECT_EQ(record.numbersubfix, "u;");
}

}  // namespace
}  // namespace korvexer
