// SPDX-License-Identifier: MIT
// Taking back calls that the record does not know: the literal or name comes from the comment
// that the replacement appended, and only where that comment says it plainly.
#pragma once

#include <string>
#include <unordered_set>

#include "core/language/language_definition.h"
#include "core/list/row_list.h"
#include "core/platform/file_system.h"
#include "core/platform/text_encoding.h"

namespace korvexer {

// Constant rows with an empty state whose index is in `fromComment` (rows that the scan found as
// "未知" accessor calls, their value read from the line's comment) stay to be taken back only
// when that value is a whole literal (a string without the quote, a decimal number) and their
// line holds the accessor call of their index at their position with the comment prefix and the
// literal after it; every other such row gets the state "未知" again, so that the rewrite leaves
// it alone rather than put back a text that was not the original.
void ConfirmConstantTakeBacks(RowList& rows, const std::unordered_set<std::string>& fromComment,
                              const LanguageDefinition& language, FileSystem& fs,
                              SourceEncoding encoding = SourceEncoding::Automatic);

// Call rows with an empty state, a substitute and no call name (substitute calls that the scan
// found as "未知") take the call name that the comment after the substitute names: of the names
// the line's comments hold after it (CommentNames), the one that the substitute is named after
// (the name, without one leading "::" and one leading "_", followed by "_kx", case aside), else
// the only one. A row without such a name gets the state "未知" again.
void NameFunctionTakeBacks(RowList& rows, const LanguageDefinition& language, FileSystem& fs,
                           SourceEncoding encoding = SourceEncoding::Automatic);

}  // namespace korvexer
