#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Checks an installation as a new user would meet it: installs BUILD_DIR (configured for /usr)
# into a temporary DESTDIR, checks that every file the package must hold is there, validates the
# desktop entry and the metainfo, runs the installed programs (the window offscreen, taking the
# installed seed settings over), checks the man pages and the bash completion against the
# programs' own --help, then builds the Debian package and compares its contents with the
# installation. Exits non-zero at the first fault, naming it.
# Usage: packaging/check_install.sh BUILD_DIR
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=$(cd "${1:?usage: check_install.sh BUILD_DIR}" && pwd)
source "$here/cli_help.sh"

fail() {
    echo "check_install: $*" >&2
    exit 1
}
cache_value() { sed -n "s/^$1:[A-Z]*=//p" "$build/CMakeCache.txt"; }

[[ $(cache_value CMAKE_INSTALL_PREFIX) == /usr ]] ||
    fail "$build is not configured with -DCMAKE_INSTALL_PREFIX=/usr"
version=$(cache_value CMAKE_PROJECT_VERSION)
app_id=$(sed -n 's/^#define KORVEXER_APP_ID "\(.*\)"$/\1/p' "$build/generated/korvexer_build_info.h")
[[ -n $version && -n $app_id ]] || fail "no version or application id in $build"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
root="$work/root"
DESTDIR="$root" cmake --install "$build" >"$work/install.log" || {
    cat "$work/install.log"
    fail "cmake --install failed"
}

echo "== The installed files"
expected=(
    usr/bin/korvexer usr/bin/korvexer-cli
    "usr/share/applications/$app_id.desktop" "usr/share/metainfo/$app_id.metainfo.xml"
    usr/share/icons/hicolor/scalable/apps/korvexer.svg
    usr/share/man/man1/korvexer.1 usr/share/man/man1/korvexer-cli.1
    usr/share/bash-completion/completions/korvexer-cli
    usr/share/doc/korvexer/copyright usr/share/doc/korvexer/user_guide.txt
    etc/xdg/korvexer/korvexer.ini
)
for size in 16 22 24 32 48 64 128 256; do
    expected+=("usr/share/icons/hicolor/${size}x${size}/apps/korvexer.png")
done
for file in "${expected[@]}"; do
    [[ -s "$root/$file" ]] || fail "missing or empty: /$file"
done
# And nothing that the install rules name is missing or empty (the manifest names the files
# without DESTDIR).
while read -r file; do
    file=${file#"$root"}
    [[ -s $root$file ]] || fail "missing or empty: $file"
done <"$build/install_manifest.txt"
(cd "$root" && find . -type f | sort) >"$work/installed.txt"
[[ $(wc -l <"$work/installed.txt") -eq ${#expected[@]} ]] || {
    cat "$work/installed.txt"
    fail "the installation holds other files than the ${#expected[@]} expected"
}
for size in 16 256; do
    file "$root/usr/share/icons/hicolor/${size}x${size}/apps/korvexer.png" |
        grep -q "PNG image data, $size x $size" || fail "the ${size}px icon is no $size x $size PNG"
done
iconv -f UTF-8 -t UTF-8 "$root/usr/share/doc/korvexer/user_guide.txt" >/dev/null ||
    fail "the installed user guide is not UTF-8"
! grep -q $'\r' "$root/usr/share/doc/korvexer/user_guide.txt" ||
    fail "the installed user guide has CR LF line ends"
echo "${#expected[@]} files, as expected"

echo "== Desktop entry and metainfo"
desktop-file-validate "$root/usr/share/applications/$app_id.desktop" ||
    fail "desktop-file-validate found errors"
appstreamcli validate --no-net --pedantic "$root/usr/share/metainfo/$app_id.metainfo.xml" ||
    fail "appstreamcli found errors in the metainfo"
grep -q "<release version=\"$version\"" "$root/usr/share/metainfo/$app_id.metainfo.xml" ||
    fail "the metainfo does not name version $version"

echo "== The installed programs"
cli="$root/usr/bin/korvexer-cli"
window="$root/usr/bin/korvexer"
[[ $("$cli" --version) == "korvexer-cli $version" ]] || fail "korvexer-cli --version is wrong"
no_display=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)
[[ $("${no_display[@]}" "$window" --version) == "korvexer $version" ]] ||
    fail "korvexer --version is wrong (or needs a display)"
"${no_display[@]}" "$window" --help | grep -q -- "--screenshot" ||
    fail "korvexer --help does not work without a display"
echo "korvexer-cli $version, korvexer $version"

# A first start: no settings yet, the installed seed is found through XDG_CONFIG_DIRS.
mkdir "$work/config" "$work/shots"
XDG_CONFIG_HOME="$work/config" XDG_CONFIG_DIRS="$root/etc/xdg" QT_QPA_PLATFORM=offscreen \
    timeout 60 "$window" --screenshot "$work/shots" >"$work/window.log" 2>&1 || {
    cat "$work/window.log"
    fail "the installed korvexer did not start and end offscreen"
}
for picture in workbench about language; do
    [[ -s "$work/shots/$picture.png" ]] || fail "the installed korvexer drew no $picture.png"
done
cmp -s "$root/etc/xdg/korvexer/korvexer.ini" "$work/config/korvexer/korvexer.ini" ||
    fail "the first start did not take the installed seed over"
echo "korvexer started offscreen and took the installed seed over"

echo "== Man pages and completion against the programs' --help"
commands=$(cli_commands "$cli")
for command in $(echo "$commands" | tr ' ' '_'); do
    grep -q "^\.SS \"korvexer-cli ${command//_/ } " "$root/usr/share/man/man1/korvexer-cli.1" ||
        fail "the man page of korvexer-cli lacks the command '${command//_/ }'"
done
grep -q "screenshot" "$root/usr/share/man/man1/korvexer.1" ||
    fail "the man page of korvexer lacks its options"

# shellcheck source=korvexer-cli.bash
source "$root/usr/share/bash-completion/completions/korvexer-cli"
# completions WORD...: what completing the last WORD after korvexer-cli WORD... offers.
completions() {
    local COMP_WORDS=(korvexer-cli "$@") COMP_CWORD=$# COMPREPLY=()
    _korvexer_cli
    printf '%s\n' "${COMPREPLY[@]}"
}
# offers WORDS... -- EXPECTED...: every EXPECTED is among the completions of WORDS.
offers() {
    local words=() offered expected
    while [[ $1 != -- ]]; do
        words+=("$1")
        shift
    done
    shift
    offered=$(completions "${words[@]}")
    for expected in "$@"; do
        grep -qx -- "$expected" <<<"$offered" ||
            fail "completing 'korvexer-cli ${words[*]}' does not offer $expected"
    done
}
# shellcheck disable=SC2046  # the command's words and the listed names are meant to be split
{
    offers "" -- $(cli_subcommands "$cli")
    offers - -- $(cli_options "$cli")
    while read -r command; do
        group=${command% *}
        [[ $group == "$command" ]] || offers $group "" -- $(cli_subcommands "$cli" $group)
        offers $command - -- $(cli_options "$cli" $command)
    done <<<"$commands"
}
echo "the completion offers every command and option that korvexer-cli --help lists"

echo "== The Debian package"
(cd "$build" && cpack -G DEB -B "$work/package" >"$work/cpack.log") || {
    cat "$work/cpack.log"
    fail "cpack -G DEB failed"
}
deb=$(ls "$work"/package/korvexer_"$version"_*.deb)
dpkg-deb -c "$deb"
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sort >"$work/packaged.txt"
diff -u "$work/installed.txt" "$work/packaged.txt" ||
    fail "the package holds other files than the installation"
dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6 ||
    fail "the package's dependencies were not worked out"
echo "$(basename "$deb"): the same ${#expected[@]} files, depends on $(dpkg-deb -f "$deb" Depends)"
