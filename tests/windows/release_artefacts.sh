#!/usr/bin/env bash
# What can be read from the release artefacts without running them: the zip holds exactly
# the three released files, and the installer asks for no administrator rights and writes
# only to the user's own folders and registry hive. Wine runs everything as administrator,
# so it could not show a per-user installer failing to reach the machine's places.
# Usage: release_artefacts.sh SETUP ZIP STAGE NSI
set -uo pipefail
setup=$(realpath "$1") zip=$(realpath "$2") stage=$(realpath "$3") nsi=$4

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

echo "== the portable zip"
entries=$(cmake -E tar tf "$zip" | sort | tr '\n' ' ')
[ "$entries" = "Help.html License.txt quivanto.exe " ] || fail "zip entries: $entries"
(cd "$work" && cmake -E tar xf "$zip") || fail "the zip does not unpack"
for file in quivanto.exe Help.html License.txt; do
    cmp -s "$stage/$file" "$work/$file" || fail "$file in the zip differs from the release's"
done
# Notepad before Windows 10 shows a licence with bare line feeds as one line.
grep -q $'[^\r]$' "$work/License.txt" && fail "License.txt has lines without CR LF"

echo "== the installer's rights and places"
# The manifest Windows reads before starting the installer: asInvoker means no elevation.
level=$(grep -ao 'requestedExecutionLevel level="[A-Za-z]*"' "$setup" | sort -u)
[ "$level" = 'requestedExecutionLevel level="asInvoker"' ] ||
    fail "the installer's manifest asks for: ${level:-nothing}"
script=$(sed 's/;.*//' "$nsi")
grep -qx 'RequestExecutionLevel user' <<<"$script" || fail "RequestExecutionLevel is not user"
machine_keys=$(grep -E '(Write|Delete)Reg' <<<"$script" | grep -v 'HKCU')
[ -z "$machine_keys" ] || fail "registry outside the user's hive: $machine_keys"
machine_places=$(grep -Eio '\$(PROGRAMFILES[0-9]*|COMMONFILES[0-9]*|WINDIR|SYSDIR)|SetShellVarContext +all|HKLM' \
    <<<"$script" | sort -u | tr '\n' ' ')
[ -z "$machine_places" ] || fail "the script names machine-wide places: $machine_places"
grep -Eq '^InstallDir +"\$LOCALAPPDATA\\Programs\\' <<<"$script" ||
    fail "the default folder is not under the user's local programs folder"

[ "$failures" -eq 0 ] && echo "all release artefact checks passed"
exit $((failures > 0))
