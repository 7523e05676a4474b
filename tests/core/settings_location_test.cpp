// SPDX-License-Identifier: MIT
// Tests of the settings file's name, its folder and the first-start take-over of the seed copy.
#include "core/platform/settings_location.h"

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/app/workbench.h"
#include "core/platform/profile_store.h"
#include "tests/support/test_support.h"

namespace korvexer {
namespace {

using test_support::ReadBytes;
using test_support::TempDir;
using test_support::WriteBytes;

// Sets (or, with nullopt, unsets) an environment variable for one scope.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, std::optional<std::string> value) : m_name(name) {
        if (const char* old = std::getenv(name)) m_old = old;
        Set(name, value);
    }
    ~ScopedEnvironment() { Set(m_name, m_old); }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    static void Set(const char* name, const std::optional<std::string>& value) {
#ifdef _WIN32
        // The C runtime keeps its narrow and wide environments in step; an empty value unsets.
        ::_putenv_s(name, value ? value->c_str() : "");
#else
        if (value)
            ::setenv(name, value->c_str(), 1);
        else
            ::unsetenv(name);
#endif
    }

    const char* m_name;
    std::optional<std::string> m_old;
};

#ifdef _WIN32
constexpr const char* kSettingsHome = "APPDATA";
constexpr const char* kSettingsFolder = "Korvexer";
#else
constexpr const char* kSettingsHome = "XDG_CONFIG_HOME";
constexpr const char* kSettingsFolder = "korvexer";
#endif

TEST(SettingsFileName, NamedAfterTheExecutable) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"/opt/bin/korvexer", "korvexer.ini"},
        {"korvexer", "korvexer.ini"},
        {"/opt/bin/other", "other.ini"},
        {"./Other.exe", "Other.ini"},
        {"/x/my.tool.bin", "my.tool.ini"},
        {"/x.d/prog", "prog.ini"},  // a dot in a folder name is no extension
        {"/x/.hidden", ".hidden.ini"},
        {"/x/\x81\x5C.bin", "\x81\x5C.ini"},
    };
    for (const auto& [path, name] : cases) EXPECT_EQ(SettingsFileName(path), name) << path;
    EXPECT_EQ(ExecutableDirectory("/opt/bin/korvexer"), "/opt/bin/");
#ifndef _WIN32
    EXPECT_EQ(ExecutableDirectory("korvexer"), "./");
#endif
}

#ifdef _WIN32
TEST(SettingsDirectory, UnderAppDataOnWindows) {
    for (const std::string appData :
         {"C:\\Users\\u\\AppData\\Roaming", "C:\\Users\\u\\AppData\\Roaming\\"}) {
        ScopedEnvironment home("APPDATA", appData);
        Expected<std::string> folder = SettingsDirectory();
        ASSERT_TRUE(folder) << appData;
        EXPECT_EQ(*folder, "C:\\Users\\u\\AppData\\Roaming\\Korvexer\\") << appData;
        Expected<std::string> path = WorkingSettingsPath("C:\\Program Files\\Korvexer\\Other.exe");
        ASSERT_TRUE(path);
        EXPECT_EQ(*path, "C:\\Users\\u\\AppData\\Roaming\\Korvexer\\Other.ini");
    }
    {
        // XDG_CONFIG_HOME means nothing on Windows.
        ScopedEnvironment config("XDG_CONFIG_HOME", "C:\\cfg");
        ScopedEnvironment home("APPDATA", std::nullopt);
        EXPECT_FALSE(SettingsDirectory());
    }
    // The folder's name reaches the core in GBK: 用户 is U+7528 U+6237, D3 C3 BB A7 in GBK.
    ScopedEnvironment restored("APPDATA", std::nullopt);
    ::_wputenv_s(L"APPDATA", L"C:\\\u7528\u6237");
    Expected<std::string> folder = SettingsDirectory();
    ASSERT_TRUE(folder);
    EXPECT_EQ(*folder, "C:\\\xD3\xC3\xBB\xA7\\Korvexer\\");
}

TEST(SettingsFileName, TakesWindowsFolders) {
    EXPECT_EQ(SettingsFileName("C:\\x\\Other.exe"), "Other.ini");
    EXPECT_EQ(SettingsFileName("C:\\x.d\\prog"), "prog.ini");
    EXPECT_EQ(ExecutableDirectory("C:\\x\\Other.exe"), "C:\\x\\");
    EXPECT_EQ(ExecutableDirectory("Other.exe"), ".\\");
    // The second byte of a two-byte character is no separator.
    EXPECT_EQ(SettingsFileName("C:\\x\\\x81\x5C.exe"), "\x81\x5C.ini");
}
#else
TEST(SettingsDirectory, ConfigHomeThenHome) {
    {
        ScopedEnvironment config("XDG_CONFIG_HOME", "/cfg/");
        ScopedEnvironment home("HOME", "/home/u");
        Expected<std::string> folder = SettingsDirectory();
        ASSERT_TRUE(folder);
        EXPECT_EQ(*folder, "/cfg/korvexer/");
        Expected<std::string> path = WorkingSettingsPath("/usr/bin/other");
        ASSERT_TRUE(path);
        EXPECT_EQ(*path, "/cfg/korvexer/other.ini");
    }
    for (std::optional<std::string> config :
         {std::optional<std::string>(), std::optional<std::string>(""),
          std::optional<std::string>("relative/cfg")}) {
        ScopedEnvironment configHome("XDG_CONFIG_HOME", config);
        ScopedEnvironment home("HOME", "/home/u");
        Expected<std::string> folder = SettingsDirectory();
        ASSERT_TRUE(folder);
        EXPECT_EQ(*folder, "/home/u/.config/korvexer/");
    }
    ScopedEnvironment config("XDG_CONFIG_HOME", std::nullopt);
    ScopedEnvironment home("HOME", std::nullopt);
    EXPECT_FALSE(SettingsDirectory());
    EXPECT_FALSE(WorkingSettingsPath("korvexer"));
}
#endif

TEST(SeedWorkingSettings, TakesTheSeedOverOnlyOnce) {
    TempDir dir;
    ScopedEnvironment config(kSettingsHome, dir.File("config"));
    // An installed seed of this machine stays out of the way.
    ScopedEnvironment configDirs("XDG_CONFIG_DIRS", dir.File("no-such-folder"));
    ASSERT_NO_THROW(test_support::MakeDirectory(dir.File("bin")));
#ifdef _WIN32
    const std::string sep = "\\";
#else
    const std::string sep = "/";
#endif
    const std::string executable = dir.File("bin/tool");
    const std::string working = dir.File("config") + sep + kSettingsFolder + sep + "tool.ini";
    FileSystem& fs = FileSystem::Real();

    // No seed: nothing is created.
    SeedWorkingSettings(fs, executable);
    EXPECT_FALSE(fs.Exists(dir.File("config")));

    // First start with a seed: the working copy and its folders are made from it.
    WriteBytes(dir.File("bin/tool.ini"), "[Common Data]\r\nCompanyID=seed\r\n");
    SeedWorkingSettings(fs, executable);
    EXPECT_EQ(ReadBytes(working), "[Common Data]\r\nCompanyID=seed\r\n");

    // An existing working copy is never replaced, even by a different seed.
    WriteBytes(working, "[Common Data]\r\nCompanyID=mine\r\n");
    WriteBytes(dir.File("bin/tool.ini"), "[Common Data]\r\nCompanyID=newer seed\r\n");
    SeedWorkingSettings(fs, executable);
    EXPECT_EQ(ReadBytes(working), "[Common Data]\r\nCompanyID=mine\r\n");
    EXPECT_EQ(ReadBytes(dir.File("bin/tool.ini")), "[Common Data]\r\nCompanyID=newer seed\r\n");

    // The seed follows the executable's name.
    SeedWorkingSettings(fs, dir.File("bin/other"));
    EXPECT_FALSE(fs.Exists(dir.File("config") + sep + kSettingsFolder + sep + "other.ini"));
}

#ifndef _WIN32
TEST(SeedSettingsCandidates, ConfigDirsInOrderThenBesideTheExecutable) {
    const std::vector<std::pair<std::optional<std::string>, std::vector<std::string>>> cases = {
        {std::nullopt, {"/etc/xdg/korvexer/other.ini", "/opt/bin/other.ini"}},
        {"", {"/etc/xdg/korvexer/other.ini", "/opt/bin/other.ini"}},
        {"/a:/b/", {"/a/korvexer/other.ini", "/b/korvexer/other.ini", "/opt/bin/other.ini"}},
        // Empty and relative entries are skipped, the default does not come back.
        {"::rel/x:/c", {"/c/korvexer/other.ini", "/opt/bin/other.ini"}},
        {"rel", {"/opt/bin/other.ini"}},
    };
    for (const auto& [dirs, expected] : cases) {
        ScopedEnvironment configDirs("XDG_CONFIG_DIRS", dirs);
        EXPECT_EQ(SeedSettingsCandidates("/opt/bin/other"), expected) << dirs.value_or("(unset)");
    }
}
#else
TEST(SeedSettingsCandidates, OnlyBesideTheExecutableOnWindows) {
    ScopedEnvironment configDirs("XDG_CONFIG_DIRS", "C:\\xdg");
    EXPECT_EQ(SeedSettingsCandidates("C:\\x\\Other.exe"),
              std::vector<std::string>{"C:\\x\\Other.ini"});
}
#endif

#ifndef _WIN32
TEST(SeedWorkingSettings, FirstExistingSeedWins) {
    TempDir dir;
    ScopedEnvironment config("XDG_CONFIG_HOME", dir.File("config"));
    ScopedEnvironment configDirs("XDG_CONFIG_DIRS", dir.File("site") + ":" + dir.File("vendor"));
    for (const char* folder : {"bin", "site", "site/korvexer", "vendor", "vendor/korvexer"})
        test_support::MakeDirectory(dir.File(folder));
    const std::string executable = dir.File("bin/tool");
    const std::string working = dir.File("config/korvexer/tool.ini");
    FileSystem& fs = FileSystem::Real();
    const auto startFresh = [&] { std::remove(working.c_str()); };

    WriteBytes(dir.File("bin/tool.ini"), "beside");
    SeedWorkingSettings(fs, executable);
    EXPECT_EQ(ReadBytes(working), "beside");

    startFresh();
    WriteBytes(dir.File("vendor/korvexer/tool.ini"), "vendor");
    SeedWorkingSettings(fs, executable);
    EXPECT_EQ(ReadBytes(working), "vendor");

    startFresh();
    WriteBytes(dir.File("site/korvexer/tool.ini"), "site");
    SeedWorkingSettings(fs, executable);
    EXPECT_EQ(ReadBytes(working), "site");
}
#endif

// A fresh account: no configuration folder, no seed beside the executable. The first save makes
// the folder and the working copy, and the next start reads the project back.
TEST(WorkingSettingsPath, FirstSaveOnAFreshAccountCreatesTheFolder) {
    TempDir dir;
    ScopedEnvironment config(kSettingsHome, dir.File("home/config"));
    ASSERT_NO_THROW(test_support::MakeDirectory(dir.File("bin")));
    FileSystem& fs = FileSystem::Real();
    const std::string executable = dir.File("bin/korvexer");
    SeedWorkingSettings(fs, executable);
    Expected<std::string> path = WorkingSettingsPath(executable);
    ASSERT_TRUE(path);
    ASSERT_FALSE(fs.Exists(dir.File("home")));

    ProfileStore settings(fs, *path);
    {
        Workbench workbench(fs, settings);
        workbench.Initialise();
        const WorkbenchForm form{"Acme", "P1", 0, dir.File("bin/main.cpp"),
                                 dir.File("bin/app.exe")};
        WorkbenchOutcome outcome = workbench.Save(form);
        EXPECT_TRUE(outcome.completed);
        EXPECT_FALSE(workbench.dirty());
    }
    ASSERT_TRUE(fs.Exists(*path));
    Workbench next(fs, settings);
    EXPECT_EQ(next.Form().company, "Acme");
    EXPECT_EQ(next.settings().applicationFile, dir.File("bin/app.exe"));
}

}  // namespace
}  // namespace korvexer
