// SPDX-License-Identifier: MIT
// The options that several commands share: the output format and going on past unreadable files.
#include <CLI/CLI.hpp>

#include "cli/cli_context.h"
#include "cli/commands.h"

namespace korvexer::cli {

CLI::Option* AddFormatOption(CLI::App* command, CliContext& context) {
    return command
        ->add_option("--format", context.format,
                     "text (the default: tab-separated rows) or json (JSON Lines, UTF-8, English "
                     "keys)")
        ->check(CLI::IsMember({"text", "json"}));
}

CLI::Option* AddKeepGoingOption(CLI::App* command, CliContext& context) {
    return command->add_flag("--keep-going", context.keepGoing,
                             "Go on past an input file that is missing or cannot be read (named "
                             "in a warning) instead of refusing with exit status 2");
}

}  // namespace korvexer::cli
