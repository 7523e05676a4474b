// SPDX-License-Identifier: MIT
// The command groups of korvexer-cli; each adds its subcommands to the application.
#pragma once

namespace CLI {
class App;
class Option;
}  // namespace CLI

namespace korvexer::cli {

class CliContext;

// Adds --source-encoding (auto, gbk, utf-8) to `command`, into context.sourceEncoding.
CLI::Option* AddSourceEncodingOption(CLI::App* command, CliContext& context);
// Adds --format (text, json) to `command`, into context.format.
CLI::Option* AddFormatOption(CLI::App* command, CliContext& context);
// Adds --keep-going to `command`, into context.keepGoing.
CLI::Option* AddKeepGoingOption(CLI::App* command, CliContext& context);

void RegisterLanguageCommands(CLI::App& app, CliContext& context);  // language show
void RegisterSourceCommands(CLI::App& app, CliContext& context);    // lines, statements, scan
void RegisterApplyCommands(CLI::App& app, CliContext& context);     // apply
void RegisterRecordCommands(CLI::App& app, CliContext& context);    // record read, record write
void RegisterProjectCommands(CLI::App& app, CliContext& context);   // project show, protect, ...

}  // namespace korvexer::cli
