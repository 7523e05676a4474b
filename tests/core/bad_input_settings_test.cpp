// SPDX-License-Identifier: MIT
// Bad settings files: several megabytes, one-megabyte lines in language sections, binary noise
// and NUL bytes. Reads give values or defaults, writes keep every other byte.
#include <gtest/gtest.h>

#include <random>

#include "core/language/language_defaults.h"
#include "core/language/language_store.h"
#include "core/platform/profile_store.h"
#include "tests/support/test_support.h"

namespace korvexer {
namespace {

using test_support::ReadBytes;
using test_support::TempDir;
using test_support::WriteBytes;

// Whether `text` ends on a whole character: no two-byte character is split at its end.
bool EndsOnACharacter(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size()) i += static_cast<unsigned char>(text[i]) >= 0x81 ? 2 : 1;
    return i == text.size();
}

TEST(BadSettingsFiles, SeveralMegabytesWithTheWantedKeysAtTheEnd) {
    TempDir dir;
    const std::string path = dir.File("k.ini");
    std::string bytes;
    for (int i = 0; bytes.size() < 2 * 1024 * 1024; ++i)
        bytes += "[filler " + std::to_string(i) + "]\r\nkey=" + std::string(200, 'v') + "\r\n";
    bytes += "[Common Data]\r\nCompanyID=KORVEX\r\n[language_0]\r\nsetvalue=:=\r\n";
    WriteBytes(path, bytes);

    ProfileStore store(FileSystem::Real(), path);
    EXPECT_EQ(store.GetString("Common Data", "CompanyID", ""), "KORVEX");
    LanguageDefinition language;
    LoadLanguageDefinition(0, language, &store);
    EXPECT_EQ(language.setvalue, ":=");
    EXPECT_EQ(language.onelineexplain, LoaderDefaults(0).onelineexplain);

    // Changing the last key and adding one keep every byte before them.
    ASSERT_TRUE(store.WriteString("Common Data", "CompanyID", "OTHER"));
    ASSERT_TRUE(store.WriteString("New", "k", "v"));
    std::string expected = bytes;
    expected.replace(expected.find("KORVEX"), 6, "OTHER");
    expected += "[New]\r\nk=v\r\n";
    EXPECT_TRUE(ReadBytes(path) == expected);
}

TEST(BadSettingsFiles, MegabyteValuesAreCutToTheirFieldsOnWholeCharacters) {
    TempDir dir;
    const std::string path = dir.File("k.ini");
    // A one-byte start, then "中" over and over: every field's capacity falls on a character or
    // between its two bytes, depending on its parity. One of the lines is a megabyte long.
    const auto gbkText = [](std::size_t size) {
        std::string text = "a";
        while (text.size() < size) text += "\xD6\xD0";
        return text;
    };
    const std::string value = gbkText(301);
    std::string bytes = "[language_2]\r\n";
    for (const char* key : {"filesubfix", "begindealmark", "functionbegin", "functionend",
                            "setvalue", "onelineexplain", "multilinenote_begin",
                            "multilinenote_end", "hexprefix", "numbersubfix"})
        bytes += std::string(key) + "=" + value + "\r\n";
    bytes += "definevalue=" + gbkText(1u << 20) + "\r\n";
    bytes += "quotation=" + value + "\r\n";
    WriteBytes(path, bytes);

    ProfileStore store(FileSystem::Real(), path);
    LanguageDefinition language;
    LoadLanguageDefinition(2, language, &store);
    const std::pair<const std::string*, std::size_t> fields[] = {
        {&language.filesubfix, LanguageDefinition::kFileSubfixCapacity},
        {&language.begindealmark, LanguageDefinition::kBeginDealMarkCapacity},
        {&language.functionbegin, LanguageDefinition::kFunctionBeginCapacity},
        {&language.functionend, LanguageDefinition::kFunctionEndCapacity},
        {&language.setvalue, LanguageDefinition::kSetValueCapacity},
        {&language.definevalue, LanguageDefinition::kDefineValueCapacity},
        {&language.onelineexplain, LanguageDefinition::kOneLineExplainCapacity},
        {&language.multilinenote_begin, LanguageDefinition::kMultiLineNoteCapacity},
        {&language.multilinenote_end, LanguageDefinition::kMultiLineNoteCapacity},
        {&language.hexprefix, LanguageDefinition::kHexPrefixCapacity},
        {&language.numbersubfix, LanguageDefinition::kNumberSubfixCapacity},
    };
    for (const auto& [field, capacity] : fields) {
        EXPECT_LE(field->size(), capacity) << capacity;
        EXPECT_GE(field->size() + 1, capacity) << capacity;
        EXPECT_EQ(value.compare(0, field->size(), *field), 0) << capacity;
        EXPECT_TRUE(EndsOnACharacter(*field)) << capacity;
    }
    EXPECT_EQ(language.quotation, 0) << "a value that is no number reads as 0";
}

TEST(BadSettingsFiles, BinaryNoiseAndNulBytesReadAndAreKeptByWrites) {
    std::mt19937 random(3);
    std::string noise(256 * 1024, '\0');
    for (char& byte : noise) byte = static_cast<char>(random() & 0xFF);
    const std::string cases[] = {
        noise,
        std::string("[s]\r\nk=a\0b\r\n\0[t]\0\r\nn=1\r\n", 24),
        std::string("\0\0\0\0", 4),
    };
    for (const std::string& bytes : cases) {
        TempDir dir;
        const std::string path = dir.File("k.ini");
        WriteBytes(path, bytes);
        ProfileStore store(FileSystem::Real(), path);
        EXPECT_EQ(store.GetString("missing section", "k", "default"), "default");
        EXPECT_EQ(store.GetInt("missing section", "k", 7), 7);
        LanguageDefinition language;
        LoadLanguageDefinition(3, language, &store);
        EXPECT_EQ(language.language, 3);

        ASSERT_TRUE(store.WriteString("added", "key", "value"));
        const std::string after = ReadBytes(path);
        ASSERT_GE(after.size(), bytes.size());
        EXPECT_TRUE(after.compare(0, bytes.size(), bytes) == 0);
        EXPECT_EQ(store.GetString("added", "key", ""), "value");
    }
}

}  // namespace
}  // namespace korvexer
