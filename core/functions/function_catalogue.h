// SPDX-License-Identifier: MIT
// The function catalogue: the runtime library's 52 substitute functions, their names and the
// entry proposed for a call.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvexer {

inline constexpr std::size_t kCatalogueSize = 52;

// Appends the 52 entry texts to `entries` in the catalogue's own order. Each is the function's C
// prototype, a tab and its description in GBK.
void FillFunctionCatalogue(std::vector<std::string>& entries);

// Sorts entry texts as the list box shows them: byte by byte, equal texts keeping their order.
void SortCatalogueEntries(std::vector<std::string>& entries);

// The 52 entry texts in list-box order (FillFunctionCatalogue, then SortCatalogueEntries).
std::vector<std::string> SortedCatalogue();

// The function name of an entry: the text after the first blank of its prototype, cut before
// the first "(", without one leading "*". "char *NameFromPath_kx(...);..." gives
// "NameFromPath_kx". A text without a blank is taken whole.
std::string CatalogueEntryName(std::string_view entry);

// Whether the entry named `entryName` takes other argument types, or gives another kind of result,
// than the function of the C runtime, the Windows API or the Basic and Pascal built-ins whose name
// it carries: `toupper_kx` takes a string where `toupper` takes a character, `div_kx` gives a
// number where `div` gives a structure. A call renamed to such an entry no longer compiles, or
// means something else, so such entries are not applied in bulk without being asked for.
bool TakesOtherArgumentTypes(std::string_view entryName);

// The position in `sortedEntries` of the entry to propose for a call named `callName` whose
// substitute is `substitute`: with a substitute, the first entry whose name equals it exactly;
// else the first entry whose lower-cased name contains the call's name lower-cased after
// dropping one leading "::" and then one leading "_". Nothing when no entry qualifies, and
// nothing for a call name that is empty after those steps.
std::optional<std::size_t> FindCatalogueEntry(const std::vector<std::string>& sortedEntries,
                                              std::string_view callName,
                                              std::string_view substitute);

}  // namespace korvexer
