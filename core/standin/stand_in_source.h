// SPDX-License-Identifier: MIT
// The source text of a stand-in of the runtime library: a C or C++ header, a Pascal unit or a
// Java class whose GetValueStr and GetValueInt return the recorded values, for building and
// testing a protected program before the real library is linked.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/platform/expected.h"
#include "core/standin/stand_in_values.h"

namespace korvexer {

enum class StandInLanguage { C, Cpp, Pascal, Java };

// The name a stand-in has when none is given: the Pascal unit "KorvexerStandIn", the Java class
// "korvexer.StandIn"; C and C++ headers have none.
std::string_view DefaultStandInName(StandInLanguage language);

// Whether the text names something the language can generate there: for Pascal an identifier,
// for Java a class with its package ("a.b.Class": a class of the unnamed package cannot be
// imported); any text for C and C++, which do not use it.
bool IsStandInName(StandInLanguage language, std::string_view name);

// The stand-in's source, plain ASCII but for the names of originals that the record holds.
// GetValueStr and GetValueInt return each index's recorded value, the empty text and 0 for any
// other index. In C and C++ a macro maps each recorded substitute to the name it replaced, which
// holds for member and qualified calls alike; a Pascal unit and a Java class cannot map names
// (their comment says so; Free Pascal takes FpcMacroOptions). GetValueStr returns char * in C and
// const char * in C++, the types a string literal has there. A Java value that does not decode in
// its file's encoding is named in `warnings`. `name` must pass IsStandInName.
std::string StandInSource(const StandInValues& values, StandInLanguage language,
                          std::string_view name, std::vector<std::string>& warnings);

// The Free Pascal command-line options that map each recorded substitute to the name it replaced
// as a macro of every unit compiled: "-Sm" and one "-dNAME:=ORIGINAL" per substitute, separated
// by blanks; empty when the record holds no substitute.
std::string FpcMacroOptions(const StandInValues& values);

}  // namespace korvexer
