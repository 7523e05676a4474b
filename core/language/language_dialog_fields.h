// SPDX-License-Identifier: MIT
// LanguageDialogFields: the language settings dialog's values, and their reading from and
// writing to a language section in the stored forms.
#pragma once

#include <cstdint>
#include <string>

#include "core/platform/expected.h"
#include "core/platform/profile_store.h"

namespace korvexer {

// The values the dialog edits. Byte fields are texts of at most one byte (empty for none); the
// other texts are the section's values as they are stored.
struct LanguageDialogFields {
    int assignmentChoice = 0;  // 0 for "=", 1 for ":="
    int quoteChoice = 0;       // 0 for the double quote, 1 for the single quote
    std::string linendchar;
    bool crTicked = false;
    bool lfTicked = false;
    std::string onelineexplain;
    std::string escapechar;
    std::string multilinenote_begin;
    std::string multilinenote_end;
    std::string hexprefix;
    std::string numbersubfix;
    std::string filesubfix;
    std::string separator;
    std::string begindealmark;
    std::string functionbegin;
    std::string functionend;
    std::string definevalue;

    bool operator==(const LanguageDialogFields& other) const;
    bool operator!=(const LanguageDialogFields& other) const { return !(*this == other); }
};

// Fills `fields` for list entry `index` (base language = index modulo 7): from the section
// "language_<base>" of `settings`, each missing key taking the dialog default, or from the dialog
// defaults alone when `settings` is null. Stored forms become field forms: assignment choice 0
// only for the text "=", quote choice 0 only for 34, byte keys become a one-byte text of their
// low byte (empty for 0), CR/LF ticked when "carryreturn" contains "rr"/"nn". A negative index
// leaves `fields` unchanged. An unreadable file gives the defaults.
void LoadDialogFields(const ProfileStore* settings, std::int32_t index,
                      LanguageDialogFields& fields);

// Writes the sixteen keys of the section of list entry `index`, in the order filesubfix,
// begindealmark, functionbegin, functionend, setvalue, quotation, linendchar, carryreturn,
// separator, escapechar, definevalue, onelineexplain, multilinenote_begin, multilinenote_end,
// hexprefix, numbersubfix. setvalue is "=" or ":="; quotation 34 or 39; the byte keys the first
// byte's code as a signed 8-bit number (0 when empty); carryreturn "rrnn", "rr", "nn" or "".
// Stops at the first write that fails and returns its error (earlier keys stay written); a
// negative index is an error and writes nothing.
Status SaveDialogFields(ProfileStore& settings, std::int32_t index,
                        const LanguageDialogFields& fields);

}  // namespace korvexer
