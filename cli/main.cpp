// SPDX-License-Identifier: MIT
// korvexer-cli: entry point; parses the command line and runs one command.
#include <iostream>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "cli/cli_context.h"
#include "cli/commands.h"
#include "cli/standard_input_file_system.h"
#include "core/platform/command_line.h"
#include "generated/korvexer_build_info.h"

int main(int argc, char** argv) {
    using namespace korvexer;
    UseBinaryStandardStreams();
    std::vector<std::string> arguments = CommandLineArguments(argc, argv);
    std::vector<char*> argumentPointers;
    for (std::string& argument : arguments) argumentPointers.push_back(argument.data());
    cli::StandardInputFileSystem fs(FileSystem::Real(), std::cin);
    cli::CliContext context(fs, std::cout, std::cerr);

    CLI::App app{
        "Korvexer on the command line: shows language definitions, scans source files "
        "for constants and calls, applies and takes back replacements, and reads and "
        "writes record files.",
        "korvexer-cli"};
    app.require_subcommand(1, 1);
    // Wide enough that every option's name keeps two blanks before its description, which is how
    // readers of the help (help2man for the man page) tell them apart.
    app.get_formatter()->column_width(34);
    app.set_version_flag("--version", "korvexer-cli " KORVEXER_VERSION,
                         "Print the version and exit");
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
        app.parse(static_cast<int>(argumentPointers.size()), argumentPointers.data());
    } catch (const CLI::ParseError& error) {
        if (error.get_exit_code() == 0) return app.exit(error);
        std::cerr << "korvexer-cli: " << error.what() << " (see korvexer-cli --help)\n";
        return cli::kExitRefused;
    }
    std::cout.flush();
    return context.exitCode;
}
