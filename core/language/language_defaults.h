// SPDX-License-Identifier: MIT
// The language list and the built-in values of each base language: loader and dialog defaults,
// runtime library file lists.
#pragma once

#include <array>
#include <cstdint>

#include "core/language/language_definition.h"

namespace korvexer {

// Number of entries in the language list; base languages are 0 to kLanguageCount - 1.
constexpr std::int32_t kLanguageCount = 7;

// The entries of the language list, in list order ("Visual C++" first, "New Define" last).
const std::array<const char*, kLanguageCount>& LanguageNames();

// The base language of list entry `index`: the remainder of `index` divided by 7, or -1 for a
// negative index, which selects no language.
std::int32_t BaseLanguage(std::int32_t index);

// The runtime library's own source file names for `base`, lower case, each followed by ';'.
// "" for a value outside 0-6.
const char* LibraryFiles(std::int32_t base);

// The values the loader uses for keys the settings file lacks: a complete record with `language`
// = base, line break CR LF and the library file list. An all-zero record for a value outside 0-6.
LanguageDefinition LoaderDefaults(std::int32_t base);

// The values the language settings dialog shows for keys the settings file lacks and puts back
// on "restore defaults". Equal to LoaderDefaults(base) except for a few words lists of Visual
// Basic, Visual FoxPro, Java and C#, Visual FoxPro's double quote and Delphi's ".pas;".
// An all-zero record for a value outside 0-6.
LanguageDefinition DialogDefaults(std::int32_t base);

}  // namespace korvexer
