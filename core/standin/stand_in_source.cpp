// SPDX-License-Identifier: MIT
// The stand-in's source in C, C++, Pascal and Java.
#include "core/standin/stand_in_source.h"

#include <cstdint>

#include "core/standin/stand_in_literals.h"

namespace korvexer {

namespace {

bool IsIdentifierStart(char byte) {
    return (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') || byte == '_';
}

bool IsIdentifier(std::string_view text) {
    if (text.empty() || !IsIdentifierStart(text.front())) return false;
    for (char byte : text)
        if (!IsIdentifierStart(byte) && !(byte >= '0' && byte <= '9')) return false;
    return true;
}

// INT32_MIN has no literal in C: 2147483648 alone is too large for int.
std::string CNumber(std::int32_t value) {
    if (value == INT32_MIN) return "(-2147483647 - 1)";
    return std::to_string(value);
}

// The first lines of every stand-in, as comment lines behind `prefix`.
std::string Comment(std::string_view prefix, const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& line : lines) {
        out += prefix;
        if (!line.empty()) out += ' ';
        out += line;
        out += '\n';
    }
    return out;
}

const std::vector<std::string>& PurposeLines() {
    static const std::vector<std::string> lines = {
        "A stand-in of the runtime library for development builds, made by",
        "korvexer-cli record stand-in from a record file: GetValueStr and GetValueInt",
        "return the value recorded for each index (the empty text and 0 for any other).",
    };
    return lines;
}

std::string CHeader(const StandInValues& values, bool cpp) {
    std::vector<std::string> comment = PurposeLines();
    comment.insert(comment.end(),
                   {"Each recorded _kx substitute is a macro of the name it replaced. A substitute",
                    "that the record does not hold is not defined: its call does not compile.",
                    cpp ? "Force-include it: c++ -include korvexer_stand_in.h ..."
                        : "Force-include it: cc -include korvexer_stand_in.h ..."});
    std::string out = "/*\n" + Comment(" *", comment) + " */\n";
    out += "#ifndef KORVEXER_STAND_IN_H\n#define KORVEXER_STAND_IN_H\n\n";
    if (cpp) {
        out +=
            "#ifndef __cplusplus\n"
            "#error \"this stand-in is C++; make the C one with: korvexer-cli record stand-in "
            "--language c\"\n"
            "#endif\n\n";
    } else {
        // inline came with C99; older dialects still have the compilers' own keyword.
        out +=
            "#ifdef __cplusplus\n"
            "#error \"this stand-in is C; make the C++ one with: korvexer-cli record stand-in "
            "--language cpp\"\n"
            "#endif\n\n"
            "#if defined(__STDC_VERSION__) && __STDC_VERSION__ >= 199901L\n"
            "#define KORVEXER_STAND_IN_INLINE static inline\n"
            "#elif defined(__GNUC__) || defined(_MSC_VER)\n"
            "#define KORVEXER_STAND_IN_INLINE static __inline\n"
            "#else\n"
            "#define KORVEXER_STAND_IN_INLINE static\n"
            "#endif\n\n";
    }
    const std::string opening = cpp ? "static inline " : "KORVEXER_STAND_IN_INLINE ";
    out += opening + (cpp ? "const char *" : "char *") + "GetValueStr(int n) {\n";
    out += "    switch (n) {\n";
    for (const StandInString& string : values.strings)
        out += "    case " + std::to_string(string.index) + ": return " +
               CStringLiteral(string.value, string.encoding) + ";\n";
    out += "    default: return \"\";\n    }\n}\n\n";
    out += opening + "int GetValueInt(int n) {\n";
    out += "    switch (n) {\n";
    for (const StandInNumber& number : values.numbers)
        out += "    case " + std::to_string(number.index) + ": return " + CNumber(number.value) +
               ";\n";
    out += "    default: return 0;\n    }\n}\n";
    if (!cpp) out += "\n#undef KORVEXER_STAND_IN_INLINE\n";
    if (!values.substitutes.empty()) out += '\n';
    for (const StandInSubstitute& substitute : values.substitutes)
        out += "#define " + substitute.name + ' ' + substitute.original + '\n';
    out += "\n#endif\n";
    return out;
}

std::string PascalUnit(const StandInValues& values, std::string_view name) {
    std::vector<std::string> comment = PurposeLines();
    std::string lowered(name);
    for (char& byte : lowered)
        if (byte >= 'A' && byte <= 'Z') byte = static_cast<char>(byte - 'A' + 'a');
    comment.insert(comment.end(), {"Save it as " + lowered + ".pas and name " + std::string(name) +
                                       " in the uses clause",
                                   "of every protected unit and program.",
                                   "Pascal has no macros, so the _kx substitutes are not mapped "
                                   "here."});
    const std::string options = FpcMacroOptions(values);
    if (!options.empty())
        comment.insert(
            comment.end(),
            {"With Free Pascal these options map the recorded ones to the names they",
             "replaced (korvexer-cli record stand-in --fpc-macros prints them):", "  " + options});
    std::string out = "{\n" + Comment(" ", comment) + "}\n";
    out += "unit " + std::string(name) + ";\n\n";
    out += "{$ifdef FPC}{$mode delphi}{$H+}{$endif}\n\n";
    out += "interface\n\n";
    const std::string strHead = "function GetValueStr(n: Integer): string;\n";
    const std::string intHead = "function GetValueInt(n: Integer): Integer;\n";
    out += strHead + intHead + "\nimplementation\n\n";
    auto body = [&](const std::string& head, const auto& list, auto literal,
                    const char* otherwise) {
        out += head + "begin\n";
        if (list.empty()) {
            out += std::string("  Result := ") + otherwise + ";\n";
        } else {
            out += "  case n of\n";
            for (const auto& entry : list)
                out +=
                    "    " + std::to_string(entry.index) + ": Result := " + literal(entry) + ";\n";
            out += std::string("  else\n    Result := ") + otherwise + ";\n  end;\n";
        }
        out += "end;\n\n";
    };
    body(
        strHead, values.strings,
        [](const StandInString& entry) { return PascalStringLiteral(entry.value); }, "''");
    body(
        intHead, values.numbers,
        [](const StandInNumber& entry) { return std::to_string(entry.value); }, "0");
    out += "end.\n";
    return out;
}

std::string JavaClass(const StandInValues& values, std::string_view name,
                      std::vector<std::string>& warnings) {
    const std::size_t dot = name.rfind('.');
    const std::string package(name.substr(0, dot));
    const std::string className(name.substr(dot + 1));
    std::vector<std::string> comment = PurposeLines();
    comment.insert(
        comment.end(),
        {"Import it where the accessors are called: import static " + std::string(name) + ".*;",
         "Java has no macros, so the _kx substitutes are not mapped here."});
    std::string out = "/*\n" + Comment(" *", comment) + " */\n";
    out += "package " + package + ";\n\n";
    out += "public final class " + className + " {\n";
    out += "    private " + className + "() {}\n\n";
    out += "    public static String GetValueStr(int n) {\n        switch (n) {\n";
    for (const StandInString& string : values.strings) {
        bool undecodable = false;
        out += "            case " + std::to_string(string.index) + ": return " +
               JavaStringLiteral(string.value, string.encoding, &undecodable) + ";\n";
        if (undecodable)
            warnings.push_back("the value of index " + std::to_string(string.index) +
                               " does not decode in its file's encoding; U+FFFD stands for the "
                               "bytes that do not");
    }
    out += "            default: return \"\";\n        }\n    }\n\n";
    out += "    public static int GetValueInt(int n) {\n        switch (n) {\n";
    for (const StandInNumber& number : values.numbers)
        out += "            case " + std::to_string(number.index) + ": return " +
               std::to_string(number.value) + ";\n";
    out += "            default: return 0;\n        }\n    }\n}\n";
    return out;
}

}  // namespace

std::string_view DefaultStandInName(StandInLanguage language) {
    switch (language) {
        case StandInLanguage::Pascal:
            return "KorvexerStandIn";
        case StandInLanguage::Java:
            return "korvexer.StandIn";
        default:
            return "";
    }
}

bool IsStandInName(StandInLanguage language, std::string_view name) {
    if (language == StandInLanguage::Pascal) return IsIdentifier(name);
    if (language != StandInLanguage::Java) return true;
    if (name.find('.') == std::string_view::npos) return false;
    for (std::size_t start = 0;;) {
        const std::size_t dot = name.find('.', start);
        if (!IsIdentifier(name.substr(start, dot - start))) return false;
        if (dot == std::string_view::npos) return true;
        start = dot + 1;
    }
}

std::string StandInSource(const StandInValues& values, StandInLanguage language,
                          std::string_view name, std::vector<std::string>& warnings) {
    switch (language) {
        case StandInLanguage::C:
            return CHeader(values, false);
        case StandInLanguage::Cpp:
            return CHeader(values, true);
        case StandInLanguage::Pascal:
            return PascalUnit(values, name);
        case StandInLanguage::Java:
            return JavaClass(values, name, warnings);
    }
    return {};
}

std::string FpcMacroOptions(const StandInValues& values) {
    if (values.substitutes.empty()) return {};
    std::string options = "-Sm";
    for (const StandInSubstitute& substitute : values.substitutes)
        options += " -d" + substitute.name + ":=" + substitute.original;
    return options;
}

}  // namespace korvexer
