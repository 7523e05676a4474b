// SPDX-License-Identifier: MIT
// Reading the current language definition from the settings file, with the loader defaults.
#include "core/language/language_store.h"

#include <cstddef>

#include "core/language/language_defaults.h"
#include "core/platform/gbk_text.h"

namespace korvexer {

namespace {

constexpr unsigned char kCr = 13;
constexpr unsigned char kLf = 10;

// Reads one section key by key, the missing ones from `defaults`.
class SectionReader {
public:
    SectionReader(const ProfileStore& settings, std::int32_t base)
        : m_settings(settings), m_section(LanguageSection(base)) {}

    std::string Text(std::string_view key, const std::string& defaultValue,
                     std::size_t capacity) const {
        std::string value = m_settings.GetString(m_section, key, defaultValue);
        // A hand-edited file may hold more than the field takes; the record keeps what fits.
        std::size_t nul = value.find('\0');
        if (nul != std::string::npos) value.erase(nul);
        value.erase(gbk::CutLength(value, capacity));
        return value;
    }

    unsigned char Byte(std::string_view key, unsigned char defaultValue) const {
        std::int32_t number = m_settings.GetInt(m_section, key, defaultValue);
        return static_cast<unsigned char>(static_cast<std::uint32_t>(number) & 0xFFu);
    }

    LineBreak Break(std::string_view key) const {
        return LineBreakFromText(m_settings.GetString(m_section, key, "rrnn"));
    }

private:
    const ProfileStore& m_settings;
    std::string m_section;
};

}  // namespace

std::string LanguageSection(std::int32_t base) {
    return "language_" + std::to_string(base);
}

std::string LineBreakText(const LineBreak& lineBreak) {
    std::string text;
    if (lineBreak.first == kCr || lineBreak.second == kCr) text += "rr";
    if (lineBreak.first == kLf || lineBreak.second == kLf) text += "nn";
    return text;
}

LineBreak LineBreakFromText(std::string_view text) {
    LineBreak lineBreak;
    unsigned char* next = &lineBreak.first;
    if (text.find("rr") != std::string_view::npos) {
        *next = kCr;
        next = &lineBreak.second;
    }
    if (text.find("nn") != std::string_view::npos) *next = kLf;
    return lineBreak;
}

void LoadLanguageDefinition(std::int32_t index, LanguageDefinition& record,
                            const ProfileStore* settings) {
    record = LanguageDefinition{};
    std::int32_t base = BaseLanguage(index);
    if (base < 0) return;
    const LanguageDefinition defaults = LoaderDefaults(base);
    if (settings == nullptr) {
        record = defaults;
        return;
    }

    using D = LanguageDefinition;
    const SectionReader in(*settings, base);
    record.language = base;
    record.filesubfix = in.Text("filesubfix", defaults.filesubfix, D::kFileSubfixCapacity);
    record.begindealmark =
        in.Text("begindealmark", defaults.begindealmark, D::kBeginDealMarkCapacity);
    record.functionbegin =
        in.Text("functionbegin", defaults.functionbegin, D::kFunctionBeginCapacity);
    record.functionend = in.Text("functionend", defaults.functionend, D::kFunctionEndCapacity);
    record.setvalue = in.Text("setvalue", defaults.setvalue, D::kSetValueCapacity);
    record.quotation = in.Byte("quotation", defaults.quotation);
    record.linendchar = in.Byte("linendchar", defaults.linendchar);
    record.carryreturn = in.Break("carryreturn");
    record.separator = in.Byte("separator", defaults.separator);
    record.escapechar = in.Byte("escapechar", defaults.escapechar);
    record.definevalue = in.Text("definevalue", defaults.definevalue, D::kDefineValueCapacity);
    record.onelineexplain =
        in.Text("onelineexplain", defaults.onelineexplain, D::kOneLineExplainCapacity);
    record.multilinenote_begin =
        in.Text("multilinenote_begin", defaults.multilinenote_begin, D::kMultiLineNoteCapacity);
    record.multilinenote_end =
        in.Text("multilinenote_end", defaults.multilinenote_end, D::kMultiLineNoteCapacity);
    record.hexprefix = in.Text("hexprefix", defaults.hexprefix, D::kHexPrefixCapacity);
    record.numbersubfix = in.Text("numbersubfix", defaults.numbersubfix, D::kNumberSubfixCapacity);
    record.libraryfiles = defaults.libraryfiles;
}

}  // namespace korvexer
