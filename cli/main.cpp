// SPDX-License-Identifier: MIT
// korvexer-cli: entry point; parses the command line and runs one command.
#include <iostream>

#include <CLI/CLI.hpp>

#include "cli/cli_context.h"
#include "cli/commands.h"

int main(int argc, char** argv) {
    using namespace korvexer;
    cli::CliContext context(FileSystem::Real(), std::cout, std::cerr);

    CLI::App app{
        "Korvexer on the command line: shows language definitions, scans source files "
        "for constants and calls, applies and takes back replacements, and reads and "
        "writes record files.",
        "korvexer-cli"};
    app.require_subcommand(1, 1);
    app.add_option("--settings", context.settingsOption,
                   "The INI settings file to read and write (default: the window's working copy)");
    app.add_option("--encoding", context.encoding,
                   "How the command's own text input and output is encoded: utf-8 (default) or "
                   "gbk (bytes passed unchanged); file contents are never converted")
        ->check(CLI::IsMember({"utf-8", "gbk"}));

    cli::RegisterLanguageCommands(app, context);
    cli::RegisterSourceCommands(app, context);
    cli::RegisterApplyCommands(app, context);
    cli::RegisterRecordCommands(app, context);
    cli::RegisterProjectCommands(app, context);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        if (error.get_exit_code() == 0) return app.exit(error);
        std::cerr << "korvexer-cli: " << error.what() << " (see korvexer-cli --help)\n";
        return cli::kExitRefused;
    }
    std::cout.flush();
    return context.exitCode;
}
