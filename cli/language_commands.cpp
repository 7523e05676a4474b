// SPDX-License-Identifier: MIT
// korvexer-cli language show: the language definition that loading an entry gives.
#include "cli/commands.h"

#include <charconv>
#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include <CLI/CLI.hpp>

#include "cli/cli_context.h"
#include "core/language/language_store.h"

namespace korvexer::cli {

namespace {

std::string Code(unsigned char byte) {
    return std::to_string(static_cast<unsigned>(byte));
}

int ShowLanguage(CliContext& context, const std::string& indexText) {
    std::int32_t index = 0;
    const char* end = indexText.data() + indexText.size();
    auto [stop, error] = std::from_chars(indexText.data(), end, index);
    if (indexText.empty() || error != std::errc() || stop != end)
        return context.Refuse("INDEX must be a whole number of 32 bits, not \"" + indexText + "\"");
    Expected<LanguageDefinition> loaded = context.Language(index);
    if (!loaded) return context.Refuse(loaded.error().message);
    const LanguageDefinition& d = *loaded;

    // Text fields hold GBK and go out in the user's encoding; bytes go out as their codes.
    const std::vector<std::pair<const char*, std::string>> lines = {
        {"language", std::to_string(d.language)},
        {"filesubfix", context.ToUser(d.filesubfix)},
        {"begindealmark", context.ToUser(d.begindealmark)},
        {"functionbegin", context.ToUser(d.functionbegin)},
        {"functionend", context.ToUser(d.functionend)},
        {"setvalue", context.ToUser(d.setvalue)},
        {"quotation", Code(d.quotation)},
        {"linendchar", Code(d.linendchar)},
        {"carryreturn", LineBreakText(d.carryreturn)},
        {"separator", Code(d.separator)},
        {"escapechar", Code(d.escapechar)},
        {"definevalue", context.ToUser(d.definevalue)},
        {"onelineexplain", context.ToUser(d.onelineexplain)},
        {"multilinenote_begin", context.ToUser(d.multilinenote_begin)},
        {"multilinenote_end", context.ToUser(d.multilinenote_end)},
        {"hexprefix", context.ToUser(d.hexprefix)},
        {"numbersubfix", context.ToUser(d.numbersubfix)},
        {"libraryfiles", context.ToUser(d.libraryfiles)},
    };
    std::string text;
    for (const auto& [key, value] : lines) text += std::string(key) + "=" + value + "\n";
    context.out() << text;
    return kExitSuccess;
}

}  // namespace

void RegisterLanguageCommands(CLI::App& app, CliContext& context) {
    CLI::App* language = app.add_subcommand("language", "Language definitions");
    language->require_subcommand(1, 1);
    CLI::App* show = language->add_subcommand(
        "show",
        "Prints the language definition that loading list entry INDEX gives (from the settings "
        "file, defaults for missing keys), one key=value line per field");
    auto index = std::make_shared<std::string>();
    show->add_option("INDEX", *index, "The language list entry (0 Visual C++ ... 6 New Define)")
        ->required();
    show->callback([&context, index] { ShowLanguage(context, *index); });
}

}  // namespace korvexer::cli
