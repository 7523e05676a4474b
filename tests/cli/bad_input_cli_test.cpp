// SPDX-License-Identifier: MIT
// korvexer-cli on bad input: empty, binary and missing source files, folders, malformed rows and
// record files that are no records. Each gives its documented result and touches no file.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <random>

#include "core/platform/path_case.h"
#include "core/scanner/line_model.h"
#include "tests/support/test_support.h"

namespace korvexer {
namespace {

using test_support::CommandResult;
using test_support::ReadBytes;
using test_support::RunProgram;
using test_support::TempDir;
using test_support::WriteBytes;

std::string Noise(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& byte : bytes) byte = static_cast<char>(random() & 0xFF);
    return bytes;
}

class BadInputCli : public ::testing::Test {
protected:
    CommandResult Run(std::vector<std::string> arguments, const std::string& input = "") {
        arguments.insert(arguments.begin(),
                         {"--settings", m_dir.File("none.ini"), "--encoding", "gbk"});
        return RunProgram(KORVEXER_CLI, arguments, input);
    }
    TempDir m_dir;
};

TEST_F(BadInputCli, SourceCommandsTakeBadFilesAsTheyAre) {
    const std::string empty = m_dir.File("empty.cpp"), binary = m_dir.File("binary.cpp"),
                      nul = m_dir.File("nul-bytes.cpp"), folder = m_dir.File("folder.cpp"),
                      missing = m_dir.File("missing.cpp");
    WriteBytes(empty, "");
    WriteBytes(binary, Noise(3 * 1024 * 1024, 21));
    WriteBytes(nul, std::string("n = 40;\0\r\ns = \"\0\";\r\n\0", 21));
    ASSERT_NO_THROW(test_support::MakeDirectory(folder));
    const std::vector<std::vector<std::string>> commands = {
        {"lines", "--language", "0"},
        {"statements", "--language", "1"},
        {"scan", "constants", "--language", "3", "--now", "0"},
        {"scan", "calls", "--language", "5"},
    };
    for (const std::vector<std::string>& command : commands) {
        // Without --keep-going a file that cannot be read is refused; a folder is one for the
        // commands of one file, and for scan the files beneath it (none here).
        const bool scan = command[0] == "scan";
        for (const std::string& file : {folder, missing}) {
            std::vector<std::string> arguments = command;
            arguments.push_back(file);
            CommandResult result = Run(arguments);
            const bool refused = file == missing || !scan;
            EXPECT_EQ(result.exitCode, refused ? 2 : 0) << command[0] << " " << file;
            EXPECT_EQ(result.err.find(file) != std::string::npos, refused) << result.err;
            EXPECT_EQ(result.out, "");
        }
        for (const std::string& file : {empty, binary, nul, folder, missing}) {
            std::vector<std::string> arguments = command;
            arguments.push_back("--keep-going");
            arguments.push_back(file);
            CommandResult result = Run(arguments);
            EXPECT_EQ(result.exitCode, 0) << command[0] << " " << file << ": " << result.err;
            const bool unreadable = file == missing || (file == folder && !scan);
            // The scan names files by the key of the platform's case rule.
            const std::string named = command[0] == "scan" ? PathCaseKey(file) : file;
            EXPECT_EQ(result.err.find("warning: cannot read " + named) != std::string::npos,
                      unreadable)
                << command[0] << " " << file << ": " << result.err;
            if (unreadable || file == empty) {
                EXPECT_EQ(result.out, "") << command[0] << file;
            }
        }
    }
    // Every line of the binary file's first 512,000 bytes is shown, one row each.
    CommandResult lines = Run({"lines", "--language", "0", binary});
    LineModel model = LoadSourceLines(FileSystem::Real(), binary, {'\r', '\n'});
    EXPECT_EQ(static_cast<std::size_t>(std::count(lines.out.begin(), lines.out.end(), '\n')),
              model.LineCount());
    CommandResult nulLines = Run({"lines", "--language", "0", nul});
    EXPECT_EQ(nulLines.out, std::string("1\tn = 40;\0\n2\ts = \"\0\";\n3\t\0\n", 26));
    EXPECT_EQ(ReadBytes(binary), Noise(3 * 1024 * 1024, 21));
}

TEST_F(BadInputCli, ApplyPassesOverRowsItCannotPlaceAndTouchesNothing) {
    const std::string source = m_dir.File("a.cpp"), folder = m_dir.File("folder.cpp");
    const std::string kSource = "n = 40;\r\n";
    WriteBytes(source, kSource);
    ASSERT_NO_THROW(test_support::MakeDirectory(folder));
    // "替换" and "数值" in GBK.
    const std::string replace = "\xCC\xE6\xBB\xBB", number = "\xCA\xFD\xD6\xB5";
    const auto row = [&](const std::string& key, const std::string& file,
                         const std::string& position) {
        return key + "\t" + number + "\t40\t" + replace + "\t" + file + "\t" + position + "\n";
    };
    struct Case {
        const char* name;
        std::string rows;
        int exitCode;
    };
    const Case cases[] = {
        {"too few columns", "1\t" + number + "\t40\n", 0},
        {"one column", "1\n", 0},
        {"empty lines", "\n\n\n", 0},
        {"a position of letters", row("1", source, "x:y"), 0},
        {"a line number past every integer", row("1", source, "99999999999999999999:4"), 0},
        {"a column past every integer", row("1", source, "1:99999999999999999999"), 0},
        {"negative positions", row("1", source, "-1:-4"), 0},
        {"line zero", row("1", source, "0:4"), 0},
        {"no key", row("", source, "1:5"), 0},
        {"a folder as the file", row("1", folder, "1:4"), 0},
        {"a NUL byte in the file name", row("1", source + std::string(1, '\0'), "1:4"), 0},
        {"binary noise", Noise(4096, 22), 0},
    };
    for (const Case& c : cases) {
        CommandResult result = Run({"apply", "constants", "--language", "0"}, c.rows);
        EXPECT_EQ(result.exitCode, c.exitCode) << c.name << ": " << result.err;
        EXPECT_EQ(ReadBytes(source), kSource) << c.name;
        EXPECT_NE(::access((source + "~").c_str(), F_OK), 0) << c.name;
    }
    // In the UTF-8 encoding, input that is not UTF-8 is refused before any file is read.
    CommandResult refused =
        RunProgram(KORVEXER_CLI,
                   {"--settings", m_dir.File("none.ini"), "apply", "constants", "--language", "0"},
                   row("1", source, "1:4").replace(0, 1, "\xFF"));
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_NE(refused.err.find("input line 1"), std::string::npos) << refused.err;
    EXPECT_EQ(ReadBytes(source), kSource);
}

TEST_F(BadInputCli, RecordReadOfFilesThatAreNoRecords) {
    const std::string folder = m_dir.File("folder.con");
    ASSERT_NO_THROW(test_support::MakeDirectory(folder));
    WriteBytes(m_dir.File("empty.con"), "");
    WriteBytes(m_dir.File("noise.con"), Noise(3 * 1024 * 1024, 23));
    WriteBytes(m_dir.File("digits.con"), std::string(1000000, '9'));
    struct Case {
        std::string path;
        int exitCode;
    };
    const Case cases[] = {
        {m_dir.File("empty.con"), 2},
        {m_dir.File("noise.con"), 2},
        {m_dir.File("digits.con"), 2},
        {folder, 1},
    };
    for (const Case& c : cases) {
        CommandResult result = Run({"record", "read", c.path});
        EXPECT_EQ(result.exitCode, c.exitCode) << c.path;
        EXPECT_EQ(result.out, "I\t1024\n") << c.path;
    }
}

}  // namespace
}  // namespace korvexer
