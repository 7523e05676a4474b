// SPDX-License-Identifier: MIT
// LanguageDefinition comparison.
#include "core/language/language_definition.h"

#include <tuple>

namespace korvexer {

namespace {

auto Fields(const LanguageDefinition& d) {
    return std::tie(d.language, d.filesubfix, d.begindealmark, d.functionbegin, d.functionend,
                    d.setvalue, d.quotation, d.linendchar, d.carryreturn.first,
                    d.carryreturn.second, d.separator, d.escapechar, d.definevalue,
                    d.onelineexplain, d.multilinenote_begin, d.multilinenote_end, d.hexprefix,
                    d.numbersubfix, d.libraryfiles);
}

}  // namespace

bool LanguageDefinition::operator==(const LanguageDefinition& other) const {
    return Fields(*this) == Fields(other);
}

}  // namespace korvexer
