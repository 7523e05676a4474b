// SPDX-License-Identifier: MIT
// Tests of the benchmark helpers: medians, verdicts, file lists, plain reads, generated sources
// and the count of live file buffers.
#include "bench/bench_support.h"

#include <gtest/gtest.h>

#include <fstream>

#include "bench/buffer_probe.h"
#include "core/language/language_defaults.h"
#include "core/list/list_texts.h"
#include "core/scanner/line_model.h"

namespace korvexer::bench {
namespace {

void Write(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

TEST(Median, OddEvenAndEmpty) {
    EXPECT_EQ(Median({}), 0);
    EXPECT_EQ(Median({3, 1, 2}), 2);
    EXPECT_EQ(Median({4, 1, 3, 2}), 2.5);
    EXPECT_EQ(Median({9, 9, 1, 9, 1}), 9);
}

TEST(Report, MissedTargetsGiveAFailingStatus) {
    Report report("test");
    report.AtMost("at most, on the limit", 2.0, 2.0);
    report.AtLeast("at least, on the floor", 10.0, 10.0);
    report.Holds("holds", true, "yes");
    EXPECT_EQ(report.Finish(), 0);
    report.AtMost("at most, above", 2.01, 2.0);
    report.AtLeast("at least, below", 9.99, 10.0);
    report.Holds("does not hold", false, "no");
    EXPECT_EQ(report.missed(), 3);
    EXPECT_EQ(report.Finish(), 1);
}

TEST(FindSources, SuffixesWithoutCaseInPathOrder) {
    ScratchFolder folder;
    const std::string root = folder.path();
    ASSERT_TRUE(FileSystem::Real().CreateDirectories(root + "/b/c"));
    for (const char* name : {"/b/c/z.PAS", "/a.pp", "/b/x.pas", "/b/notes.txt", "/b/c/.pas"})
        Write(root + name, "x");
    EXPECT_EQ(FindSources(root, {".pas", ".pp"}),
              (std::vector<std::string>{root + "/a.pp", root + "/b/c/z.PAS", root + "/b/x.pas"}));
    EXPECT_TRUE(FindSources(root + "/missing", {".pas"}).empty());
}

TEST(ReadPlainly, CountsBytesUpToTheLimit) {
    ScratchFolder folder;
    const std::string big = folder.path() + "/big", small = folder.path() + "/small";
    Write(big, std::string(1300000, 'b'));
    Write(small, std::string(10, 's'));
    EXPECT_EQ(ReadPlainly({big, small}, kSourceReadLimit), kSourceReadLimit + 10);
    EXPECT_EQ(ReadPlainly({big, small, folder.path() + "/none"}, FileSystem::kNoLimit),
              1300000u + 10);
    EXPECT_EQ(ReadPlainly({small}, 4), 4u);
}

TEST(GenerateSources, EveryRowIsListedOnceAndAppliesCleanly) {
    ScratchFolder folder;
    const std::vector<std::string> paths = GenerateSources(folder.path(), 3, 10);
    ASSERT_EQ(paths.size(), 3u);
    LanguageDefinition language = LoaderDefaults(0);
    language.carryreturn = {'\n', 0};
    const RowList constants = ScanFiles(paths, language, ScanMode::Constants);
    ASSERT_EQ(constants.size(), 30u);
    EXPECT_EQ(constants.Text(0, 1), texts::kTypeString);
    EXPECT_EQ(constants.Text(0, 2), "caption number 0 of the form");
    EXPECT_EQ(constants.Text(1, 2), "37");
    EXPECT_EQ(constants.Text(29, 4), paths[2]);
    // The call lines hold what a calls scan lists: one every fourth row.
    EXPECT_EQ(ScanFiles(paths, language, ScanMode::Calls).size(), 3u * 3);
}

TEST(BufferProbe, CountsFileBuffersAliveAtOnce) {
    ScratchFolder folder;
    const std::string a = folder.path() + "/a", b = folder.path() + "/b";
    Write(a, std::string(50000, 'a'));
    Write(b, std::string(70000, 'b'));
    BufferProbe probe(FileSystem::Real());
    {
        Expected<FileContent> first = probe.Read(a, FileSystem::kNoLimit);
        ASSERT_TRUE(first);
    }
    Expected<FileContent> second = probe.Read(b, FileSystem::kNoLimit);
    ASSERT_TRUE(second);
    EXPECT_EQ(BufferProbe::MostAlive(), 1u);  // the first was gone before the second came
    Expected<FileContent> third = probe.Read(a, FileSystem::kNoLimit);
    ASSERT_TRUE(third);
    EXPECT_EQ(BufferProbe::MostAlive(), 2u);
    EXPECT_GE(BufferProbe::LargestBytes(), 70000u);
}

}  // namespace
}  // namespace korvexer::bench
