// SPDX-License-Identifier: MIT
// Tests of the project settings keys, the last saved project and the recent-products list.
#include "core/app/project_settings.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/test_support.h"

namespace korvexer {
namespace {

using test_support::ReadBytes;
using test_support::TempDir;
using test_support::WriteBytes;

// Entries "E000;" to "E<count-1>;", five bytes each.
std::string Entries(int count) {
    std::string list;
    for (int i = 0; i < count; ++i) {
        std::string number = std::to_string(i);
        list += "E" + std::string(3 - number.size(), '0') + number + ";";
    }
    return list;
}

TEST(UpdateProductList, MovesTheProductToTheFront) {
    struct Case {
        std::string list;
        std::string product;
        std::string expected;
    };
    const std::string full = Entries(51);  // 255 bytes
    const std::string cut = "NEW;" + Entries(50).substr(0, 249);
    const std::vector<Case> cases = {
        {"", "A100", "A100;"},
        {"A100;", "B200", "B200;A100;"},
        {"B200;A100;", "A100", "A100;B200;"},
        {"BA1;A1;A1X;XA1;", "A1", "A1;BA1;A1X;XA1;"},  // whole entries only
        {"A1;B;A1;", "A1", "A1;B;"},
        {"B;A1", "A1", "A1;B;"},  // a last entry without ';'
        {"a1;", "A1", "A1;a1;"},  // entries compare byte for byte
        {"X;", "", ";X;"},
        // Over 255 bytes: the trailing ';' and the oldest entry go, once per update.
        {full, "NEW", cut},
        {cut, "X", "X;" + cut},  // exactly 255 bytes: kept
        {"X;" + cut, "Y", "Y;X;" + cut.substr(0, cut.size() - 5)},
        {"", std::string(300, 'P'), std::string(300, 'P')},
    };
    for (const Case& c : cases) {
        std::string list = c.list;
        UpdateProductList(list, c.product);
        EXPECT_EQ(list, c.expected) << c.list << " + " << c.product;
    }
    EXPECT_EQ(cut.size(), 253u);
}

TEST(FillProductCombo, EntriesInListOrderFirstSelected) {
    struct Case {
        std::string list;
        std::vector<std::string> entries;
        int selected;
    };
    const std::vector<Case> cases = {
        {"", {}, -1},
        {" ; \t;", {}, -1},
        {"B200;A100;", {"B200", "A100"}, 0},
        {" B200;\r\nA100;last", {"B200", "A100", "last"}, 0},
        {";A;", {"A"}, 0},
        {"single", {"single"}, 0},
    };
    for (const Case& c : cases) {
        ProductComboEntries combo = FillProductCombo(c.list);
        EXPECT_EQ(combo.entries, c.entries) << c.list;
        EXPECT_EQ(combo.selected, c.selected) << c.list;
    }
}

TEST(LoadProjectSettings, NothingStoredLeavesTheFieldsEmpty) {
    TempDir dir;
    ProfileStore store(FileSystem::Real(), dir.File("k.ini"));
    ProjectSettings settings;
    LoadProjectSettings(store, "", "", settings);
    EXPECT_EQ(settings.company, "");
    EXPECT_EQ(settings.productList, "");
    EXPECT_EQ(settings.languageIndex, 0);

    // A company without a last product loads the company alone.
    WriteBytes(dir.File("k.ini"),
               "[Common Data]\r\nCompanyID=ACME \f\r\n[ACME]\r\nProductIDList=P;\r\n");
    LoadProjectSettings(store, "", "", settings);
    EXPECT_EQ(settings.company, "ACME");
    EXPECT_EQ(settings.productList, "");
}

TEST(SaveProjectSettings, FirstSaveCreatesTheThreeSections) {
    TempDir dir;
    ProfileStore store(FileSystem::Real(), dir.File("k.ini"));
    ProjectSettings settings;
    settings.languageIndex = 3;
    settings.mainSourceFile = "/src/main.pas";
    settings.applicationFile = "/bin/app";
    ASSERT_TRUE(SaveProjectSettings(store, "ACME", "A100", settings));
    EXPECT_EQ(ReadBytes(dir.File("k.ini")),
              "[Common Data]\r\nCompanyID=ACME\r\nProductID=A100\r\n"
              "[ACME A100]\r\nLanguageIndex=3\r\nMainPrgFile=/src/main.pas\r\n"
              "Application=/bin/app\r\nSourceEncoding=auto\r\n"
              "[ACME]\r\nProductIDList=A100;\r\n");
    EXPECT_EQ(settings.productList, "A100;");
}

TEST(ProjectSettings, SourceEncodingKeyRoundTripsAndDefaultsToAutomatic) {
    TempDir dir;
    ProfileStore store(FileSystem::Real(), dir.File("k.ini"));
    const struct {
        std::string stored;  // the key's line in the project's section; "" for none
        SourceEncoding loaded;
    } cases[] = {
        {"", SourceEncoding::Automatic},  // a file written before the key existed
        {"SourceEncoding=gbk\r\n", SourceEncoding::Gbk},
        {"sourceencoding= UTF-8 \r\n", SourceEncoding::Utf8},
        {"SourceEncoding=latin1\r\n", SourceEncoding::Automatic},
    };
    for (const auto& c : cases) {
        WriteBytes(dir.File("k.ini"),
                   "[Common Data]\r\nCompanyID=C\r\nProductID=P\r\n[C P]\r\nLanguageIndex=2\r\n" +
                       c.stored + "[C]\r\nProductIDList=P;\r\n");
        ProjectSettings settings;
        settings.sourceEncoding = SourceEncoding::Gbk;  // a project loaded before
        LoadProjectSettings(store, "", "", settings);
        EXPECT_EQ(settings.sourceEncoding, c.loaded) << c.stored;
        EXPECT_EQ(settings.languageIndex, 2) << c.stored;
    }

    // Stored and read back; the keys of the project keep their places and meaning.
    for (SourceEncoding choice :
         {SourceEncoding::Utf8, SourceEncoding::Gbk, SourceEncoding::Automatic}) {
        ProjectSettings settings;
        settings.sourceEncoding = choice;
        ASSERT_TRUE(SaveProjectSettings(store, "C", "P", settings));
        ProjectSettings loaded;
        LoadProjectSettings(store, "", "", loaded);
        EXPECT_EQ(loaded.sourceEncoding, choice);
        EXPECT_EQ(loaded.languageIndex, 0);
    }
}

TEST(SaveProjectSettings, RoundTripsAndKeepsTheRecentList) {
    TempDir dir;
    ProfileStore store(FileSystem::Real(), dir.File("k.ini"));
    const std::string company = "\x93\x5D\xC9\xCC";  // a second byte ']' in a section name
    ProjectSettings settings;
    for (const char* product : {"A100", "B200", "A100"}) {
        settings.languageIndex = product[0] == 'A' ? 4 : 1;
        settings.mainSourceFile = std::string("/src/") + product + ".java";
        settings.applicationFile = std::string("/bin/") + product;
        ASSERT_TRUE(SaveProjectSettings(store, company, product, settings));
    }

    ProjectSettings loaded;
    LoadProjectSettings(store, "", "", loaded);
    EXPECT_EQ(loaded.company, company);
    EXPECT_EQ(loaded.product, "A100");
    EXPECT_EQ(loaded.productList, "A100;B200;");
    EXPECT_EQ(loaded.languageIndex, 4);
    EXPECT_EQ(loaded.mainSourceFile, "/src/A100.java");
    EXPECT_EQ(loaded.applicationFile, "/bin/A100");
    EXPECT_EQ(FillProductCombo(loaded.productList).entries,
              (std::vector<std::string>{"A100", "B200"}));

    // Switching to another project: the company field stays, the product goes to the front.
    ProjectSettings other;
    other.company = "typed";
    LoadProjectSettings(store, company, "B200", other);
    EXPECT_EQ(other.company, "typed");
    EXPECT_EQ(other.productList, "B200;A100;");
    EXPECT_EQ(other.languageIndex, 1);
    EXPECT_EQ(other.applicationFile, "/bin/B200");

    // Empty names are taken from the last saved project.
    other.applicationFile = "/bin/changed";
    ASSERT_TRUE(SaveProjectSettings(store, "", "", other));
    LoadProjectSettings(store, company, "A100", loaded);
    EXPECT_EQ(loaded.applicationFile, "/bin/changed");
}

TEST(SaveProjectSettings, ReturnsFailures) {
    TempDir dir;
    ProjectSettings settings;
    ProfileStore noProject(FileSystem::Real(), dir.File("k.ini"));
    EXPECT_FALSE(SaveProjectSettings(noProject, "", "P", settings));
    EXPECT_FALSE(FileSystem::Real().Exists(dir.File("k.ini")));

    // A folder that cannot be made: a file stands in its place.
    WriteBytes(dir.File("blocked"), "");
    ProfileStore noFolder(FileSystem::Real(), dir.File("blocked/k.ini"));
    EXPECT_FALSE(SaveProjectSettings(noFolder, "C", "P", settings));

    settings.mainSourceFile = "two\nlines";
    ProfileStore store(FileSystem::Real(), dir.File("k.ini"));
    EXPECT_FALSE(SaveProjectSettings(store, "C", "P", settings));
}

}  // namespace
}  // namespace korvexer
