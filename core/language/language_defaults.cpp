// SPDX-License-Identifier: MIT
// The built-in language tables: list names, loader defaults, dialog defaults, library files.
#include "core/language/language_defaults.h"

namespace korvexer {

namespace {

constexpr unsigned char kCr = 13;
constexpr unsigned char kLf = 10;

// The loader values of one language, in the record's field order (without line break, which is
// CR LF for every language).
struct DefaultRow {
    const char* filesubfix;
    const char* begindealmark;
    const char* functionbegin;
    const char* functionend;
    const char* setvalue;
    unsigned char quotation;
    unsigned char linendchar;
    unsigned char separator;
    unsigned char escapechar;
    const char* definevalue;
    const char* onelineexplain;
    const char* multilinenote_begin;
    const char* multilinenote_end;
    const char* hexprefix;
    const char* numbersubfix;
    const char* libraryfiles;
};

// "New Define" (6) starts from the Visual C++ values.
const DefaultRow kLoaderRows[kLanguageCount] = {
    // Visual C++
    {".cpp;.c;", "", "", "", "=", '"', ';', ',', '\\',
     "void;char;byte;file;static;const;#define;#include;enum;typedef;constexpr;consteval;"
     "constinit;",
     "//", "/*", "*/", "0x;0X;", "l;L;", "korvexaux.cpp;korvexlink.h;"},
    // Visual Basic
    {".bas;.frm;", "class;private;public;sub;function;", "class;private;public;sub;function;",
     "end sub;end function;", "=", '"', 0, ',', '\\',
     "class;sub;function;private;public;dim;integer;string;char;byte;long;float;const;", "'", "",
     "", "&h;&H;", "l;L;", "korvexaux.bas;korvexlink.bas;"},
    // Visual FoxPro
    {".prg;.scx;", "private;public;class;procedure;function;", "class;procedure;function;",
     "endproc;endfunc;", "=", '\'', 0, ',', '\\',
     "void;int;string;char;byte;long;static;const;#define;declare;", "&&", "", "", "0x;0X;", "l;L;",
     "korvexaux.prg;korvexlink.prg;"},
    // Delphi
    {".pas", "implementation;", "class;procedure;function;", "end;", ":=", '\'', ';', ',', '\\',
     "class;procedure;function;var;integer;string;char;byte;long;real;const;", "//", "{", "}", "$;",
     "", "korvexaux.pas;korvexlink.pas;"},
    // Java
    {".java;", "", "", "", "=", '"', ';', ',', '\\',
     "class;public;private;int;float;double;void;char;byte;static;final;import;package;", "//",
     "/*", "*/", "0x;0X;", "l;L;", "korvexaux.java;korvexlink.java;"},
    // C#
    {".cs;", "", "", "", "=", '"', ';', ',', '\\',
     "class;public;private;int;float;double;void;char;byte;static;final;import;package;enum;", "//",
     "/*", "*/", "0x;0X;", "l;L;", "korvexaux.cs;korvexlink.cs;"},
    // New Define
    {".cpp;.c;", "", "", "", "=", '"', ';', ',', '\\',
     "void;char;byte;file;static;const;#define;#include;enum;typedef;constexpr;consteval;"
     "constinit;",
     "//", "/*", "*/", "0x;0X;", "l;L;", "korvexaux.cpp;korvexlink.h;"},
};

bool IsBase(std::int32_t base) {
    return base >= 0 && base < kLanguageCount;
}

LanguageDefinition FromRow(std::int32_t base, const DefaultRow& row) {
    LanguageDefinition d;
    d.language = base;
    d.filesubfix = row.filesubfix;
    d.begindealmark = row.begindealmark;
    d.functionbegin = row.functionbegin;
    d.functionend = row.functionend;
    d.setvalue = row.setvalue;
    d.quotation = row.quotation;
    d.linendchar = row.linendchar;
    d.carryreturn = LineBreak{kCr, kLf};
    d.separator = row.separator;
    d.escapechar = row.escapechar;
    d.definevalue = row.definevalue;
    d.onelineexplain = row.onelineexplain;
    d.multilinenote_begin = row.multilinenote_begin;
    d.multilinenote_end = row.multilinenote_end;
    d.hexprefix = row.hexprefix;
    d.numbersubfix = row.numbersubfix;
    d.libraryfiles = row.libraryfiles;
    return d;
}

}  // namespace

const std::array<const char*, kLanguageCount>& LanguageNames() {
    static const std::array<const char*, kLanguageCount> names = {
        "Visual C++", "Visual Basic", "Visual FoxPro", "Delphi", "Java", "C#", "New Define"};
    return names;
}

std::int32_t BaseLanguage(std::int32_t index) {
    if (index < 0) return -1;
    return index % kLanguageCount;
}

const char* LibraryFiles(std::int32_t base) {
    return IsBase(base) ? kLoaderRows[base].libraryfiles : "";
}

LanguageDefinition LoaderDefaults(std::int32_t base) {
    if (!IsBase(base)) return LanguageDefinition{};
    return FromRow(base, kLoaderRows[base]);
}

LanguageDefinition DialogDefaults(std::int32_t base) {
    LanguageDefinition d = LoaderDefaults(base);
    switch (base) {
        case 1:  // Visual Basic
            d.begindealmark = "private;public;sub;function;";
            d.functionbegin = "private;public;sub;function;";
            d.definevalue = "sub;function;private;public;dim;const;attribute;";
            break;
        case 2:  // Visual FoxPro
            d.begindealmark.clear();
            d.functionbegin.clear();
            d.functionend.clear();
            d.quotation = '"';
            break;
        case 3:  // Delphi
            d.filesubfix = ".pas;";
            break;
        case 4:  // Java
            d.definevalue =
                "public;private;int;float;double;void;char;byte;static;final;import;package;";
            break;
        case 5:  // C#
            d.definevalue = "void;char;byte;file;static;const;#define;using;enum;";
            break;
        default:
            break;
    }
    return d;
}

}  // namespace korvexer
