// SPDX-License-Identifier: MIT
// Tests of the INI store against the private-profile reading and writing rules.
#include "core/platform/profile_store.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/test_support.h"

namespace korvexer {
namespace {

using test_support::ReadBytes;
using test_support::TempDir;
using test_support::WriteBytes;

const std::string kMissing = "<default>";

// A settings file with `content` in a fresh folder.
class IniFile {
public:
    explicit IniFile(const std::string& content)
        : m_store(FileSystem::Real(), m_dir.File("k.ini")) {
        WriteBytes(m_dir.File("k.ini"), content);
    }
    ProfileStore& store() { return m_store; }
    std::string bytes() const { return ReadBytes(m_dir.File("k.ini")); }

private:
    TempDir m_dir;
    ProfileStore m_store;
};

TEST(ProfileStoreGetString, ReadingRules) {
    struct Case {
        const char* name;
        std::string content;
        std::string section;
        std::string key;
        std::string expected;
    };
    const std::string kBracket = "\x93\x5D";  // 揮, second byte ']'
    const std::vector<Case> cases = {
        {"CR LF", "[s]\r\na=1\r\nb=2\r\n", "s", "b", "2"},
        {"LF alone", "[s]\na=1\nb=2\n", "s", "b", "2"},
        {"CR alone", "[s]\ra=1\rb=2\r", "s", "b", "2"},
        {"no final line break", "[s]\r\nb=2", "s", "b", "2"},
        {"GBK second byte ']' in a header", "[" + kBracket + "]\r\nk=v\r\n", kBracket, "k", "v"},
        {"header to the line end", "[open\r\nk=v\r\n", "open", "k", "v"},
        {"blanks in and around the header", "  [ \tname\t ] tail\r\nk=v\r\n", "name", "k", "v"},
        {"empty section name", "[]\r\nk=v\r\n", "", "k", "v"},
        {"lines before any section", "k=v\r\n[s]\r\n", "s", "k", kMissing},
        {"section without regard to case", "[Common Data]\r\nk=v\r\n", "COMMON DATA", "k", "v"},
        {"key without regard to case", "[s]\r\nCompanyID=v\r\n", "s", "companyid", "v"},
        {"GBK names compare exactly", "[\x81\x41]\r\nk=v\r\n", "\x81\x61", "k", kMissing},
        {"caller's spaces dropped", "[s]\r\nk=v\r\n", "  s ", " k  ", "v"},
        {"file's key blanks dropped", "[s]\r\n \t k \t=v\r\n", "s", "k", "v"},
        {"first section wins", "[s]\r\na=1\r\n[S]\r\nb=2\r\n", "s", "b", kMissing},
        {"first key wins", "[s]\r\nk=1\r\nK=2\r\n", "s", "k", "1"},
        {"key ends at the next section", "[s]\r\n[t]\r\nk=v\r\n", "s", "k", kMissing},
        {"comment line", "[s]\r\n ;k=v\r\n", "s", "k", kMissing},
        {"no inline comments", "[s]\r\nk=b ;c\r\n", "s", "k", "b ;c"},
        {"'#' is no comment", "[s]\r\n#k=v\r\n", "s", "#k", "v"},
        {"a line without '=' is no key", "[s]\r\nk\r\nk=v\r\n", "s", "k", "v"},
        {"garbage lines skipped", "[s]\r\n\x01\xFF garbage\r\n]]\r\nk=v\r\n", "s", "k", "v"},
        {"value trimmed", "[s]\r\nk= \t\va b\v\t \r\n", "s", "k", "a b"},
        {"double quotes stripped", "[s]\r\nk=  \" a \"  \r\n", "s", "k", " a "},
        {"single quotes stripped", "[s]\r\nk='x'\r\n", "s", "k", "x"},
        {"one pair only", "[s]\r\nk=\"\"x\"\"\r\n", "s", "k", "\"x\""},
        {"unmatched quotes kept", "[s]\r\nk=\"x'\r\n", "s", "k", "\"x'"},
        {"a lone quote kept", "[s]\r\nk=\"\r\n", "s", "k", "\""},
        {"value with '='", "[s]\r\nk=a=b\r\n", "s", "k", "a=b"},
        {"key= is empty, not the default", "[s]\r\nk=\r\n", "s", "k", ""},
        {"missing key", "[s]\r\nk=v\r\n", "s", "x", kMissing},
        {"missing section", "[s]\r\nk=v\r\n", "t", "k", kMissing},
        {"GBK value bytes kept", "[s]\r\nk=\x81\x5C\x93\x5D\r\n", "s", "k", "\x81\x5C\x93\x5D"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        IniFile file(c.content);
        EXPECT_EQ(file.store().GetString(c.section, c.key, kMissing), c.expected);
    }
}

TEST(ProfileStoreGetString, DefaultLosesTrailingSpaces) {
    TempDir dir;
    ProfileStore missingFile(FileSystem::Real(), dir.File("none.ini"));
    EXPECT_EQ(missingFile.GetString("s", "k", " dflt  "), " dflt");
    ProfileStore folder(FileSystem::Real(), dir.path());  // unreadable: a folder
    EXPECT_EQ(folder.GetString("s", "k", "d"), "d");
}

TEST(ProfileStoreGetString, OneMegabyteLine) {
    const std::string big(1 << 20, 'x');
    IniFile file("[s]\r\nbig=" + big + "\r\nk=v\r\n");
    EXPECT_EQ(file.store().GetString("s", "big", ""), big);
    EXPECT_EQ(file.store().GetString("s", "k", ""), "v");
}

TEST(ProfileStoreGetInt, ReadsAsThePlatformReadsIntegers) {
    struct Case {
        std::string line;  // "" for a missing key
        std::int32_t expected;
    };
    const std::vector<Case> cases = {
        {"", 77},
        {"k=", 77},
        {"k=42", 42},
        {"k=  42  ", 42},
        {"k=\"42\"", 42},
        {"k=-1", -1},
        {"k=+5", 5},
        {"k=0x1F", 31},
        {"k=0X1f", 31},
        {"k=010", 10},
        {"k=42A9", 42},
        {"k=abc", 0},
        {"k=-", 0},
        {"k=0x", 0},
        {"k=4294967297", 1},
        {"k=2147483648", -2147483647 - 1},
        {"k=-2147483649", 2147483647},
        {"k=-80", -80},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        IniFile file("[s]\r\n" + c.line + "\r\n");
        EXPECT_EQ(file.store().GetInt("s", "k", 77), c.expected);
    }
}

TEST(ProfileStoreWriteString, WritingRules) {
    struct Case {
        const char* name;
        std::string before;
        std::string section;
        std::string key;
        std::string value;
        std::string after;
    };
    const std::vector<Case> cases = {
        {"empty file", "", "s", "k", "v", "[s]\r\nk=v\r\n"},
        {"missing section appended", "; top\r\n[a]\r\nx=1\r\n", "s", "k", "v",
         "; top\r\n[a]\r\nx=1\r\n[s]\r\nk=v\r\n"},
        {"no trailing line break", "[a]\r\nx=1", "s", "k", "v", "[a]\r\nx=1\r\n[s]\r\nk=v\r\n"},
        {"missing key after the section's last key", "[s]\nx=1\n\n; note\n[t]\ny=2\n", "s", "k",
         "v", "[s]\nx=1\nk=v\r\n\n; note\n[t]\ny=2\n"},
        {"missing key in an empty section", "[s]\r\n[t]\r\n", "s", "k", "v",
         "[s]\r\nk=v\r\n[t]\r\n"},
        {"missing key, header is the last line", "[s]", "s", "k", "v", "[s]\r\nk=v\r\n"},
        {"missing key, key is the last line", "[s]\r\nx=1", "s", "k", "v", "[s]\r\nx=1\r\nk=v\r\n"},
        {"existing key replaced in place, spelling kept", "[S]\r\n  Key = old ;x\r\nz=1\r\n", "s",
         "KEY", "new", "[S]\r\n  Key =new\r\nz=1\r\n"},
        {"only the first section of a name", "[s]\r\nx=1\r\n[s]\r\nk=2\r\n", "s", "k", "3",
         "[s]\r\nx=1\r\nk=3\r\n[s]\r\nk=2\r\n"},
        {"only the first key of a name", "[s]\r\nk=1\r\nk=2\r\n", "s", "k", "3",
         "[s]\r\nk=3\r\nk=2\r\n"},
        {"empty value", "[s]\r\nk=1\r\n", "s", "k", "", "[s]\r\nk=\r\n"},
        {"GBK section with second byte ']'", "[\x93\x5D]\r\nk=1\r\n", "\x93\x5D", "k", "2",
         "[\x93\x5D]\r\nk=2\r\n"},
        {"every other byte kept",
         std::string("\xEF\xBB\xBFjunk\r\n[s]\r\n#odd line\tx\r\nk=1\n\r\n[t]\r\nk=\0\r\n", 43),
         "s", "k", "\x81\x5Cv",
         std::string("\xEF\xBB\xBFjunk\r\n[s]\r\n#odd line\tx\r\nk=\x81\x5Cv\n\r\n[t]\r\nk=\0\r\n",
                     45)},
        {"a line without '=' is no key line to insert after", "[s]\r\nk\r\n", "s", "k", "v",
         "[s]\r\nk=v\r\nk\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        IniFile file(c.before);
        ASSERT_TRUE(file.store().WriteString(c.section, c.key, c.value));
        EXPECT_EQ(file.bytes(), c.after);
        EXPECT_EQ(file.store().GetString(c.section, c.key, kMissing), c.value);
    }
}

TEST(ProfileStoreWriteString, CreatesAMissingFileAndKeepsTheOrderWritten) {
    TempDir dir;
    ProfileStore store(FileSystem::Real(), dir.File("k.ini"));
    ASSERT_TRUE(store.WriteString("s", "b", "2"));
    ASSERT_TRUE(store.WriteInt("s", "a", -80));
    ASSERT_TRUE(store.WriteString("t", "c", "3"));
    ASSERT_TRUE(store.WriteString("s", "d", "4"));
    EXPECT_EQ(ReadBytes(dir.File("k.ini")), "[s]\r\nb=2\r\na=-80\r\nd=4\r\n[t]\r\nc=3\r\n");
    EXPECT_EQ(store.GetInt("s", "a", 0), -80);
}

TEST(ProfileStoreWriteString, RefusalsAndFailuresLeaveTheFile) {
    IniFile file("[s]\r\nk=1\r\n");
    for (const char* value : {"a\rb", "a\nb", "\r\n"}) {
        EXPECT_FALSE(file.store().WriteString("s", "k", value));
        EXPECT_FALSE(file.store().WriteString("s", "new", value));
    }
    EXPECT_FALSE(file.store().WriteString("s", "  ", "v"));
    EXPECT_FALSE(file.store().WriteString("s\r\n[x]", "k", "v"));
    EXPECT_FALSE(file.store().WriteString("s", "k\nx", "v"));
    EXPECT_EQ(file.bytes(), "[s]\r\nk=1\r\n");

    // A folder that cannot be made (a file stands where it would go) is an error naming it.
    TempDir dir;
    WriteBytes(dir.File("plain"), "x");
    ProfileStore blocked(FileSystem::Real(), dir.File("plain/sub/k.ini"));
    Status status = blocked.WriteString("s", "k", "v");
    ASSERT_FALSE(status);
    EXPECT_NE(status.error().path.find("plain"), std::string::npos);
    EXPECT_EQ(ReadBytes(dir.File("plain")), "x");
}

TEST(ProfileStoreWriteString, MissingFoldersAreMadeAtTheFirstWrite) {
    TempDir dir;
    ProfileStore store(FileSystem::Real(), dir.File("config/korvexer/k.ini"));
    ASSERT_TRUE(store.WriteString("s", "k", "v"));
    EXPECT_EQ(ReadBytes(dir.File("config/korvexer/k.ini")), "[s]\r\nk=v\r\n");
    ASSERT_TRUE(store.WriteInt("s", "n", 7));
    EXPECT_EQ(store.GetInt("s", "n", 0), 7);
}

}  // namespace
}  // namespace korvexer
