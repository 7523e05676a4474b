// SPDX-License-Identifier: MIT
// Tests of the source-file list: refusals when adding, the selection after a deletion and the
// enabled states of the delete buttons, under both file-name rules.
#include "core/app/source_file_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace korvexer {
namespace {

using Entries = std::vector<std::string>;

const FileNameRules kLinux{true, '/'};
const FileNameRules kWindows{false, '\\'};
constexpr const char* kLibraryFiles = "korvexaux.cpp;korvex.h;";

TEST(SourceFileListAdd, RefusesDuplicatesExactlyWhereNamesAreCaseSensitive) {
    SourceFileList list(kLinux);
    AddFilesResult first = list.Add({"/src/Main.cpp", "  /src/util.cpp \t"}, kLibraryFiles);
    EXPECT_EQ(first.added, 2u);
    EXPECT_EQ(first.refused, 0u);
    // Another case is another file here; the same bytes are a duplicate, also after trimming.
    AddFilesResult second = list.Add({"/src/main.cpp", " /src/Main.cpp", "/src/util.cpp"}, "");
    EXPECT_EQ(second.added, 1u);
    EXPECT_EQ(second.refused, 2u);
    EXPECT_EQ(list.entries(), (Entries{"/src/Main.cpp", "/src/util.cpp", "/src/main.cpp"}));
}

TEST(SourceFileListAdd, StoresLowerCaseAndIgnoresCaseWhereNamesAreCaseInsensitive) {
    SourceFileList list(kWindows);
    list.Assign({"C:\\Src\\Kept.CPP"});  // entries from the record stay as they are
    AddFilesResult result =
        list.Add({"C:\\SRC\\kept.cpp", "C:\\Src\\Main.CPP", "c:\\src\\main.cpp"}, kLibraryFiles);
    EXPECT_EQ(result.added, 1u);
    EXPECT_EQ(result.refused, 2u);
    EXPECT_EQ(list.entries(), (Entries{"C:\\Src\\Kept.CPP", "c:\\src\\main.cpp"}));
}

TEST(SourceFileListAdd, LowerCasingKeepsTheSecondBytesOfChineseNames) {
    SourceFileList list(kWindows);
    // The folder is 癢 (B0 57): its second byte is the letter 'W' and must stay upper case.
    list.Add({"C:\\\xB0W\\A.CPP"}, "");
    EXPECT_EQ(list.entries(), (Entries{"c:\\\xB0W\\a.cpp"}));
}

TEST(SourceFileListAdd, RefusesTheRuntimeLibrarysOwnFilesByWholeName) {
    struct Case {
        FileNameRules rules;
        std::string path;
        bool refused;
    };
    const std::vector<Case> cases = {
        {kLinux, "/lib/korvexaux.cpp", true},
        {kLinux, "/lib/KorvexAux.CPP", true},  // the name is compared in lower case
        {kLinux, "/lib/aux.cpp", false},       // only the end of an element
        {kLinux, "/lib/korvexaux.cp", false},  // only the start of an element
        {kLinux, "/lib/korvex.h/x.cpp", false},
        {kLinux, "korvex.h", true},  // a bare name is its own file name
        {kWindows, "C:\\lib\\Korvex.H", true},
        {kWindows, "C:\\lib/aux\\x.cpp", false},
        // On Windows '/' is no separator of the check: the name is "lib/korvex.h".
        {kWindows, "C:\\lib/korvex.h", false},
        // A backslash that is the second byte of a character does not start the name: 乗 is 81 5C.
        {kWindows, "C:\\\x81\\korvex.h", false},
    };
    for (const Case& c : cases) {
        SourceFileList list(c.rules);
        AddFilesResult result = list.Add({c.path}, kLibraryFiles);
        EXPECT_EQ(result.refused, c.refused ? 1u : 0u) << c.path;
        EXPECT_EQ(result.added, c.refused ? 0u : 1u) << c.path;
    }
}

TEST(SourceFileListAdd, AnEmptyLibraryListRefusesNothingAndBlankPathsAreSkipped) {
    SourceFileList list(kLinux);
    AddFilesResult result = list.Add({"/lib/korvexaux.cpp", "   ", ""}, "");
    EXPECT_EQ(result.added, 1u);
    EXPECT_EQ(result.refused, 0u);
    EXPECT_EQ(list.size(), 1u);
}

TEST(SourceFileListAdd, DuplicatesWithinOneAddAreRefused) {
    SourceFileList list(kLinux);
    AddFilesResult result = list.Add({"/a.cpp", "/b.cpp", "/a.cpp"}, "");
    EXPECT_EQ(result.added, 2u);
    EXPECT_EQ(result.refused, 1u);
    EXPECT_TRUE(list.deleteAllEnabled());
    EXPECT_FALSE(list.deleteEnabled());  // adding selects nothing
}

TEST(SourceFileListDeleteSelected, WithoutASelectionOnlyDisablesDelete) {
    SourceFileList list(kLinux);
    list.Assign({"/a", "/b"});
    EXPECT_FALSE(list.DeleteSelected());
    EXPECT_EQ(list.size(), 2u);
    EXPECT_FALSE(list.deleteEnabled());
    EXPECT_TRUE(list.deleteAllEnabled());
}

TEST(SourceFileListDeleteSelected, SelectsTheNextEntryOrTheFirstAfterTheLast) {
    struct Case {
        std::size_t selected;
        Entries left;
        std::size_t selectedAfter;
    };
    const std::vector<Case> cases = {
        {0, {"/b", "/c"}, 0},
        {1, {"/a", "/c"}, 1},
        {2, {"/a", "/b"}, 0},  // the last one deleted: back to the first
    };
    for (const Case& c : cases) {
        SourceFileList list(kLinux);
        list.Assign({"/a", "/b", "/c"});
        ASSERT_TRUE(list.Select(c.selected));
        ASSERT_TRUE(list.DeleteSelected());
        EXPECT_EQ(list.entries(), c.left) << c.selected;
        EXPECT_EQ(list.selected(), c.selectedAfter) << c.selected;
        EXPECT_TRUE(list.deleteEnabled());
        EXPECT_TRUE(list.deleteAllEnabled());
    }
}

TEST(SourceFileListDeleteSelected, DeletingTheOnlyEntryDisablesBothButtons) {
    SourceFileList list(kLinux);
    list.Assign({"/only"});
    ASSERT_TRUE(list.Select(0));
    EXPECT_TRUE(list.DeleteSelected());
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(list.selected(), SourceFileList::kNone);
    EXPECT_FALSE(list.deleteEnabled());
    EXPECT_FALSE(list.deleteAllEnabled());
}

TEST(SourceFileListSelect, RefusesAnIndexPastTheEnd) {
    SourceFileList list(kLinux);
    EXPECT_FALSE(list.Select(0));
    list.Assign({"/a"});
    EXPECT_FALSE(list.Select(1));
    EXPECT_FALSE(list.deleteEnabled());
    EXPECT_TRUE(list.Select(0));
    EXPECT_TRUE(list.deleteEnabled());
}

TEST(SourceFileListDeleteAll, EmptiesTheListAndDisablesBothButtons) {
    SourceFileList list(kLinux);
    list.Assign({"/a", "/b"});
    ASSERT_TRUE(list.Select(1));
    list.DeleteAll();
    EXPECT_TRUE(list.empty());
    EXPECT_FALSE(list.deleteEnabled());
    EXPECT_FALSE(list.deleteAllEnabled());
    EXPECT_FALSE(list.DeleteSelected());
}

}  // namespace
}  // namespace korvexer
