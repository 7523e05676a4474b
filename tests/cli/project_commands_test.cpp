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
using test_support::Count;
using test_support::ReadBytes;
using test_support::RunProgram;
using test_support::TempDir;
using test_support::WriteBytes;

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
    // limit = 0x40 is listed as 64, which never stands there: recorded, named, exit status 1.
    ASSERT_EQ(protect.exitCode, 1) << protect.err;
    EXPECT_EQ(protect.out, project.main + "\n" + PathCaseKey(project.report) +
                               "\nsummary: applied 5, taken back 0, skipped 1, files written 2\n");
    EXPECT_EQ(Count(protect.err, "\n"), 1u) << protect.err;
    EXPECT_NE(protect.err.find(project.main + ":16:12: constant "), std::string::npos);
    EXPECT_NE(protect.err.find("(64) was not applied"), std::string::npos);
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
    ASSERT_EQ(again.exitCode, 1) << again.err;
    EXPECT_EQ(again.err, protect.err);
    EXPECT_EQ(again.out, "summary: applied 0, taken back 0, skipped 1, files written 0\n");
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
    ASSERT_EQ(protect.exitCode, 1) << protect.err;  // the hexadecimal row
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
    // Its two rows are skipped, and the hexadecimal one; the summary counts the file that was not
    // written.
    EXPECT_EQ(protect.out, project.main +
                               "\nsummary: applied 3, taken back 0, skipped 3, files written 1, "
                               "files not written 1\n");
    EXPECT_EQ(ReadBytes(project.report), Original("report.cpp"));
    // The record holds what the sources hold: main.cpp's constants only.
    CommandResult shown = project.Run({"show"});
    EXPECT_EQ(Count(shown.out, "\nC\t"), 4u);
    EXPECT_EQ(Count(shown.out, "report.cpp\t"), 0u);
}

// `text` with `line` (and its CR LF) inserted before line `before` (counted from 1).
std::string InsertLine(const std::string& text, std::size_t before, const std::string& line) {
    std::size_t at = 0;
    for (std::size_t n = 1; n < before; ++n) at = text.find('\n', at) + 1;
    return text.substr(0, at) + line + "\r\n" + text.substr(at);
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

// Edits between protecting and taking back: lines inserted at the top and in the middle of every
// protected file move every replacement; a line changed by hand is named and left alone; every
// other literal comes back, and a second take-back changes nothing.
TEST(ProjectRestore, TakesEverythingBackAfterEditsAndNamesWhatWasChangedByHand) {
    SampleCopy project;
    ASSERT_EQ(project.Run({"protect", "--source", project.report}).exitCode, 1);
    for (const std::string& file : {project.main, project.report}) {
        std::string text = ReadBytes(file);
        text = InsertLine(text, 1, "// a new first line");
        text = InsertLine(text, 12, "    int added;");
        WriteBytes(file, text);
    }
    const std::string main = ReadBytes(project.main);
    // The number on this line is changed by hand, the call removed.
    const std::size_t copies = main.find("copies = GetValueInt(");
    ASSERT_NE(copies, std::string::npos);
    const std::string byHand =
        main.substr(0, copies) + "copies = 35;" + main.substr(main.find("\r\n", copies));
    WriteBytes(project.main, byHand);

    CommandResult restore = project.Run({"restore"});
    EXPECT_EQ(restore.exitCode, 1);
    EXPECT_EQ(Count(restore.err, "\n"), 1u) << restore.err;
    // Named where the line now stands: it moved with the calls around it.
    EXPECT_NE(restore.err.find(project.main + ":17:13: constant "), std::string::npos)
        << restore.err;
    EXPECT_NE(restore.err.find("(3) was not taken back"), std::string::npos);
    std::string expected = InsertLine(InsertLine(Original("main.cpp"), 1, "// a new first line"),
                                      12, "    int added;");
    expected = Replaced(expected, "copies = 3;", "copies = 35;");
    EXPECT_EQ(ReadBytes(project.main), expected);
    EXPECT_EQ(ReadBytes(project.report),
              InsertLine(InsertLine(Original("report.cpp"), 1, "// a new first line"), 12,
                         "    int added;"));
    CommandResult shown = project.Run({"show"});
    EXPECT_EQ(Count(shown.out, "\nC\t"), 1u);  // the row changed by hand

    CommandResult again = project.Run({"restore"});
    EXPECT_EQ(again.exitCode, 1);
    EXPECT_EQ(again.out, "summary: applied 0, taken back 0, skipped 1, files written 0\n");
    EXPECT_EQ(again.err, restore.err);
    EXPECT_EQ(project.Run({"show"}).out, shown.out);
}

TEST(ProjectRestore, AMissingFileKeepsItsRowsAndLeftoverCallsAreNamed) {
    SampleCopy project;
    ASSERT_EQ(project.Run({"protect", "--source", project.report}).exitCode, 1);
    const std::string protectedReport = ReadBytes(project.report);
    ASSERT_TRUE(FileSystem::Real().Rename(project.report, project.report + ".away"));
    EXPECT_EQ(project.Run({"restore"}).exitCode, 2);  // refused, unless --keep-going
    CommandResult restore = project.Run({"restore", "--keep-going"});
    EXPECT_EQ(restore.exitCode, 1);
    EXPECT_NE(restore.err.find("its rows were left alone"), std::string::npos);
    EXPECT_EQ(Count(restore.err, "was not taken back: its file cannot be read"), 2u) << restore.err;
    EXPECT_EQ(ReadBytes(project.main), Original("main.cpp"));
    EXPECT_EQ(Count(project.Run({"show"}).out, "\nC\t"), 2u);

    // Back again, the file's rows are taken back from the record.
    ASSERT_TRUE(FileSystem::Real().Rename(project.report + ".away", project.report));
    EXPECT_EQ(ReadBytes(project.report), protectedReport);
    CommandResult back = project.Run({"restore"});
    EXPECT_EQ(back.exitCode, 0) << back.err;
    EXPECT_EQ(ReadBytes(project.report), Original("report.cpp"));
}

TEST(ProjectRestore, UnknownCallsAreNamedAndTakenBackWithUnknown) {
    SampleCopy project;
    ASSERT_EQ(project.Run({"protect", "--source", project.report}).exitCode, 1);
    ASSERT_EQ(project.Run({"substitute", "--catalogue"}).exitCode, 0);
    // A record that knows the source files but none of the replacements.
    const std::string record = project.dir.File("orders/orders.con");
    ASSERT_EQ(RunProgram(KORVEXER_CLI, {"record", "write", record},
                         "S\t" + test_support::RowEscaped(project.report) + "\n")
                  .exitCode,
              0);
    CommandResult restore = project.Run({"restore"});
    EXPECT_EQ(restore.exitCode, 1);
    EXPECT_NE(restore.err.find("the take-back is not complete: 5 accessor call(s)"),
              std::string::npos)
        << restore.err;
    EXPECT_NE(restore.err.find(project.main + ":15:13: GetValueInt("), std::string::npos);

    CommandResult unknown = project.Run({"restore", "--unknown"});
    EXPECT_EQ(unknown.exitCode, 0) << unknown.err;
    EXPECT_EQ(ReadBytes(project.main), Original("main.cpp"));
    EXPECT_EQ(ReadBytes(project.report).find("GetValue"), std::string::npos);

    CommandResult calls = project.Run({"unsubstitute"});
    EXPECT_EQ(calls.exitCode, 1);
    EXPECT_NE(calls.err.find("strlen_kx is still in the source"), std::string::npos) << calls.err;
    CommandResult names = project.Run({"unsubstitute", "--unknown"});
    EXPECT_EQ(names.exitCode, 0) << names.err;
    EXPECT_EQ(ReadBytes(project.report), Original("report.cpp"));
}

// A protected project copied elsewhere: its record names the original's files. The steps refuse
// (exit 2) and change nothing in either checkout until the record is rebased.
TEST(ProjectRebase, ACopiedProjectActsOnItsOwnFilesOnlyAfterARebase) {
    SampleCopy original;
    ASSERT_EQ(original.Run({"protect", "--source", original.report}).exitCode, 1);
    const std::string protectedMain = ReadBytes(original.main);
    TempDir copy;
    ASSERT_NO_THROW(test_support::CopyTree(original.dir.path(), copy.path()));
    std::string ini = ReadBytes(original.settings);
    for (std::size_t at = ini.find(original.dir.path()); at != std::string::npos;
         at = ini.find(original.dir.path(), at + copy.path().size()))
        ini.replace(at, original.dir.path().size(), copy.path());
    const std::string settings = copy.File("korvexer.ini");
    WriteBytes(settings, ini);
    auto run = [&](std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), {"--settings", settings, "project"});
        return RunProgram(KORVEXER_CLI, arguments);
    };

    CommandResult restore = run({"restore"});
    EXPECT_EQ(restore.exitCode, 2);
    // The command to run, its folders quoted for the shell where they need it.
    const std::size_t command = restore.err.find("project rebase ");
    ASSERT_NE(command, std::string::npos) << restore.err;
    const std::size_t from = restore.err.find(original.dir.path(), command);
    ASSERT_NE(from, std::string::npos) << restore.err;
    EXPECT_NE(restore.err.find(copy.path(), from + original.dir.path().size()), std::string::npos)
        << restore.err;
    EXPECT_EQ(ReadBytes(original.main), protectedMain);
    EXPECT_EQ(ReadBytes(copy.File("orders/main.cpp")), protectedMain);
    CommandResult shown = run({"show"});
    EXPECT_EQ(shown.exitCode, 0);
    EXPECT_NE(shown.err.find("moved or copied"), std::string::npos);

    EXPECT_EQ(run({"rebase", "/nowhere", copy.path()}).exitCode, 2);
    CommandResult rebase = run({"rebase", original.dir.path(), copy.path()});
    ASSERT_EQ(rebase.exitCode, 0) << rebase.err;
    EXPECT_EQ(rebase.out, "7 path(s) of the record now lie under " + copy.path() + "\n");
    CommandResult back = run({"restore"});
    EXPECT_EQ(back.exitCode, 0) << back.err;
    EXPECT_EQ(ReadBytes(copy.File("orders/main.cpp")), Original("main.cpp"));
    EXPECT_EQ(ReadBytes(original.main), protectedMain);
}

}  // namespace
}  // namespace korvexer
