// SPDX-License-Identifier: MIT
// korvexer-cli: placeholder until the record commands are written.
#include "cli/commands.h"

namespace korvexer::cli {

void RegisterRecordCommands(CLI::App&, CliContext&) {}

}  // namespace korvexer::cli
