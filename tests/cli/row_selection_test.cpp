// SPDX-License-Identifier: MIT
// Tests of the selection: globs over paths, regular expressions over characters, and how the
// options combine.
#include "cli/row_selection.h"

#include <gtest/gtest.h>

#include <iostream>

#include "cli/cli_context.h"
#include "core/list/list_texts.h"
#include "core/platform/file_system.h"

namespace korvexer::cli {
namespace {

TEST(GlobMatchesPath, FoldersStarsAndSets) {
    struct Case {
        const char* pattern;
        const char* path;
        bool matches;
    };
    const Case cases[] = {
        {"src/*.cpp", "/home/me/p/src/main.cpp", true},
        {"src/*.cpp", "/home/me/p/src/sub/main.cpp", false},  // * stays in its folder
        {"src/**.cpp", "/home/me/p/src/sub/main.cpp", true},
        {"src/", "/home/me/p/src/sub/main.cpp", true},  // a folder: all beneath it
        {"src/", "/home/me/p/srcs/main.cpp", false},
        {"main.cpp", "/home/me/p/src/main.cpp", true},
        {"ain.cpp", "/home/me/p/src/main.cpp", false},  // parts start after a separator
        {"**/a*b", "x/a/y/acb", true},
        {"?.cpp", "a.cpp", true},
        {"?.cpp", "\xD6\xD0.cpp", true},  // ? takes one GBK character
        {"??.cpp", "\xD6\xD0.cpp", false},
        {"[a-c].cpp", "b.cpp", true},
        {"[!a-c].cpp", "b.cpp", false},
        {"[ab", "[ab", true},  // an open set is plain text
#ifdef _WIN32
        {"*.CPP", "a.cpp", true},  // Windows names ignore case
#else
        {"*.CPP", "a.cpp", false},
#endif
    };
    for (const Case& c : cases)
        EXPECT_EQ(GlobMatchesPath(c.pattern, c.path), c.matches) << c.pattern << " " << c.path;
}

TEST(RowSelection, OptionsCombineAndRegexesSeeCharacters) {
    CliContext context(FileSystem::Real(), std::cout, std::cerr);  // utf-8: patterns are UTF-8
    RowList rows(kStepColumnCount);
    const std::string string(texts::kTypeString), number(texts::kTypeNumber);
    rows.Append({"1", string, "\xC4\xE3\xBA\xC3", "", "/p/src/a.cpp", "1:4"});  // 你好 in GBK
    rows.Append({"2", number, "40", "", "/p/src/b.cpp", "2:4"});
    rows.Append({"3", string, "abc", "", "/p/lib/c.cpp", "3:4"});
    rows.Append({"4", string, "\xE4\xBD\xA0", "", "/p/src/u.cpp", "4:4"});  // 你 in UTF-8
    const TextEncoding encodings[] = {TextEncoding::Gbk, TextEncoding::Gbk, TextEncoding::Gbk,
                                      TextEncoding::Utf8};
    struct Case {
        const char* name;
        SelectionOptions options;
        std::vector<bool> selected;
    };
    const Case cases[] = {
        {"nothing given: every row", {}, {true, true, true, true}},
        {"a folder, one file left out",
         {{"src/"}, {"b.cpp"}, false, false, {}, {}, ""},
         {true, false, false, true}},
        {"strings only", {{}, {}, true, false, {}, {}, ""}, {true, false, true, true}},
        // "^.{2}$" takes two characters, whatever the bytes: 你好 in GBK is four bytes.
        {"two characters", {{}, {}, false, false, {"^.{2}$"}, {}, ""}, {true, true, false, false}},
        {"a Chinese character in either encoding",
         {{}, {}, false, false, {"\xE4\xBD\xA0"}, {}, ""},
         {true, false, false, true}},
        {"an excluded value", {{}, {}, false, false, {}, {"^a"}, ""}, {true, true, false, true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Expected<RowSelection> selection =
            RowSelection::Make(c.options, context, ListKind::Constants);
        ASSERT_TRUE(selection) << selection.error().message;
        for (std::size_t row = 0; row < rows.size(); ++row)
            EXPECT_EQ(selection->Selects(rows, row, encodings[row]), c.selected[row]) << row;
    }
    SelectionOptions broken;
    broken.values = {"(unclosed"};
    Expected<RowSelection> refused = RowSelection::Make(broken, context, ListKind::Constants);
    ASSERT_FALSE(refused);
    EXPECT_NE(refused.error().message.find("--value"), std::string::npos);
}

}  // namespace
}  // namespace korvexer::cli
