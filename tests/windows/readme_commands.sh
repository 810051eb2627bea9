#!/usr/bin/env bash
# The README's commands for building the Windows edition, run as written in a fresh clone of
# the repository: every line of the shell blocks in its "Windows" section but the package
# installs (the test run has installed the packages), the test script, which runs this, and
# the release build, which the test run makes in its own tree with the same configuration
# (here it would add two minutes). The compiler is reached through ccache where there is
# one, the commands unchanged.
# Usage: readme_commands.sh REPO WORK_FOLDER
set -euo pipefail

repo=$1
work=$2
rm -rf "$work"
mkdir -p "$work"
trap 'rm -rf "$work"' EXIT
git clone --quiet "$repo" "$work/clone"
cd "$work/clone"

if command -v ccache >/dev/null; then
    mkdir -p "$work/compilers"
    ln -s "$(command -v ccache)" "$work/compilers/x86_64-w64-mingw32-g++-posix"
    export PATH="$work/compilers:$PATH"
fi

mapfile -t commands < <(awk '
    /^## / { windows = ($0 == "## Windows") }
    windows && /^```sh$/ { block = 1; next }
    windows && /^```$/ { block = 0; next }
    windows && block' README.md | grep -v -e '^sudo apt' -e 'run_windows_tests\.sh' -e '--target release')
[ "${#commands[@]}" -ge 2 ] || { echo "FAIL: the README's Windows commands were not found"; exit 1; }

status=0
for command in "${commands[@]}"; do
    echo "\$ $command"
    if ! bash -c "$command" >"$work/output.txt" 2>&1; then
        tail -20 "$work/output.txt"
        echo "FAIL: $command"
        status=1
    fi
done
if [ -f build-windows/bin/quivanto.exe ]; then
    echo "ok   build-windows/bin/quivanto.exe"
else
    echo "FAIL: no build-windows/bin/quivanto.exe"
    status=1
fi
exit "$status"
