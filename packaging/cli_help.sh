# SPDX-License-Identifier: MIT
# Reading korvexer-cli's own --help: its commands and their options. Sourced by the man page's
# command section and by the installation check, so both follow what the program offers.

# cli_subcommands CLI [WORD...]: the subcommands that `CLI WORD... --help` lists, one a line.
cli_subcommands() {
    "$@" --help | awk '/^Subcommands:/ { listed = 1; next } /^$/ { listed = 0 }
                       listed && /^  [a-z]/ { print $1 }'
}

# cli_commands CLI [WORD...]: every command below WORD... that has no subcommands of its own,
# its words separated by spaces, one a line.
cli_commands() {
    local cli=$1
    shift
    local subcommands subcommand
    subcommands=$(cli_subcommands "$cli" "$@")
    if [[ -z $subcommands ]]; then
        echo "$*"
        return
    fi
    for subcommand in $subcommands; do
        cli_commands "$cli" "$@" "$subcommand"
    done
}

# cli_options CLI [WORD...]: the long options that `CLI WORD... --help` lists, one a line.
cli_options() {
    "$@" --help | awk '/^Options:/ { listed = 1; next } /^$/ { listed = 0 }
                       listed && /^  -/ { name = $1; sub(/.*,/, "", name); print name }'
}
