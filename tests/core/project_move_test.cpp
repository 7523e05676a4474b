// SPDX-License-Identifier: MIT
// Tests of finding a moved project by the record's paths, and of rebasing them.
#include "core/app/project_move.h"

#include <gtest/gtest.h>

#include "core/platform/path_case.h"

namespace korvexer {
namespace {

RowList RowsIn(const std::vector<std::string>& files) {
    RowList rows(5);
    for (const std::string& file : files) rows.Append({"1025", "x", "1", file, "1:1"});
    return rows;
}

TEST(LiesUnder, ComparesFolderByFolder) {
    struct Case {
        const char* path;
        const char* folder;
        bool under;
    };
    const Case cases[] = {
        {"/w/a/main.cpp", "/w/a", true},
        {"/w/a/main.cpp", "/w/a/", true},
        {"/w/a", "/w/a", true},
        {"/w/ab/main.cpp", "/w/a", false},  // a folder, not a prefix of bytes
        {"/w/main.cpp", "/w/a", false},
        {"a/main.cpp", "a", false},  // relative paths lie under nothing
        {"C:\\w\\a\\main.cpp", "C:\\w\\a", true},
        {"C:\\w\\a\\main.cpp", "C:/w/a", true},
        {"D:\\\xB5\xC4\\main.cpp", "D:\\\xB5\xC4", true},
        {"D:\\a\xB5\\b.cpp", "D:\\a", false},  // \xB5\x5C is one character: no folder "a"
    };
    for (const Case& c : cases) EXPECT_EQ(LiesUnder(c.path, c.folder), c.under) << c.path;
    EXPECT_EQ(LiesUnder("/W/A/main.cpp", "/w/a"), PathsIgnoreCase());
}

TEST(FindProjectMove, FindsTheFolderTheRecordWasWrittenIn) {
    struct Case {
        const char* name;
        std::vector<std::string> files;  // of the record's constant rows
        std::string main;
        std::string application;
        std::optional<ProjectMove> move;
    };
    const std::string main = "/new/copy/orders/main.cpp";
    const std::string app = "/new/copy/orders/orders";
    const Case cases[] = {
        {"copied",
         {"/old/proj/orders/main.cpp", "/old/proj/orders/report.cpp"},
         main,
         app,
         ProjectMove{"/old/proj", "/new/copy"}},
        {"copied and renamed",
         {"/old/orders/main.cpp"},
         "/new/orders2/main.cpp",
         app,
         ProjectMove{"/old/orders", "/new/orders2"}},
        {"no row in the main file: the common folder",
         {"/old/proj/orders/lib/a.cpp", "/old/proj/orders/b.cpp"},
         main,
         app,
         ProjectMove{"/old/proj", "/new/copy"}},
        {"one file of the project is named",
         {"/old/x.cpp", "/new/copy/orders/report.cpp"},
         main,
         app,
         std::nullopt},
        {"the application's folder counts",
         {"/new/copy/bin/x.cpp"},
         main,
         "/new/copy/bin/orders",
         std::nullopt},
        {"sources kept beside the project", {"/shared/lib/a.cpp"}, main, app, std::nullopt},
        {"relative paths only", {"orders/main.cpp"}, main, app, std::nullopt},
        {"no record rows", {}, main, app, std::nullopt},
        {"no project folders", {"/old/orders/main.cpp"}, "main.cpp", "", std::nullopt},
    };
    for (const Case& c : cases) {
        std::optional<ProjectMove> move =
            FindProjectMove(RowsIn(c.files), RowList(5), {}, c.main, c.application);
        ASSERT_EQ(move.has_value(), c.move.has_value()) << c.name;
        if (!move) continue;
        EXPECT_EQ(move->recordFolder, c.move->recordFolder) << c.name;
        EXPECT_EQ(move->projectFolder, c.move->projectFolder) << c.name;
    }
    // The source-file list counts like the rows.
    EXPECT_TRUE(FindProjectMove(RowList(5), RowList(5), {"/old/proj/orders/main.cpp"}, main, app));
}

TEST(RebasePaths, RewritesThePathsUnderTheOldFolderOnly) {
    RowList constants = RowsIn({"/old/proj/a.cpp", "/old/projx/b.cpp", "/old/proj/sub/c.cpp  "});
    RowList functions = RowsIn({"/old/proj/a.cpp"});
    std::vector<std::string> sources{"/old/proj/a.cpp", "/other/d.cpp"};
    EXPECT_EQ(RebasePaths(constants, functions, sources, "/old/proj", "/new/copy/"), 4u);
    EXPECT_EQ(constants.Text(0, 3), "/new/copy/a.cpp");
    EXPECT_EQ(constants.Text(1, 3), "/old/projx/b.cpp");
    EXPECT_EQ(constants.Text(2, 3), "/new/copy/sub/c.cpp");
    EXPECT_EQ(functions.Text(0, 3), "/new/copy/a.cpp");
    EXPECT_EQ(sources, (std::vector<std::string>{"/new/copy/a.cpp", "/other/d.cpp"}));
    EXPECT_EQ(Rebased("C:\\old\\a.cpp", "C:\\old", "D:\\new"), "D:\\new\\a.cpp");
    EXPECT_EQ(Rebased("/x/a.cpp", "/old", "/new"), std::nullopt);
}

}  // namespace
}  // namespace korvexer
