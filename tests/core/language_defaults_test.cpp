// SPDX-License-Identifier: MIT
// Tests of the language list and the built-in loader and dialog defaults, cell by cell.
#include "core/language/language_defaults.h"

#include <array>
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "core/language/language_store.h"

namespace korvexer {
namespace {

std::string Byte(unsigned char code) {
    return std::to_string(code);
}

// One row of the defaults table: a field and its loader value for Visual C++, Visual Basic,
// Visual FoxPro, Delphi, Java and C#, in that order ("New Define" takes the Visual C++ column).
struct FieldRow {
    const char* field;
    std::function<std::string(const LanguageDefinition&)> get;
    std::array<std::string, 6> loader;
};

// Cells where the dialog shows another value than the loader uses.
struct DialogCell {
    std::int32_t base;
    const char* field;
    std::string value;
};

TEST(LanguageDefaults, MatchTheTablesCellByCell) {
    using D = LanguageDefinition;
    const std::string kJavaWords =
        "class;public;private;int;float;double;void;char;byte;static;final;import;package;";
    const std::vector<FieldRow> rows = {
        {"filesubfix",
         [](const D& d) { return d.filesubfix; },
         {".cpp;.c;", ".bas;.frm;", ".prg;.scx;", ".pas", ".java;", ".cs;"}},
        {"begindealmark",
         [](const D& d) { return d.begindealmark; },
         {"", "class;private;public;sub;function;", "private;public;class;procedure;function;",
          "implementation;", "", ""}},
        {"functionbegin",
         [](const D& d) { return d.functionbegin; },
         {"", "class;private;public;sub;function;", "class;procedure;function;",
          "class;procedure;function;", "", ""}},
        {"functionend",
         [](const D& d) { return d.functionend; },
         {"", "end sub;end function;", "endproc;endfunc;", "end;", "", ""}},
        {"setvalue", [](const D& d) { return d.setvalue; }, {"=", "=", "=", ":=", "=", "="}},
        {"quotation",
         [](const D& d) { return Byte(d.quotation); },
         {"34", "34", "39", "39", "34", "34"}},
        {"linendchar",
         [](const D& d) { return Byte(d.linendchar); },
         {"59", "0", "0", "59", "59", "59"}},
        {"carryreturn",
         [](const D& d) { return Byte(d.carryreturn.first) + " " + Byte(d.carryreturn.second); },
         {"13 10", "13 10", "13 10", "13 10", "13 10", "13 10"}},
        {"separator",
         [](const D& d) { return Byte(d.separator); },
         {"44", "44", "44", "44", "44", "44"}},
        {"escapechar",
         [](const D& d) { return Byte(d.escapechar); },
         {"92", "92", "92", "92", "92", "92"}},
        {"definevalue",
         [](const D& d) { return d.definevalue; },
         // C++ constant expressions and enumerators, and C#'s, are declarations.
         {"void;char;byte;file;static;const;#define;#include;enum;typedef;constexpr;consteval;"
          "constinit;",
          "class;sub;function;private;public;dim;integer;string;char;byte;long;float;const;",
          "void;int;string;char;byte;long;static;const;#define;declare;",
          "class;procedure;function;var;integer;string;char;byte;long;real;const;", kJavaWords,
          kJavaWords + "enum;"}},
        {"onelineexplain",
         [](const D& d) { return d.onelineexplain; },
         {"//", "'", "&&", "//", "//", "//"}},
        {"multilinenote_begin",
         [](const D& d) { return d.multilinenote_begin; },
         {"/*", "", "", "{", "/*", "/*"}},
        {"multilinenote_end",
         [](const D& d) { return d.multilinenote_end; },
         {"*/", "", "", "}", "*/", "*/"}},
        {"hexprefix",
         [](const D& d) { return d.hexprefix; },
         {"0x;0X;", "&h;&H;", "0x;0X;", "$;", "0x;0X;", "0x;0X;"}},
        {"numbersubfix",
         [](const D& d) { return d.numbersubfix; },
         {"l;L;", "l;L;", "l;L;", "", "l;L;", "l;L;"}},
        {"libraryfiles",
         [](const D& d) { return d.libraryfiles; },
         {"korvexaux.cpp;korvexlink.h;", "korvexaux.bas;korvexlink.bas;",
          "korvexaux.prg;korvexlink.prg;", "korvexaux.pas;korvexlink.pas;",
          "korvexaux.java;korvexlink.java;", "korvexaux.cs;korvexlink.cs;"}},
    };
    const std::vector<DialogCell> dialogCells = {
        {1, "begindealmark", "private;public;sub;function;"},
        {1, "functionbegin", "private;public;sub;function;"},
        {1, "definevalue", "sub;function;private;public;dim;const;attribute;"},
        {2, "begindealmark", ""},
        {2, "functionbegin", ""},
        {2, "functionend", ""},
        {2, "quotation", "34"},
        {3, "filesubfix", ".pas;"},
        {4, "definevalue",
         "public;private;int;float;double;void;char;byte;static;final;import;package;"},
        {5, "definevalue", "void;char;byte;file;static;const;#define;using;enum;"},
    };

    for (std::int32_t base = 0; base < kLanguageCount; ++base) {
        const std::size_t column = base == 6 ? 0 : static_cast<std::size_t>(base);
        const LanguageDefinition loader = LoaderDefaults(base);
        const LanguageDefinition dialog = DialogDefaults(base);
        EXPECT_EQ(loader.language, base);
        EXPECT_EQ(dialog.language, base);
        for (const FieldRow& row : rows) {
            SCOPED_TRACE(std::string(LanguageNames()[static_cast<std::size_t>(base)]) + " " +
                         row.field);
            EXPECT_EQ(row.get(loader), row.loader[column]);
            std::string expectedDialog = row.loader[column];
            for (const DialogCell& cell : dialogCells)
                if (cell.base == base && std::string(cell.field) == row.field)
                    expectedDialog = cell.value;
            EXPECT_EQ(row.get(dialog), expectedDialog);
        }
    }
}

TEST(LanguageDefaults, OutsideTheListAllZero) {
    for (std::int32_t base : {-1, 7, 100}) {
        EXPECT_EQ(LoaderDefaults(base), LanguageDefinition{});
        EXPECT_EQ(DialogDefaults(base), LanguageDefinition{});
        EXPECT_STREQ(LibraryFiles(base), "");
    }
}

TEST(LanguageNames, InListOrder) {
    const auto& names = LanguageNames();
    const std::array<std::string, 7> expected = {
        "Visual C++", "Visual Basic", "Visual FoxPro", "Delphi", "Java", "C#", "New Define"};
    for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(names[i], expected[i]);
}

TEST(BaseLanguage, RemainderOfSevenNoneForNegatives) {
    const std::vector<std::pair<std::int32_t, std::int32_t>> cases = {
        {0, 0}, {6, 6}, {7, 0}, {9, 2}, {13, 6}, {2147483647, 1}, {-1, -1}, {-7, -1}, {-8, -1}};
    for (const auto& [index, base] : cases) EXPECT_EQ(BaseLanguage(index), base) << index;
}

}  // namespace
}  // namespace korvexer
