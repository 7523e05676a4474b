// SPDX-License-Identifier: MIT
// The language settings dialog's fields: conversion from and to the stored forms.
#include "core/language/language_dialog_fields.h"

#include <string_view>
#include <tuple>
#include <utility>

#include "core/language/language_defaults.h"
#include "core/language/language_store.h"

namespace korvexer {

namespace {

constexpr std::int32_t kDoubleQuote = 34;
constexpr std::int32_t kSingleQuote = 39;

auto Tie(const LanguageDialogFields& f) {
    return std::tie(f.assignmentChoice, f.quoteChoice, f.linendchar, f.crTicked, f.lfTicked,
                    f.onelineexplain, f.escapechar, f.multilinenote_begin, f.multilinenote_end,
                    f.hexprefix, f.numbersubfix, f.filesubfix, f.separator, f.begindealmark,
                    f.functionbegin, f.functionend, f.definevalue);
}

std::string ByteText(std::int32_t code) {
    auto byte = static_cast<char>(static_cast<unsigned char>(static_cast<std::uint32_t>(code)));
    return byte == '\0' ? std::string() : std::string(1, byte);
}

// The stored code of a one-byte field: its first byte as a signed 8-bit number, as a C char.
std::int32_t ByteCode(const std::string& text) {
    return text.empty() ? 0 : static_cast<std::int32_t>(static_cast<signed char>(text[0]));
}

}  // namespace

bool LanguageDialogFields::operator==(const LanguageDialogFields& other) const {
    return Tie(*this) == Tie(other);
}

void LoadDialogFields(const ProfileStore* settings, std::int32_t index,
                      LanguageDialogFields& fields) {
    const std::int32_t base = BaseLanguage(index);
    if (base < 0) return;
    const LanguageDefinition defaults = DialogDefaults(base);
    const std::string section = LanguageSection(base);
    auto text = [&](std::string_view key, const std::string& defaultValue) {
        return settings ? settings->GetString(section, key, defaultValue) : defaultValue;
    };
    auto number = [&](std::string_view key, unsigned char defaultValue) {
        return settings ? settings->GetInt(section, key, defaultValue)
                        : static_cast<std::int32_t>(defaultValue);
    };

    fields.filesubfix = text("filesubfix", defaults.filesubfix);
    fields.begindealmark = text("begindealmark", defaults.begindealmark);
    fields.functionbegin = text("functionbegin", defaults.functionbegin);
    fields.functionend = text("functionend", defaults.functionend);
    fields.assignmentChoice = text("setvalue", defaults.setvalue) == "=" ? 0 : 1;
    fields.quoteChoice = number("quotation", defaults.quotation) == kDoubleQuote ? 0 : 1;
    fields.linendchar = ByteText(number("linendchar", defaults.linendchar));
    const std::string lineBreak = text("carryreturn", LineBreakText(defaults.carryreturn));
    fields.crTicked = lineBreak.find("rr") != std::string::npos;
    fields.lfTicked = lineBreak.find("nn") != std::string::npos;
    fields.separator = ByteText(number("separator", defaults.separator));
    fields.escapechar = ByteText(number("escapechar", defaults.escapechar));
    fields.definevalue = text("definevalue", defaults.definevalue);
    fields.onelineexplain = text("onelineexplain", defaults.onelineexplain);
    fields.multilinenote_begin = text("multilinenote_begin", defaults.multilinenote_begin);
    fields.multilinenote_end = text("multilinenote_end", defaults.multilinenote_end);
    fields.hexprefix = text("hexprefix", defaults.hexprefix);
    fields.numbersubfix = text("numbersubfix", defaults.numbersubfix);
}

Status SaveDialogFields(ProfileStore& settings, std::int32_t index,
                        const LanguageDialogFields& fields) {
    const std::int32_t base = BaseLanguage(index);
    if (base < 0) return Error{"no language is selected", settings.path(), ErrorKind::NoLanguage};
    const std::string section = LanguageSection(base);
    std::string lineBreak;
    if (fields.crTicked) lineBreak += "rr";
    if (fields.lfTicked) lineBreak += "nn";

    const auto code = [](std::int32_t number) { return std::to_string(number); };
    // The integer keys are written as WriteInt writes them: decimal, with a sign when negative.
    const std::pair<const char*, std::string> keys[] = {
        {"filesubfix", fields.filesubfix},
        {"begindealmark", fields.begindealmark},
        {"functionbegin", fields.functionbegin},
        {"functionend", fields.functionend},
        {"setvalue", fields.assignmentChoice == 0 ? "=" : ":="},
        {"quotation", code(fields.quoteChoice == 0 ? kDoubleQuote : kSingleQuote)},
        {"linendchar", code(ByteCode(fields.linendchar))},
        {"carryreturn", lineBreak},
        {"separator", code(ByteCode(fields.separator))},
        {"escapechar", code(ByteCode(fields.escapechar))},
        {"definevalue", fields.definevalue},
        {"onelineexplain", fields.onelineexplain},
        {"multilinenote_begin", fields.multilinenote_begin},
        {"multilinenote_end", fields.multilinenote_end},
        {"hexprefix", fields.hexprefix},
        {"numbersubfix", fields.numbersubfix},
    };
    for (const auto& [key, value] : keys) {
        Status status = settings.WriteString(section, key, value);
        if (!status) return status;
    }
    return Status::Ok();
}

}  // namespace korvexer
