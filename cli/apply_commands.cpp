// SPDX-License-Identifier: MIT
// korvexer-cli: placeholder until the apply commands are written.
#include "cli/commands.h"

namespace korvexer::cli {

void RegisterApplyCommands(CLI::App&, CliContext&) {}

}  // namespace korvexer::cli
