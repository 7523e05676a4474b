#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Writes the COMMANDS section of korvexer-cli's man page, a help2man include file, from the
# --help of every command: its usage, what it does, its arguments and options.
# Usage: cli_man_commands.sh CLI OUTPUT
set -euo pipefail
cli=${1:?usage: cli_man_commands.sh CLI OUTPUT}
output=${2:?usage: cli_man_commands.sh CLI OUTPUT}
source "$(dirname "${BASH_SOURCE[0]}")/cli_help.sh"

# One command's help as roff: the description line, "Usage: ..." as the subsection's title,
# then each argument and option (but --help) as a tagged paragraph. CLI11 starts an entry two
# blanks in and continues a long one on lines that start further in.
to_roff() {
    awk '
        function roff(text) { gsub(/\\/, "\\e", text); sub(/^[.'\'']/, "\\\\&&", text); return text }
        function flush() {
            if (name != "" && name !~ /--help$/) {
                name = roff(name); gsub(/-/, "\\-", name)
                print ".TP"; print "\\fB" name "\\fR"; print roff(text)
            }
            name = ""; text = ""
        }
        NR == 1 { description = $0; next }
        /^Usage: / { sub(/^Usage: /, ""); print ".SS \"" roff($0) "\""; print roff(description); next }
        /^(Positionals|Options):$/ { flush(); next }
        /^   / { sub(/^ +/, ""); text = text (text == "" ? "" : " ") $0; next }
        /^  [^ ]/ {
            flush(); line = substr($0, 3); gap = index(line, "  ")
            if (gap == 0) { name = line } else {
                name = substr(line, 1, gap - 1); text = substr(line, gap); sub(/^ +/, "", text)
            }
            next
        }
        /^$/ { flush() }
        END { flush() }'
}

{
    echo "[COMMANDS]"
    while read -r command; do
        # shellcheck disable=SC2086  # the command's words are meant to be split
        "$cli" $command --help | to_roff
    done < <(cli_commands "$cli")
    echo "[SEE ALSO]"
    echo ".BR korvexer (1)"
} >"$output"
