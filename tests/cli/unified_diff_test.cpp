// SPDX-License-Identifier: MIT
// Tests of UnifiedDiff: the hunks GNU diff -u prints for the same texts, and shortest scripts.
#include "cli/unified_diff.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "tests/support/test_support.h"

namespace korvexer::cli {
namespace {

using test_support::RunProgram;
using test_support::TempDir;
using test_support::WriteBytes;

// What `diff -u` prints for the two texts, without its two header lines (they carry times).
std::string GnuHunks(const std::string& oldText, const std::string& newText,
                     std::vector<std::string> options = {"-u"}) {
    TempDir dir;
    WriteBytes(dir.File("old"), oldText);
    WriteBytes(dir.File("new"), newText);
    options.push_back(dir.File("old"));
    options.push_back(dir.File("new"));
    const test_support::CommandResult result = RunProgram("/usr/bin/diff", options);
    std::string out = result.out;
    for (int header = 0; header < 2 && !out.empty(); ++header) out.erase(0, out.find('\n') + 1);
    return out;
}

std::string Lines(int from, int to, const std::string& suffix = "\n") {
    std::string text;
    for (int i = from; i <= to; ++i) text += "line " + std::to_string(i) + suffix;
    return text;
}

bool HaveGnuDiff() {
#ifdef _WIN32
    return false;
#else
    return test_support::PathExists("/usr/bin/diff");
#endif
}

TEST(UnifiedDiff, PrintsWhatGnuDiffPrints) {
    if (!HaveGnuDiff()) GTEST_SKIP() << "GNU diff is not installed here";
    struct Case {
        const char* name;
        std::string oldText, newText;
    };
    const std::string crlf = Lines(1, 9, "\r\n");
    std::string crlfEdited = crlf;
    crlfEdited.replace(crlfEdited.find("line 5"), 6, "x = GetValueStr(1025);//\"line 5\"");
    const Case cases[] = {
        {"one line changed in the middle", Lines(1, 20), Lines(1, 9) + "ten\n" + Lines(11, 20)},
        {"changes six lines apart share a hunk", Lines(1, 20),
         Lines(1, 4) + "five\n" + Lines(6, 11) + "twelve\n" + Lines(13, 20)},
        {"changes seven lines apart make two hunks", Lines(1, 20),
         Lines(1, 4) + "five\n" + Lines(6, 12) + "thirteen\n" + Lines(14, 20)},
        {"a change at the first and the last line", Lines(1, 5), "one\n" + Lines(2, 4) + "five\n"},
        {"lines inserted at the top", Lines(1, 5), "a\nb\n" + Lines(1, 5)},
        {"lines deleted at the end", Lines(1, 8), Lines(1, 5)},
        {"the last line without its break", Lines(1, 5), Lines(1, 4) + "line 5"},
        {"both without a last break", Lines(1, 4) + "old", Lines(1, 4) + "new"},
        {"an empty old text", "", Lines(1, 2)},
        {"CR LF lines keep their CR", crlf, crlfEdited},
        {"GBK bytes", "a\n\xC4\xE3\xBA\xC3\nb\n", "a\n\xCA\xC0\xBD\xE7\nb\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(UnifiedDiffHunks(c.oldText, c.newText), GnuHunks(c.oldText, c.newText));
    }
    EXPECT_EQ(UnifiedDiff("a\n", "a\n", "x", "x"), "");
    EXPECT_EQ(UnifiedDiff("a\n", "b\n", "f.cpp", "f.cpp"),
              "--- f.cpp\n+++ f.cpp\n@@ -1 +1 @@\n-a\n+b\n");
}

// Random texts over few distinct lines, so that many alignments tie: the script must be as
// short as GNU diff's (diff --minimal) and turn the old text into the new one.
TEST(UnifiedDiff, RandomTextsGetAShortestScriptThatMakesTheNewText) {
    if (!HaveGnuDiff()) GTEST_SKIP() << "GNU diff is not installed here";
    std::mt19937 random(7);
    auto text = [&random](std::size_t lines) {
        std::string t;
        for (std::size_t i = 0; i < lines; ++i) t += std::string(1, "abc"[random() % 3]) + "\n";
        return t;
    };
    auto changedLines = [](const std::string& hunks) {
        std::size_t count = 0;
        for (std::size_t at = 0; at < hunks.size(); at = hunks.find('\n', at) + 1)
            if (hunks[at] == '-' || hunks[at] == '+') ++count;
        return count;
    };
    for (int round = 0; round < 60; ++round) {
        const std::string oldText = text(random() % 25), newText = text(random() % 25);
        const std::string hunks = UnifiedDiffHunks(oldText, newText, 0);
        const std::string gnu = GnuHunks(oldText, newText, {"--minimal", "-U0"});
        EXPECT_EQ(changedLines(hunks), changedLines(gnu)) << oldText << "--\n" << newText;
        // patch applies the hunks to the old text and gives the new one.
        TempDir dir;
        WriteBytes(dir.File("old"), oldText);
        WriteBytes(dir.File("patch"), "--- old\n+++ old\n" + hunks);
        RunProgram("/usr/bin/patch", {"-s", dir.File("old"), dir.File("patch")});
        EXPECT_EQ(test_support::ReadBytes(dir.File("old")), newText) << hunks;
    }
}

}  // namespace
}  // namespace korvexer::cli
