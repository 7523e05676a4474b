// SPDX-License-Identifier: MIT
// Language definitions for the scanner tests, one per family of statement rules.
#pragma once

#include "core/language/language_definition.h"

namespace korvexer::testing {

inline LanguageDefinition CppLanguage() {
    LanguageDefinition language;
    language.language = 0;
    language.filesubfix = ".cpp;.c;";
    language.setvalue = "=";
    language.quotation = '"';
    language.linendchar = ';';
    language.carryreturn = {'\r', '\n'};
    language.separator = ',';
    language.escapechar = '\\';
    language.definevalue = "void;char;byte;file;static;const;#define;#include;";
    language.onelineexplain = "//";
    language.multilinenote_begin = "/*";
    language.multilinenote_end = "*/";
    language.hexprefix = "0x;0X;";
    language.numbersubfix = "l;L;";
    language.libraryfiles = "korvexaux.cpp;korvexlink.h;";
    return language;
}

inline LanguageDefinition BasicLanguage() {
    LanguageDefinition language = CppLanguage();
    language.language = 1;
    language.filesubfix = ".bas;.frm;";
    language.begindealmark = "class;private;public;sub;function;";
    language.functionbegin = "class;private;public;sub;function;";
    language.functionend = "end sub;end function;";
    language.linendchar = 0;
    language.definevalue =
        "class;sub;function;private;public;dim;integer;string;char;byte;long;float;const;";
    language.onelineexplain = "'";
    language.multilinenote_begin = "";
    language.multilinenote_end = "";
    language.hexprefix = "&h;&H;";
    language.libraryfiles = "korvexaux.bas;korvexlink.bas;";
    return language;
}

inline LanguageDefinition FoxProLanguage() {
    LanguageDefinition language = CppLanguage();
    language.language = 2;
    language.filesubfix = ".prg;.scx;";
    language.begindealmark = "private;public;class;procedure;function;";
    language.functionbegin = "class;procedure;function;";
    language.functionend = "endproc;endfunc;";
    language.quotation = '\'';
    language.linendchar = 0;
    language.definevalue = "void;int;string;char;byte;long;static;const;#define;declare;";
    language.onelineexplain = "&&";
    language.multilinenote_begin = "";
    language.multilinenote_end = "";
    language.libraryfiles = "korvexaux.prg;korvexlink.prg;";
    return language;
}

inline LanguageDefinition DelphiLanguage() {
    LanguageDefinition language = CppLanguage();
    language.language = 3;
    language.filesubfix = ".pas";
    language.begindealmark = "implementation;";
    language.functionbegin = "class;procedure;function;";
    language.functionend = "end;";
    language.setvalue = ":=";
    language.quotation = '\'';
    language.definevalue = "class;procedure;function;var;integer;string;char;byte;long;real;const;";
    language.multilinenote_begin = "{";
    language.multilinenote_end = "}";
    language.hexprefix = "$;";
    language.numbersubfix = "";
    language.libraryfiles = "korvexaux.pas;korvexlink.pas;";
    return language;
}

}  // namespace korvexer::testing
