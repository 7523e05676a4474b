// SPDX-License-Identifier: MIT
// korvexer-cli: placeholder until the language commands are written.
#include "cli/commands.h"

namespace korvexer::cli {

void RegisterLanguageCommands(CLI::App&, CliContext&) {}

}  // namespace korvexer::cli
