// SPDX-License-Identifier: MIT
// Tests of the function catalogue: its entries, their names, the list order and proposals.
#include "core/functions/function_catalogue.h"

#include <algorithm>
#include <set>

#include <gtest/gtest.h>

#include "core/platform/gbk_text.h"

namespace korvexer {
namespace {

TEST(FillFunctionCatalogue, FiftyTwoEntriesOfPrototypeTabDescription) {
    std::vector<std::string> entries = {"kept"};
    FillFunctionCatalogue(entries);
    ASSERT_EQ(entries.size(), 1 + kCatalogueSize);
    EXPECT_EQ(entries[0], "kept");
    std::set<std::string> names;
    for (std::size_t i = 1; i < entries.size(); ++i) {
        const std::string& entry = entries[i];
        ASSERT_EQ(std::count(entry.begin(), entry.end(), '\t'), 1) << entry;
        std::string name = CatalogueEntryName(entry);
        EXPECT_EQ(name.substr(name.size() - 3), "_kx") << entry;
        names.insert(name);
        // The description is GBK text that converts without loss.
        EXPECT_TRUE(gbk::ToUtf8(entry.substr(entry.find('\t') + 1)).ok()) << entry;
    }
    EXPECT_EQ(names.size(), kCatalogueSize);
    EXPECT_EQ(CatalogueEntryName(entries[1]), "ReadRegistryKey_kx");
    EXPECT_EQ(CatalogueEntryName(entries[kCatalogueSize]), "urightshift_kx");
    EXPECT_EQ(entries[24],
              "int MessageBox_kx(long hWnd, const char *lpszText, const char *lpszCaption=NULL, "
              "unsigned int nType=0);\t\xCF\xB5\xCD\xB3\xCC\xE1\xCA\xBE\xB6\xD4\xBB\xB0\xBF\xF2");
    EXPECT_EQ(gbk::ToUtf8Lossy(entries[52].substr(entries[52].find('\t') + 1)),
              "返回数num按位右移bits位--高位添0后的值");
    EXPECT_EQ(gbk::ToUtf8Lossy(entries[10].substr(entries[10].find('\t') + 1)),
              "删除给定目录下所有文件和子目录(操作者要有删除目录权限)");
}

TEST(CatalogueEntryName, CutsTheReturnTypeAndArguments) {
    EXPECT_EQ(CatalogueEntryName("char *NameFromPath_kx(const char *lpFullPath);\tx"),
              "NameFromPath_kx");
    EXPECT_EQ(CatalogueEntryName("int MatchPattern_kx(char* lpString, char* lpPattern);\tx"),
              "MatchPattern_kx");
    EXPECT_EQ(CatalogueEntryName("int"), "int");
}

TEST(SortedCatalogue, ByteOrderOfTheEntryTexts) {
    std::vector<std::string> sorted = SortedCatalogue();
    ASSERT_EQ(sorted.size(), kCatalogueSize);
    EXPECT_TRUE(std::is_sorted(sorted.begin(), sorted.end()));
    EXPECT_EQ(CatalogueEntryName(sorted.front()), "CopyFile_kx");  // "bool ..." sorts first
    EXPECT_EQ(CatalogueEntryName(sorted.back()), "setstrchar_kx");
    auto position = [&](const std::string& name) {
        for (std::size_t i = 0; i < sorted.size(); ++i)
            if (CatalogueEntryName(sorted[i]) == name) return i;
        return sorted.size();
    };
    EXPECT_LT(position("MessageBoxN_kx"), position("MessageBox_kx"));  // 'N' before '_'
    // Bytes of 0x80 and more sort after ASCII: a stable byte-wise sort, not a signed one.
    std::vector<std::string> mixed = {"\xB0\xA1", "b", "a\t2", "a\t1", "a\t2"};
    SortCatalogueEntries(mixed);
    EXPECT_EQ(mixed, (std::vector<std::string>{"a\t1", "a\t2", "a\t2", "b", "\xB0\xA1"}));
}

TEST(FindCatalogueEntry, ProposesByNameOrSubstitute) {
    const std::vector<std::string> sorted = SortedCatalogue();
    auto proposed = [&](std::string_view call, std::string_view substitute) -> std::string {
        std::optional<std::size_t> found = FindCatalogueEntry(sorted, call, substitute);
        return found ? CatalogueEntryName(sorted[*found]) : "(none)";
    };
    struct Case {
        std::string_view call;
        std::string_view substitute;
        std::string expected;
    };
    const Case cases[] = {
        {"::GetComputerName", "", "GetComputerName_kx"},
        {"_atoi", "", "atoi_kx"},
        {"MessageBox", "", "MessageBoxN_kx"},  // the first in list order
        {"or", "", "GetSystemDirectory_kx"},   // anywhere in the name
        {"STRLEN", "", "strlen_kx"},
        {"printf", "", "(none)"},
        {"::_", "", "(none)"},
        {"", "", "(none)"},
        {"anything", "toupper_kx", "toupper_kx"},  // "char *toupper_kx": the "*" is dropped
        {"strlen", "MessageBox_kx", "MessageBox_kx"},
        {"strlen", "TOUPPER_kx", "(none)"},  // substitutes compare exactly
        {"strlen", "nosuch_kx", "(none)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(proposed(c.call, c.substitute), c.expected) << c.call << " / " << c.substitute;
}

}  // namespace
}  // namespace korvexer

namespace korvexer {
namespace {

TEST(TakesOtherArgumentTypes, MarksOnlyEntriesOfTheCatalogue) {
    std::set<std::string> names;
    for (const std::string& entry : SortedCatalogue()) names.insert(CatalogueEntryName(entry));
    std::size_t marked = 0;
    for (const std::string& name : names) marked += TakesOtherArgumentTypes(name) ? 1 : 0;
    // Nine entries, each spelt as the catalogue spells it: a misspelt mark would mark nothing.
    EXPECT_EQ(marked, 9u);
    for (const char* name : {"toupper_kx", "div_kx", "MessageBox_kx", "int_kx"})
        EXPECT_TRUE(TakesOtherArgumentTypes(name)) << name;
    for (const char* name : {"strlen_kx", "atoi_kx", "MessageBoxN_kx", "TOUPPER_KX"})
        EXPECT_FALSE(TakesOtherArgumentTypes(name)) << name;
}

}  // namespace
}  // namespace korvexer
