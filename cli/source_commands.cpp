// SPDX-License-Identifier: MIT
// korvexer-cli: placeholder until the source commands are written.
#include "cli/commands.h"

namespace korvexer::cli {

void RegisterSourceCommands(CLI::App&, CliContext&) {}

}  // namespace korvexer::cli
