// SPDX-License-Identifier: MIT
// Language definitions in the settings file: section names, stored forms, the loader of the
// current definition.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/language/language_definition.h"
#include "core/platform/profile_store.h"

namespace korvexer {

// The settings section of base language `base`: "language_<base>".
std::string LanguageSection(std::int32_t base);

// The stored text of a line break: "rrnn" for CR and LF, "rr" for CR alone, "nn" for LF alone,
// "" for none.
std::string LineBreakText(const LineBreak& lineBreak);

// The line break a stored "carryreturn" text means: CR when it contains "rr", then LF when it
// contains "nn", in whatever order the text has them ("nnrr" is CR LF, "nn" alone is LF in the
// first byte); none for any other text.
LineBreak LineBreakFromText(std::string_view text);

// Fills `record` for the language list entry `index` (any integer; its base language is the index
// modulo 7). With `settings` the section "language_<base>" is read, each missing key taking the
// loader default; without it the loader defaults alone are used. A negative index leaves the
// record all zero. Texts longer than their field's capacity are cut there, never inside a
// two-byte character; integer keys keep their low byte. An unreadable file gives the defaults.
void LoadLanguageDefinition(std::int32_t index, LanguageDefinition& record,
                            const ProfileStore* settings);

}  // namespace korvexer
