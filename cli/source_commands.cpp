// SPDX-License-Identifier: MIT
// korvexer-cli lines, statements and scan: the line model, the statements and the rows that the
// scanner gives for source files, so users can see why a line is or is not listed.
#include "cli/commands.h"

#include <charconv>
#include <cstdint>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "cli/cli_context.h"
#include "cli/file_arguments.h"
#include "cli/file_texts.h"
#include "cli/row_json.h"
#include "core/platform/clock.h"
#include "core/scanner/line_model.h"
#include "core/scanner/source_scanner.h"
#include "core/scanner/statement_walker.h"

namespace korvexer::cli {

namespace {

struct SourceOptions {
    std::string language;
    std::string file;
    std::string mode;
    std::string mainFile;
    std::string counter = "1024";
    std::string now;
    std::vector<std::string> files;
    FileListOptions fileList;
};

template <typename Number>
std::optional<Number> ParseNumber(const std::string& text) {
    Number value{};
    const char* end = text.data() + text.size();
    auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end) return std::nullopt;
    return value;
}

// The definition of --language, or nothing after refusing the command.
std::optional<LanguageDefinition> LoadLanguage(CliContext& context, const std::string& text) {
    std::optional<std::int32_t> index = ParseNumber<std::int32_t>(text);
    if (!index) {
        context.Refuse("--language must be a whole number of 32 bits, not \"" + text + "\"");
        return std::nullopt;
    }
    Expected<LanguageDefinition> language = context.Language(*index);
    if (!language) {
        context.Refuse(language.error().message);
        return std::nullopt;
    }
    return *language;
}

// A file name from the command line as the GBK path the core works with.
std::optional<std::string> SourcePath(CliContext& context, const std::string& name) {
    Expected<std::string> path = context.FromUser(name);
    if (!path) {
        context.Refuse("the file name \"" + name + "\": " + path.error().message);
        return std::nullopt;
    }
    return *path;
}

void WarnUnreadable(CliContext& context, const Error& error, const std::string& path) {
    context.Warn("cannot read " + context.ToUser(path) + " (" + error.message +
                 "); it is taken as an empty file");
}

void WarnUndecodable(CliContext& context, const std::string& path) {
    context.Warn(context.ToUser(path) + " is not valid " + context.sourceEncoding +
                 "; it is read and rewritten as " + context.sourceEncoding +
                 " byte for byte all the same");
}

void WarnOtherBreak(CliContext& context, const std::string& path) {
    context.Warn(context.ToUser(path) +
                 " holds none of the language's line break; it was split at the line break it "
                 "holds (set the language's line break to match it)");
}

// Loads FILE with the language's line break; nothing after a refusal.
std::optional<LineModel> LoadFile(CliContext& context, const SourceOptions& options,
                                  LanguageDefinition& language) {
    std::optional<LanguageDefinition> loaded = LoadLanguage(context, options.language);
    if (!loaded) return std::nullopt;
    language = *loaded;
    std::optional<std::string> path = SourcePath(context, options.file);
    if (!path) return std::nullopt;
    if (Status readable = CheckReadableFile(context, *path); !readable && !context.keepGoing) {
        context.Refuse(readable.error().message + " (give --keep-going to read it as empty)");
        return std::nullopt;
    }
    LineModel model =
        LoadSourceLines(context.fs(), *path, language.carryreturn, context.SourceEncodingChoice());
    if (model.readError) WarnUnreadable(context, *model.readError, *path);
    if (model.otherBreak) WarnOtherBreak(context, *path);
    if (model.undecodable) WarnUndecodable(context, *path);
    return model;
}

void RunLines(CliContext& context, const SourceOptions& options) {
    LanguageDefinition language;
    std::optional<LineModel> model = LoadFile(context, options, language);
    if (!model) return;
    const std::vector<TextEncoding> encodings(2, model->encoding);
    for (std::size_t i = 0; i < model->LineCount(); ++i)
        context.PrintRow({std::to_string(i + 1), std::string(model->Line(i))}, encodings);
}

void RunStatements(CliContext& context, const SourceOptions& options) {
    LanguageDefinition language;
    std::optional<LineModel> model = LoadFile(context, options, language);
    if (!model) return;
    StatementWalker walker(language, *model);
    Statement statement;
    for (std::size_t i = 0; i < model->LineCount(); i = statement.line + 1) {
        if (!walker.Next(i, statement)) break;
        context.PrintRow({std::to_string(statement.line + 1), std::to_string(statement.column),
                          statement.text, statement.comment},
                         std::vector<TextEncoding>(4, model->encoding));
    }
}

void RunScan(CliContext& context, const SourceOptions& options) {
    std::optional<std::uint32_t> counter = ParseNumber<std::uint32_t>(options.counter);
    if (!counter) {
        context.Refuse("--counter must be a whole number from 0 to 4294967295, not \"" +
                       options.counter + "\"");
        return;
    }
    std::optional<FixedClock> fixedClock;
    if (!options.now.empty()) {
        std::optional<std::int64_t> now = ParseNumber<std::int64_t>(options.now);
        if (!now) {
            context.Refuse("--now must be a whole number of seconds since 1970, not \"" +
                           options.now + "\"");
            return;
        }
        fixedClock.emplace(*now);
    }
    std::optional<LanguageDefinition> language = LoadLanguage(context, options.language);
    if (!language) return;
    std::string mainPath;
    if (!options.mainFile.empty()) {
        std::optional<std::string> path = SourcePath(context, options.mainFile);
        if (!path) return;
        mainPath = *path;
        if (Status readable = CheckReadableFile(context, mainPath);
            !readable && !context.keepGoing) {
            context.Refuse(readable.error().message + " (give --keep-going to go on without it)");
            return;
        }
    }
    Expected<std::vector<std::string>> files = ExpandFileArguments(
        context, options.files, options.fileList, language->filesubfix, std::cin);
    if (!files) {
        context.Refuse(files.error().message);
        return;
    }

    const Clock& clock = fixedClock ? static_cast<const Clock&>(*fixedClock) : Clock::System();
    const ScanMode mode = options.mode == "calls" ? ScanMode::Calls : ScanMode::Constants;
    SourceScanner scanner(context.fs(), *language, clock, context.SourceEncodingChoice());
    RowList rows;
    std::uint32_t index = *counter;
    if (!mainPath.empty()) {
        Status status = scanner.ScanFile(rows, mainPath, index, mode);
        if (!status) WarnUnreadable(context, status.error(), mainPath);
    }
    for (const Error& error : scanner.ScanSourceFiles(rows, &*files, mainPath, index, mode))
        WarnUnreadable(context, error, error.path);
    for (const ScanNotice& notice : scanner.notices()) {
        if (notice.kind == ScanNotice::Kind::OtherLineBreak)
            WarnOtherBreak(context, notice.path);
        else
            WarnUndecodable(context, notice.path);
    }
    // Each value shows in its file's encoding.
    const CliContext::FileTextColumns texts =
        StepRowTexts(mode == ScanMode::Calls ? ListKind::Functions : ListKind::Constants);
    for (const Row& row : rows.rows()) {
        const auto found = scanner.encodings().find(row.columns[texts.path]);
        const TextEncoding encoding =
            found != scanner.encodings().end() ? found->second : TextEncoding::Gbk;
        if (context.Json())
            context.out() << StepRowJson(row.columns,
                                         mode == ScanMode::Calls ? ListKind::Functions
                                                                 : ListKind::Constants,
                                         encoding)
                                 .Line();
        else
            context.PrintRow(row.columns, ColumnEncodings(texts, row.columns.size(), encoding));
    }
}

}  // namespace

CLI::Option* AddSourceEncodingOption(CLI::App* command, CliContext& context) {
    return command
        ->add_option("--source-encoding", context.sourceEncoding,
                     "How source files are read: auto (each file: UTF-8 when it starts with the "
                     "byte-order mark or is valid UTF-8 with a non-ASCII character, else GBK; the "
                     "default), gbk or utf-8")
        ->check(CLI::IsMember({"auto", "gbk", "utf-8"}));
}

namespace {

CLI::Option* AddLanguageOption(CLI::App* command, SourceOptions& options) {
    return command
        ->add_option("--language", options.language,
                     "The language list entry whose definition applies (0 Visual C++, 1 Visual "
                     "Basic, 2 Visual FoxPro, 3 Delphi, 4 Java, 5 C#, 6 New Define)")
        ->required();
}

}  // namespace

void RegisterSourceCommands(CLI::App& app, CliContext& context) {
    auto options = std::make_shared<SourceOptions>();

    CLI::App* lines = app.add_subcommand(
        "lines",
        "Prints the line model of FILE with the language's line break: one row per line, "
        "NUMBER<TAB>TEXT, NUMBER counted from 1 (at most the first 512,000 bytes are read; lines "
        "are cut after 5,120 bytes)");
    AddLanguageOption(lines, *options);
    AddSourceEncodingOption(lines, context);
    AddKeepGoingOption(lines, context);
    lines->add_option("FILE", options->file, "The source file")->required();
    lines->callback([&context, options] { RunLines(context, *options); });

    CLI::App* statements = app.add_subcommand(
        "statements",
        "Prints the statements the scanner sees in FILE: LINE<TAB>COLUMN<TAB>TEXT<TAB>COMMENT, "
        "LINE counted from 1, COLUMN the bytes of the line before TEXT, COMMENT the line's "
        "one-line comment without its marker");
    AddLanguageOption(statements, *options);
    AddSourceEncodingOption(statements, context);
    AddKeepGoingOption(statements, context);
    statements->add_option("FILE", options->file, "The source file")->required();
    statements->callback([&context, options] { RunStatements(context, *options); });

    CLI::App* scan = app.add_subcommand(
        "scan",
        "Prints the rows that a step dialog's scan produces, six columns each: first the main "
        "file (if given), then every FILE in order except the main file");
    scan->add_option("MODE", options->mode,
                     "constants (literals and accessor calls) or calls (function calls)")
        ->required()
        ->check(CLI::IsMember({"constants", "calls"}));
    AddLanguageOption(scan, *options);
    AddSourceEncodingOption(scan, context);
    scan->add_option("--main", options->mainFile, "The project's entry source file");
    scan->add_option("--counter", options->counter, "The index counter's start (default 1024)");
    scan->add_option("--now", options->now,
                     "Fixes the clock, in seconds since 1970, for constant numbering");
    scan->add_option("FILE", options->files,
                     "The project's other source files; a folder stands for its files with the "
                     "language's suffixes, - for standard input");
    AddFileListOptions(*scan, options->fileList);
    AddFormatOption(scan, context);
    AddKeepGoingOption(scan, context);
    scan->callback([&context, options] { RunScan(context, *options); });
}

}  // namespace korvexer::cli
