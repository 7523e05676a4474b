// SPDX-License-Identifier: MIT
// ProjectSettings: a project's keys in the settings file, the last saved project and the
// per-company list of recent products.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/platform/expected.h"
#include "core/platform/profile_store.h"
#include "core/platform/text_encoding.h"

namespace korvexer {

// What the settings file keeps for one project. Texts are GBK.
struct ProjectSettings {
    std::string company;
    std::string product;
    std::string productList;  // product identifiers, most recent first, each followed by ';'
    std::int32_t languageIndex = 0;
    std::string mainSourceFile;
    std::string applicationFile;
    // How the project's source files are read: per file, or fixed to GBK or UTF-8.
    SourceEncoding sourceEncoding = SourceEncoding::Automatic;
};

// The entries of the product combo box and the entry to select (-1 for none).
struct ProductComboEntries {
    std::vector<std::string> entries;
    int selected = -1;
};

// Loads the project `company`/`product` into `settings`. An empty company is taken from
// "Common Data"/"CompanyID" (stored into settings.company without its trailing blanks), an empty
// product from "Common Data"/"ProductID"; when either stays empty nothing more is loaded. Then
// settings.product is set, the company's "ProductIDList" is read with `product` moved to its front,
// and the section "<company> <product>" gives LanguageIndex (default 0), MainPrgFile,
// Application and SourceEncoding ("auto", "gbk" or "utf-8"; missing or anything else is
// automatic). Missing keys, sections or files read as their defaults; nothing fails.
void LoadProjectSettings(const ProfileStore& store, const std::string& company,
                         const std::string& product, ProjectSettings& settings);

// Stores the project `company`/`product` (empty ones taken from "Common Data" as in the load):
// "Common Data" names it as the last saved project, its section gets LanguageIndex, MainPrgFile,
// Application and SourceEncoding from `settings`, and settings.productList, with the product moved
// to its front, is written to the company's "ProductIDList". Returns the first write that fails
// (the keys before it stay written); an error without writing anything when company or product is
// empty.
Status SaveProjectSettings(ProfileStore& store, const std::string& company,
                           const std::string& product, ProjectSettings& settings);

// Moves `product` to the front of `list`: every entry equal to it (byte for byte, whole entries
// only) is removed with its ';', then product + ";" is put first. A list longer than 255 bytes
// then loses its trailing ';' and its last entry (one entry at most per call).
void UpdateProductList(std::string& list, std::string_view product);

// The combo box entries of `list` in list order (blanks at their start removed, empty ones left
// out, a last entry without ';' included) and the first entry that begins, without regard to
// case, with the list's first entry. No entries for an empty list.
ProductComboEntries FillProductCombo(std::string_view list);

}  // namespace korvexer
