// SPDX-License-Identifier: MIT
// Tests of korvexer-cli project on a copy of the sample project: the steps, the record, refusals.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/platform/file_system.h"
#include "core/platform/path_case.h"
#include "tests/support/test_support.h"

namespace korvexer {
namespace {

using test_support::CommandResult;
using test_support::ReadBytes;
using test_support::RunProgram;
using test_support::TempDir;
using test_support::WriteBytes;

std::size_t Count(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

// A copy of the sample project with its settings file; `application` is the folder (relative to
// the copy) that holds the application file.
struct SampleCopy {
    TempDir dir;
    std::string orders = dir.File("orders");
    std::string main = dir.File("orders/main.cpp");
    std::string report = dir.File("orders/report.cpp");
    std::string settings = dir.File("korvexer.ini");

    explicit SampleCopy(const std::string& application = "orders") {
        EXPECT_NO_THROW(test_support::CopyTree(KORVEXER_SAMPLES, dir.path()));
        std::string ini = ReadBytes(std::string(KORVEXER_SAMPLES) + "/korvexer.ini.in");
        ini.replace(ini.find("@SAMPLES@/orders/main.cpp"), 25, main);
        ini.replace(ini.find("@SAMPLES@/orders/orders.exe"), 27,
                    dir.File(application + "/orders.exe"));
        for (std::size_t at = ini.find("@SAMPLES@"); at != std::string::npos;
             at = ini.find("@SAMPLES@"))
            ini.replace(at, 9, dir.path());
        WriteBytes(settings, ini);
        (void)FileSystem::Real().CreateDirectories(dir.File(application));
    }
    std::string Record() const { return ReadBytes(dir.File(recordFolder + "/orders.con")); }
    CommandResult Run(std::vector<std::string> arguments) const {
        arguments.insert(arguments.begin(), {"--settings", settings, "project"});
        return RunProgram(KORVEXER_CLI, arguments);
    }
    std::string recordFolder = "orders";
};

std::string Original(const std::string& name) {
    return ReadBytes(std::string(KORVEXER_SAMPLES) + "/orders/" + name);
}

TEST(ProjectProtect, ReplacesEveryConstantAndRestoreTakesThemBack) {
    SampleCopy project;
    CommandResult protect = project.Run({"protect", "--source", project.report});
    ASSERT_EQ(protect.exitCode, 0) << protect.err;
    EXPECT_EQ(protect.out, project.main + "\n" + PathCaseKey(project.report) +
                               "\nsummary: applied 6, taken back 0, skipped 0, files written 2\n");
    const std::string main = ReadBytes(project.main);
    EXPECT_EQ(Count(main, "GetValueStr("), 2u);
    EXPECT_EQ(Count(main, "GetValueInt("), 1u);
    EXPECT_NE(main.find(");//\"Order report\"\r\n"), std::string::npos);
    EXPECT_EQ(ReadBytes(project.main + "~"), Original("main.cpp"));

    CommandResult shown = project.Run({"show"});
    ASSERT_EQ(shown.exitCode, 0) << shown.err;
    EXPECT_EQ(Count(shown.out, "\nC\t"), 6u);
    EXPECT_NE(shown.out.find("\nS\t" + test_support::AsColumn(PathCaseKey(project.report)) + "\n"),
              std::string::npos);
    EXPECT_NE(shown.out.find("P\tlanguage\t0\tVisual C++\n"), std::string::npos);

    // Protecting again finds everything replaced already: no file changes, the record stays.
    const std::string record = project.Record();
    CommandResult again = project.Run({"protect"});
    ASSERT_EQ(again.exitCode, 0) << again.err;
    EXPECT_EQ(again.out, "summary: applied 0, taken back 0, skipped 0, files written 0\n");
    EXPECT_EQ(project.Record(), record);

    CommandResult restore = project.Run({"restore"});
    ASSERT_EQ(restore.exitCode, 0) << restore.err;
    EXPECT_EQ(ReadBytes(project.main), Original("main.cpp"));
    EXPECT_EQ(ReadBytes(project.report), Original("report.cpp"));
    CommandResult empty = project.Run({"show"});
    EXPECT_EQ(Count(empty.out, "\nC\t"), 0u);
    EXPECT_EQ(Count(empty.out, "\nS\t"), 1u);  // the source-file list stays
}

TEST(ProjectProtect, WritesTheRecordBesideTheApplicationAndCopiesIt) {
    SampleCopy project("bin");
    CommandResult protect = project.Run({"protect"});
    ASSERT_EQ(protect.exitCode, 0) << protect.err;
    project.recordFolder = "bin";
    const std::string record = project.Record();
    ASSERT_FALSE(record.empty());
    EXPECT_EQ(record.find("EXCHANGEVAR_VER1"), record.find('\r') + 2);
    EXPECT_EQ(ReadBytes(project.dir.File("orders/orders.con")), record);

    // Without the record beside the application, the copy is read.
    ASSERT_TRUE(FileSystem::Real().Remove(project.dir.File("bin/orders.con")));
    CommandResult shown = project.Run({"show"});
    ASSERT_EQ(shown.exitCode, 0) << shown.err;
    EXPECT_EQ(Count(shown.out, "\nC\t"), 4u);
    EXPECT_NE(
        shown.out.find("\t" + test_support::AsColumn(project.dir.File("orders/orders.con")) + "\n"),
        std::string::npos);
}

TEST(ProjectSubstitute, PairsNamedCallsAndOnlyExactCatalogueNames) {
    SampleCopy project;
    // Copy is not strlen's kind: the catalogue's CopyFile_kx merely contains its name.
    WriteBytes(project.dir.File("orders/extra.cpp"), "s = Copy(s, 1, 2);\r\nn = _StrLen(s);\r\n");
    CommandResult substitute =
        project.Run({"substitute", "--catalogue", "--pair", "PUTS=MessageBox_kx", "--source",
                     project.report, "--source", project.dir.File("orders/extra.cpp")});
    ASSERT_EQ(substitute.exitCode, 0) << substitute.err;
    const std::string report = ReadBytes(project.report);
    EXPECT_NE(report.find("width = strlen_kx(title);//strlen\r\n"), std::string::npos);
    EXPECT_NE(report.find("MessageBox_kx(\"title too long\");//puts\r\n"), std::string::npos);
    EXPECT_NE(report.find("printf(\"%s\\n\", title);\r\n"), std::string::npos);
    EXPECT_EQ(ReadBytes(project.dir.File("orders/extra.cpp")),
              "s = Copy(s, 1, 2);\r\nn = strlen_kx(s);//_StrLen\r\n");

    CommandResult shown = project.Run({"show"});
    EXPECT_EQ(Count(shown.out, "\nF\t"), 3u);
    EXPECT_NE(shown.out.find("\nF\t1\tstrlen\tstrlen_kx\t" +
                             test_support::AsColumn(PathCaseKey(project.report))),
              std::string::npos);

    CommandResult back = project.Run({"unsubstitute"});
    ASSERT_EQ(back.exitCode, 0) << back.err;
    EXPECT_EQ(ReadBytes(project.report), Original("report.cpp"));
    EXPECT_EQ(ReadBytes(project.dir.File("orders/extra.cpp")),
              "s = Copy(s, 1, 2);\r\nn = _StrLen(s);\r\n");
    EXPECT_EQ(Count(project.Run({"show"}).out, "\nF\t"), 0u);
}

TEST(ProjectCommands, RefusalsExitTwoWithOneLineAndChangeNothing) {
    struct Case {
        const char* name;
        std::vector<std::string> arguments;
        std::string recordBytes;  // written first when not empty
        std::string mainSource;   // replaces main.cpp when not empty
    };
    const std::string longLiteral = "s = \"" + std::string(300, 'w') + "\";\r\n";
    const Case cases[] = {
        {"substitute without pairs", {"substitute"}, "", ""},
        {"malformed pair", {"substitute", "--pair", "strlen"}, "", ""},
        {"unreadable record", {"protect"}, "garbage", ""},
        {"unknown project", {"protect", "--company", "NONE", "--product", "X"}, "", ""},
        {"a value the record cannot hold", {"protect"}, "", longLiteral},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SampleCopy project;
        if (!c.recordBytes.empty())
            WriteBytes(project.dir.File("orders/orders.con"), c.recordBytes);
        if (!c.mainSource.empty()) WriteBytes(project.main, c.mainSource);
        const std::string before = ReadBytes(project.main);
        const std::string settingsBefore = ReadBytes(project.settings);
        CommandResult result = project.Run(c.arguments);
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_EQ(Count(result.err, "\n"), 1u) << result.err;
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(ReadBytes(project.main), before);
        EXPECT_EQ(project.Record(), c.recordBytes);
        EXPECT_EQ(ReadBytes(project.settings), settingsBefore);
    }
    // Showing writes nothing, so an unreadable record is only a warning there.
    SampleCopy project;
    WriteBytes(project.dir.File("orders/orders.con"), "garbage");
    CommandResult shown = project.Run({"show"});
    EXPECT_EQ(shown.exitCode, 0);
    EXPECT_NE(shown.err.find("orders.con"), std::string::npos);
    EXPECT_NE(shown.out.find("P\tcompany\tKORVEX\n"), std::string::npos);
}

TEST(ProjectCommands, AFileThatCannotBeWrittenIsNamedAndExitsOne) {
    SampleCopy project;
    ASSERT_NO_THROW(test_support::MakeReadOnly(project.report));
    CommandResult protect = project.Run({"protect", "--source", project.report});
    EXPECT_EQ(protect.exitCode, 1);
    EXPECT_NE(protect.err.find(PathCaseKey(project.report)), std::string::npos);
    // Its two rows are skipped; the summary counts the file that was not written.
    EXPECT_EQ(protect.out, project.main +
                               "\nsummary: applied 4, taken back 0, skipped 2, files written 1, "
                               "files not written 1\n");
    EXPECT_EQ(ReadBytes(project.report), Original("report.cpp"));
    // The record holds what the sources hold: main.cpp's constants only.
    CommandResult shown = project.Run({"show"});
    EXPECT_EQ(Count(shown.out, "\nC\t"), 4u);
    EXPECT_EQ(Count(shown.out, "report.cpp\t"), 0u);
}

}  // namespace
}  // namespace korvexer
