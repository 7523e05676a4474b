// SPDX-License-Identifier: MIT
// Language definitions in the settings file: the loader of the current definition.
#pragma once

#include <cstdint>

#include "core/language/language_definition.h"
#include "core/platform/profile_store.h"

namespace korvexer {

// Fills `record` for the language list entry `index` (any integer; its base language is the index
// modulo 7). With `settings` the section "language_<base>" is read, each missing key taking the
// loader default; without it the loader defaults alone are used. A negative index leaves the
// record all zero.
void LoadLanguageDefinition(std::int32_t index, LanguageDefinition& record,
                            const ProfileStore* settings);

}  // namespace korvexer
