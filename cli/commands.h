// SPDX-License-Identifier: MIT
// The command groups of korvexer-cli; each adds its subcommands to the application.
#pragma once

namespace CLI {
class App;
}

namespace korvexer::cli {

class CliContext;

void RegisterLanguageCommands(CLI::App& app, CliContext& context);  // language show
void RegisterSourceCommands(CLI::App& app, CliContext& context);    // lines, statements, scan
void RegisterApplyCommands(CLI::App& app, CliContext& context);     // apply
void RegisterRecordCommands(CLI::App& app, CliContext& context);    // record read, record write
void RegisterProjectCommands(CLI::App& app, CliContext& context);   // project show, protect, ...

}  // namespace korvexer::cli
