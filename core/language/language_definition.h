// SPDX-License-Identifier: MIT
// LanguageDefinition: one language's surface syntax, as the scanner and the rewriting read it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace korvexer {

// The two line-break bytes of a language's source files; 0 means none. CR LF, CR alone, LF alone
// or none at all.
struct LineBreak {
    unsigned char first = 0;
    unsigned char second = 0;

    bool operator==(const LineBreak& other) const {
        return first == other.first && second == other.second;
    }
};

// Text fields hold GBK bytes and never exceed their capacity (see the k...Capacity constants);
// list fields end every element with ';'.
struct LanguageDefinition {
    static constexpr std::size_t kFileSubfixCapacity = 32;
    static constexpr std::size_t kBeginDealMarkCapacity = 128;
    static constexpr std::size_t kFunctionBeginCapacity = 128;
    static constexpr std::size_t kFunctionEndCapacity = 32;
    static constexpr std::size_t kSetValueCapacity = 2;
    static constexpr std::size_t kDefineValueCapacity = 128;
    static constexpr std::size_t kOneLineExplainCapacity = 5;
    static constexpr std::size_t kMultiLineNoteCapacity = 5;
    static constexpr std::size_t kHexPrefixCapacity = 8;
    static constexpr std::size_t kNumberSubfixCapacity = 8;
    static constexpr std::size_t kLibraryFilesCapacity = 255;

    std::int32_t language = 0;     // base language 0-6 of the entry that was loaded
    std::string filesubfix;        // source file extensions, with the dot
    std::string begindealmark;     // words of the line after which processing starts
    std::string functionbegin;     // words that open a function body
    std::string functionend;       // words that close a function body (stored and edited only)
    std::string setvalue;          // the assignment operator
    unsigned char quotation = 0;   // the string quote
    unsigned char linendchar = 0;  // the statement terminator; 0 for none
    LineBreak carryreturn;         // the line break of the source files
    unsigned char separator = 0;   // the argument separator
    unsigned char escapechar = 0;  // the escape character inside strings
    std::string definevalue;       // words that open a declaration line
    std::string onelineexplain;    // prefix of a one-line comment; empty for none
    std::string multilinenote_begin;
    std::string multilinenote_end;
    std::string hexprefix;     // prefixes of hexadecimal literals
    std::string numbersubfix;  // suffixes a numeric literal may carry
    std::string libraryfiles;  // the runtime library's own source file names, lower case

    bool operator==(const LanguageDefinition& other) const;
    bool operator!=(const LanguageDefinition& other) const { return !(*this == other); }
};

}  // namespace korvexer
