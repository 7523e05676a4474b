// SPDX-License-Identifier: MIT
// Project settings in the settings file and the recent-products list.
#include "core/app/project_settings.h"

#include "core/platform/gbk_text.h"
#include "core/platform/text_trim.h"

namespace korvexer {

namespace {

constexpr std::string_view kCommonData = "Common Data";
constexpr std::size_t kProductListLimit = 255;
constexpr std::string_view kSourceEncodingKey = "SourceEncoding";

std::string ProjectSection(const std::string& company, const std::string& product) {
    return company + " " + product;
}

// The company and product that load and save work on: given ones as they are, empty ones from
// "Common Data" without their leading blanks. False when either ends up empty.
bool ResolveProject(const ProfileStore& store, std::string& company, std::string& product) {
    if (company.empty()) company = TrimLeadingBlanks(store.GetString(kCommonData, "CompanyID", ""));
    if (company.empty()) return false;
    if (product.empty()) product = TrimLeadingBlanks(store.GetString(kCommonData, "ProductID", ""));
    return !product.empty();
}

}  // namespace

void LoadProjectSettings(const ProfileStore& store, const std::string& company,
                         const std::string& product, ProjectSettings& settings) {
    std::string companyName = company;
    if (companyName.empty()) {
        settings.company = TrimTrailingBlanks(store.GetString(kCommonData, "CompanyID", ""));
        companyName = TrimLeadingBlanks(settings.company);
    }
    std::string productName = product;
    if (!ResolveProject(store, companyName, productName)) return;

    settings.product = productName;
    settings.productList = store.GetString(companyName, "ProductIDList", "");
    UpdateProductList(settings.productList, productName);
    const std::string section = ProjectSection(companyName, productName);
    settings.languageIndex = store.GetInt(section, "LanguageIndex", 0);
    settings.mainSourceFile = store.GetString(section, "MainPrgFile", "");
    settings.applicationFile = store.GetString(section, "Application", "");
    settings.sourceEncoding = SourceEncodingNamed(store.GetString(section, kSourceEncodingKey, ""));
}

Status SaveProjectSettings(ProfileStore& store, const std::string& company,
                           const std::string& product, ProjectSettings& settings) {
    std::string companyName = company;
    std::string productName = product;
    if (!ResolveProject(store, companyName, productName))
        return Error{"enter the company and the product before saving the project", store.path(),
                     ErrorKind::NoProject};

    const std::string section = ProjectSection(companyName, productName);
    Status status = store.WriteString(kCommonData, "CompanyID", companyName);
    if (status) status = store.WriteString(kCommonData, "ProductID", productName);
    if (status) status = store.WriteInt(section, "LanguageIndex", settings.languageIndex);
    if (status) status = store.WriteString(section, "MainPrgFile", settings.mainSourceFile);
    if (status) status = store.WriteString(section, "Application", settings.applicationFile);
    // A key of our own: other readers of the file pass over it, and a file without it reads as
    // automatic.
    if (status)
        status = store.WriteString(section, kSourceEncodingKey,
                                   SourceEncodingText(settings.sourceEncoding));
    if (!status) return status;
    UpdateProductList(settings.productList, productName);
    return store.WriteString(companyName, "ProductIDList", settings.productList);
}

void UpdateProductList(std::string& list, std::string_view product) {
    if (!product.empty()) {
        std::size_t start = 0;
        while (start < list.size()) {
            std::size_t semicolon = list.find(';', start);
            std::size_t end = semicolon == std::string::npos ? list.size() : semicolon;
            if (std::string_view(list).substr(start, end - start) == product)
                list.erase(start, end - start + (semicolon == std::string::npos ? 0 : 1));
            else
                start = end + 1;
        }
    }
    list.insert(0, std::string(product) + ";");
    if (list.size() > kProductListLimit) {
        if (list.back() == ';') list.pop_back();
        std::size_t last = list.rfind(';');
        if (last != std::string::npos && last != 0) list.erase(last);
    }
}

ProductComboEntries FillProductCombo(std::string_view list) {
    ProductComboEntries combo;
    if (list.empty()) return combo;
    std::string remainder(list);
    std::string first;
    bool haveFirst = false;
    for (;;) {
        remainder = TrimLeadingBlanks(remainder);
        std::size_t semicolon = remainder.find(';');
        if (semicolon == std::string::npos) break;
        std::string entry = remainder.substr(0, semicolon);
        if (!haveFirst) {
            first = entry;
            haveFirst = true;
        }
        if (!entry.empty()) combo.entries.push_back(entry);
        remainder.erase(0, semicolon + 1);
    }
    if (!haveFirst) first = remainder;
    if (!remainder.empty()) combo.entries.push_back(remainder);

    for (std::size_t i = 0; i < combo.entries.size(); ++i) {
        const std::string& entry = combo.entries[i];
        if (entry.size() >= first.size() &&
            gbk::EqualsNoCase(std::string_view(entry).substr(0, first.size()), first)) {
            combo.selected = static_cast<int>(i);
            break;
        }
    }
    return combo;
}

}  // namespace korvexer
