// SPDX-License-Identifier: MIT
// project check: whether the record and the sources of a project agree.
#pragma once

namespace korvexer {
class Workbench;
}

namespace korvexer::cli {

class CliContext;

// Scans the project's files as the two steps do and compares them with the record that
// `workbench` read: every recorded constant must stand in its file as its accessor call with its
// index, every recorded substitution as its substitute, and every accessor or substitute call in
// the sources must be recorded; with `strict`, every listed constant must be protected. Prints
// one line per disagreement (as JSON Lines with --format json, then a summary object). Exit
// status 0 when they agree, 1 when they do not, 2 when a file cannot be read (unless
// --keep-going, which names it and counts its recorded rows as disagreeing).
int CheckProject(CliContext& context, Workbench& workbench, bool strict);

}  // namespace korvexer::cli
