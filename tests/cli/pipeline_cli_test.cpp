// SPDX-License-Identifier: MIT
// korvexer-cli in a build pipeline, on a copy of the sample project: a dry run that writes
// nothing, a protect of a selection, its result as JSON, and the check that fails the build.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "core/platform/path_case.h"
#include "tests/support/test_support.h"

namespace korvexer {
namespace {

using test_support::CommandResult;
using test_support::Count;
using test_support::ReadBytes;
using test_support::RowEscaped;
using test_support::RunProgram;
using test_support::TempDir;
using test_support::WriteBytes;

bool IsAscii(const std::string& text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

// Every file beneath a folder with its bytes and modification time.
std::map<std::string, std::pair<std::string, std::filesystem::file_time_type>> Snapshot(
    const std::string& folder) {
    std::map<std::string, std::pair<std::string, std::filesystem::file_time_type>> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
        if (entry.is_regular_file())
            files[entry.path().string()] = {ReadBytes(entry.path().string()),
                                            entry.last_write_time()};
    return files;
}

// The sample project copied, with its settings file; the working folder of each run is the copy.
class Pipeline : public ::testing::Test {
protected:
    void SetUp() override {
        test_support::CopyTree(KORVEXER_SAMPLES, m_dir.path());
        std::string ini = ReadBytes(std::string(KORVEXER_SAMPLES) + "/korvexer.ini.in");
        for (std::size_t at = ini.find("@SAMPLES@"); at != std::string::npos;
             at = ini.find("@SAMPLES@"))
            ini.replace(at, 9, m_dir.path());
        WriteBytes(m_dir.File("korvexer.ini"), ini);
        m_previous = std::filesystem::current_path();
        std::filesystem::current_path(m_dir.path());
    }
    void TearDown() override { std::filesystem::current_path(m_previous); }

    CommandResult Run(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), {"--settings", m_dir.File("korvexer.ini")});
        CommandResult result = RunProgram(KORVEXER_CLI, arguments);
        // No Chinese reaches the shell but the sources' own values.
        EXPECT_TRUE(IsAscii(result.err)) << result.err;
        return result;
    }

    TempDir m_dir;
    std::filesystem::path m_previous;
};

TEST_F(Pipeline, PreviewProtectTheSelectionReadTheResultAndCheck) {
    // The strings of orders/, but not of report.cpp.
    const std::vector<std::string> selection = {"--source",  "orders",     "--file",   "orders/",
                                                "--exclude", "report.cpp", "--strings"};
    auto with = [&selection](std::vector<std::string> arguments) {
        arguments.insert(arguments.end(), selection.begin(), selection.end());
        return arguments;
    };

    // The dry run prints the diff, exits 1 and writes nothing at all.
    const auto before = Snapshot(m_dir.path());
    CommandResult preview = Run(with({"project", "protect", "--dry-run"}));
    EXPECT_EQ(preview.exitCode, 1) << preview.err;
    EXPECT_EQ(Snapshot(m_dir.path()), before);
    EXPECT_EQ(Count(preview.out, "\n--- "), 1u);  // main.cpp and greeting.cpp; report.cpp not
    // The main source file is named as the settings name it.
    EXPECT_EQ(preview.out.find("--- " + m_dir.path() + "/orders/main.cpp\n+++ "), 0u);
    EXPECT_EQ(Count(preview.out, "\n+    header = GetValueStr("), 1u);
    EXPECT_EQ(Count(preview.out, "report.cpp"), 0u);
    EXPECT_EQ(Count(preview.out, "GetValueInt("), 0u);
    EXPECT_NE(preview.out.find("\n\\ No newline at end of file\n"), std::string::npos);
    EXPECT_NE(preview.out.find("\nsummary: dry run, nothing written: applied 4, taken back 0, "
                               "skipped 0, files to write 2\n"),
              std::string::npos);

    // The protect itself, its result read as JSON.
    CommandResult protect = Run(with({"project", "protect", "--format", "json"}));
    ASSERT_EQ(protect.exitCode, 0) << protect.err;
    EXPECT_EQ(Count(protect.out, "{\"kind\":\"file\","), 2u);
    EXPECT_NE(protect.out.find("{\"kind\":\"summary\",\"command\":\"protect\",\"dryRun\":false,"
                               "\"applied\":4,\"takenBack\":0,\"skipped\":0,\"filesWritten\":2"),
              std::string::npos)
        << protect.out;
    EXPECT_EQ(ReadBytes(m_dir.File("orders/report.cpp")),
              ReadBytes(std::string(KORVEXER_SAMPLES) + "/orders/report.cpp"));

    // The record and the sources agree; --strict names the numbers and report.cpp's string.
    CommandResult check = Run({"project", "check"});
    EXPECT_EQ(check.exitCode, 0) << check.out << check.err;
    EXPECT_EQ(check.out, "");
    CommandResult strict = Run({"project", "check", "--strict", "--format", "json"});
    EXPECT_EQ(strict.exitCode, 1);
    EXPECT_EQ(Count(strict.out, "\"problem\":\"not-protected\""), 5u) << strict.out;

    // A protect again under the same selection changes nothing; its dry run says so with 0.
    CommandResult again = Run(with({"project", "protect", "--dry-run"}));
    EXPECT_EQ(again.exitCode, 0) << again.out << again.err;

    // Someone puts a literal back by hand and adds an accessor call of their own: the build
    // fails, one line per disagreement.
    std::string main = ReadBytes(m_dir.File("orders/main.cpp"));
    const std::size_t call = main.find("GetValueStr(");
    main.replace(call, main.find(';', call) - call, "\"Order report\"");
    main += "    extra = GetValueStr(99999);\r\n";
    WriteBytes(m_dir.File("orders/main.cpp"), main);
    CommandResult broken = Run({"project", "check"});
    EXPECT_EQ(broken.exitCode, 1);
    EXPECT_EQ(Count(broken.out, "\n"), 2u) << broken.out;
    EXPECT_NE(broken.out.find("main.cpp:17:13: constant "), std::string::npos) << broken.out;
    EXPECT_NE(broken.out.find("GetValueStr(99999) is not in the record"), std::string::npos);
}

TEST_F(Pipeline, RowsFromAScanAreAppliedExactly) {
    // A script picks rows from the JSON scan and marks them; the step applies exactly those.
    CommandResult scan = Run({"project", "scan", "constants", "--format", "json", "--numbers"});
    ASSERT_EQ(scan.exitCode, 0) << scan.err;
    ASSERT_EQ(Count(scan.out, "\n"), 2u) << scan.out;  // main.cpp's 3 and 0x40
    std::string first = scan.out.substr(0, scan.out.find('\n') + 1);
    first.replace(first.find("\"state\":\"none\""), 14, "\"state\":\"replace\"");
    WriteBytes(m_dir.File("rows.json"), first);
    CommandResult protect = Run({"project", "protect", "--rows", "rows.json"});
    ASSERT_EQ(protect.exitCode, 0) << protect.err;
    EXPECT_NE(protect.out.find("summary: applied 1, taken back 0"), std::string::npos);
    EXPECT_NE(ReadBytes(m_dir.File("orders/main.cpp")).find("copies = GetValueInt("),
              std::string::npos);

    // A row the sources no longer hold is refused, and nothing changes.
    WriteBytes(m_dir.File("stale.json"),
               "{\"kind\":\"constant\",\"state\":\"replace\",\"file\":\"" +
                   RowEscaped(m_dir.File("orders/main.cpp")) + "\",\"line\":99,\"column\":1}\n");
    const auto before = Snapshot(m_dir.path());
    CommandResult stale = Run({"project", "protect", "--rows", "stale.json"});
    EXPECT_EQ(stale.exitCode, 2);
    EXPECT_NE(stale.err.find("main.cpp:99:1"), std::string::npos) << stale.err;
    EXPECT_EQ(Snapshot(m_dir.path()), before);
}

TEST_F(Pipeline, RefusalsAreEnglishAndExitTwo) {
    std::string longLines;
    for (int i = 0; i < 700; ++i) longLines += "s = \"" + std::string(150, 'q') + "\";\r\n";
    WriteBytes(m_dir.File("orders/long.cpp"), longLines);
    const std::vector<std::vector<std::string>> refused = {
        {"project", "protect", "--source", "orders/long.cpp"},
        {"project", "protect", "--source", "orders/missing.cpp"},
        {"project", "substitute", "--pair", "strlen=STRLEN_KX"},
        {"project", "protect", "--value", "(unclosed"},
        {"project", "source", "remove", "orders/none.cpp"},
    };
    const auto before = Snapshot(m_dir.path());
    for (const std::vector<std::string>& arguments : refused) {
        CommandResult result = Run(arguments);
        EXPECT_EQ(result.exitCode, 2) << arguments[1] << " " << arguments.back();
        EXPECT_EQ(Count(result.err, "\n"), 1u) << result.err;
    }
    EXPECT_EQ(Snapshot(m_dir.path()), before);
    CommandResult tooMuch = Run({"project", "protect", "--dry-run", "--source", "orders/long.cpp"});
    EXPECT_NE(tooMuch.err.find("more than the 102,409 of a record section"), std::string::npos)
        << tooMuch.err;
    EXPECT_NE(tooMuch.err.find("narrow the selection"), std::string::npos);
    // Narrowed, it fits.
    CommandResult narrowed = Run({"project", "protect", "--dry-run", "--source", "orders/long.cpp",
                                  "--exclude", "long.cpp"});
    EXPECT_EQ(narrowed.exitCode, 1) << narrowed.err;
    EXPECT_NE(Run({"project", "substitute", "--pair", "strlen=STRLEN_KX"})
                  .err.find("did you mean strlen_kx?"),
              std::string::npos);

    // Bulk substitution leaves out entries of other argument types and says so.
    WriteBytes(m_dir.File("orders/calls.cpp"), "x = toupper(c);\r\ny = strlen(s);\r\n");
    CommandResult bulk =
        Run({"project", "substitute", "--catalogue", "--source", "orders/calls.cpp"});
    ASSERT_EQ(bulk.exitCode, 0) << bulk.err;
    EXPECT_EQ(ReadBytes(m_dir.File("orders/calls.cpp")),
              "x = toupper(c);\r\ny = strlen_kx(s);//strlen\r\n");
    EXPECT_NE(bulk.out.find("toupper (toupper_kx, 1 row)"), std::string::npos) << bulk.out;

    // The substitution stands; once the call is put back by hand, check names it.
    EXPECT_EQ(Run({"project", "check"}).exitCode, 0);
    WriteBytes(m_dir.File("orders/calls.cpp"), "x = toupper(c);\r\ny = strlen(s);\r\n");
    CommandResult undone = Run({"project", "check"});
    EXPECT_EQ(undone.exitCode, 1);
    EXPECT_NE(undone.out.find("calls.cpp:2:4: strlen is recorded as substituted by strlen_kx"),
              std::string::npos)
        << undone.out;

    // The source-file list: listed, and a file taken off it.
    CommandResult list = Run({"project", "source", "list"});
    // The list holds a file's name as the platform compares it (lower case on Windows).
    EXPECT_NE(list.out.find(RowEscaped(PathCaseKey(m_dir.File("orders/calls.cpp"))) + "\n"),
              std::string::npos)
        << list.out;
    EXPECT_EQ(Run({"project", "source", "remove", m_dir.File("orders/calls.cpp")}).exitCode, 0);
    EXPECT_EQ(Run({"project", "source", "list"}).out.find("calls.cpp"), std::string::npos);
}

}  // namespace
}  // namespace korvexer

namespace korvexer {
namespace {

TEST(FileArguments, FoldersGiveTheirSourcesInPathOrderAndListsComeFromStandardInput) {
    TempDir dir;
    test_support::MakeDirectory(dir.File("src"));
    test_support::MakeDirectory(dir.File("src/sub"));
    for (const char* name :
         {"src/b.c", "src/A.CPP", "src/sub/d.cpp", "src/c.h", "src/e.cpp~", "listed.cpp"})
        WriteBytes(dir.File(name), "x = 1;\r\n");
    auto scanned = [](const CommandResult& result) {
        std::string files;
        for (std::size_t at = 0; at < result.out.size(); at = result.out.find('\n', at) + 1) {
            const std::size_t tab = result.out.rfind('\t', result.out.find('\n', at));
            const std::size_t before = result.out.rfind('\t', tab - 1);
            files += result.out.substr(before + 1, tab - before - 1) + " ";
        }
        return files;
    };
    const std::string settings = dir.File("none.ini");
    // The suffixes of Visual C++ are .cpp and .c, in any case; backups and headers stay out.
    CommandResult folder = RunProgram(KORVEXER_CLI, {"--settings", settings, "scan", "constants",
                                                     "--language", "0", dir.File("src")});
    ASSERT_EQ(folder.exitCode, 0) << folder.err;
    // Scanned files are named as the platform compares them (lower case on Windows).
    auto key = [&dir](const char* name) { return RowEscaped(PathCaseKey(dir.File(name))) + " "; };
    EXPECT_EQ(scanned(folder), key("src/A.CPP") + key("src/b.c") + key("src/sub/d.cpp"));
    // NUL-separated names from standard input, after the arguments.
    CommandResult listed = RunProgram(KORVEXER_CLI,
                                      {"--settings", settings, "scan", "constants", "--language",
                                       "0", "--files-from", "-", "-0", dir.File("src/b.c")},
                                      dir.File("listed.cpp") + std::string(1, '\0'));
    ASSERT_EQ(listed.exitCode, 0) << listed.err;
    EXPECT_EQ(scanned(listed), key("src/b.c") + key("listed.cpp"));
    // A name in the list that does not exist is refused.
    CommandResult missing = RunProgram(
        KORVEXER_CLI,
        {"--settings", settings, "scan", "constants", "--language", "0", "--files-from", "-"},
        dir.File("gone.cpp") + "\n");
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_NE(missing.err.find("gone.cpp"), std::string::npos);
}

}  // namespace
}  // namespace korvexer
