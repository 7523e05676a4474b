// SPDX-License-Identifier: MIT
// Tests of the settings file's name, its folder and the first-start take-over of the seed copy.
#include "core/platform/settings_location.h"

#include <sys/stat.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/test_support.h"

namespace korvexer {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

// Sets (or, with nullopt, unsets) an environment variable for one scope.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, std::optional<std::string> value) : m_name(name) {
        if (const char* old = std::getenv(name)) m_old = old;
        if (value)
            ::setenv(name, value->c_str(), 1);
        else
            ::unsetenv(name);
    }
    ~ScopedEnvironment() {
        if (m_old)
            ::setenv(m_name, m_old->c_str(), 1);
        else
            ::unsetenv(m_name);
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

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
    EXPECT_EQ(ExecutableDirectory("korvexer"), "./");
}

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

TEST(SeedWorkingSettings, TakesTheSeedOverOnlyOnce) {
    TempDir dir;
    ScopedEnvironment config("XDG_CONFIG_HOME", dir.File("config"));
    ASSERT_EQ(::mkdir(dir.File("bin").c_str(), 0755), 0);
    const std::string executable = dir.File("bin/tool");
    const std::string working = dir.File("config/korvexer/tool.ini");
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
    EXPECT_FALSE(fs.Exists(dir.File("config/korvexer/other.ini")));
}

}  // namespace
}  // namespace korvexer
