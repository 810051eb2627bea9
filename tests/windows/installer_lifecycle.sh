#!/usr/bin/env bash
# The installer's whole life in a fresh Wine prefix, with the real quivanto.exe: silent
# install, the files, shortcuts and Uninstall key, a start from the Start menu shortcut,
# an upgrade refused while the program runs and one that keeps a changed list.dat, start
# at log-on, the silent uninstall as the system runs it, /D=, and the portable zip started
# where it was unpacked. Needs an X display (the program waits for Wine's tray).
# Usage: installer_lifecycle.sh WINE SETUP ZIP STAGE PROBE KEEPER VERSION WORKDIR
set -uo pipefail
wine=$1 setup=$2 zip=$3 stage=$4 probe=$5 keeper=$6 version=$7 work=$8
[ -n "${DISPLAY:-}" ] || { echo "needs an X display"; exit 1; }

export WINEPREFIX="$work/prefix"
export WINEDEBUG=-all
# No Mono or Gecko prompts, no crash dialogs, and no menu entries on the host's desktop.
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d;winemenubuilder.exe=d"

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}
expect_eq() { [ "$2" = "$3" ] || fail "$1: got '$2', expected '$3'"; }
# Waits up to 10 s for a shell condition.
wait_for() {
    local _
    for _ in $(seq 100); do
        eval "$1" && return 0
        sleep 0.1
    done
    return 1
}

# A prefix is some 700 MB: it stays only when a check failed, to look into.
finish() {
    [ -n "${keeper_pid:-}" ] && kill "$keeper_pid" 2>/dev/null
    wineserver -k 2>/dev/null
    wineserver -w 2>/dev/null
    [ "$failures" -eq 0 ] && rm -rf "$work"
}
trap finish EXIT

rm -rf "$work"
mkdir -p "$WINEPREFIX"
wineserver -p
"$wine" wineboot >/dev/null 2>&1
"$wine" "$keeper" >/dev/null 2>&1 &
keeper_pid=$!

run() { "$wine" "$@" 2>/dev/null | tr -d '\r'; }
unix_path() { "$wine" winepath -u "$1" 2>/dev/null | tr -d '\r'; }
listing() { (cd "$1" && ls -A | sort | tr '\n' ' '); }

# The user's folders as the shell names them, not as the installer does.
folders=$(run "$probe" folders)
folder() { sed -n "s/^$1=//p" <<<"$folders"; }
install_dir="$(folder local)\\Programs\\Quivanto"
start_menu_link="$(folder programs)\\Quivanto.lnk"
startup_link="$(folder startup)\\Quivanto.lnk"
program="$install_dir\\quivanto.exe"
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quivanto'
[ -n "$(folder local)" ] && [ -n "$(folder startup)" ] || { echo "no user folders"; exit 1; }

unix_install_dir=$(unix_path "$install_dir")
list_file="$unix_install_dir/list.dat"

reg_value() {
    run reg query "$uninstall_key" /v "$1" | sed -n "s/^    $1    REG_[A-Z_]*    //p"
}
key_exists() { "$wine" reg query "$1" >/dev/null 2>&1; }
# A shortcut's target and start folder, as "target|folder".
shortcut() {
    run "$probe" read "$1" | sed -n 's/^target=//p; s/^folder=//p' | paste -sd'|'
}
link_exists() { [ -e "$(unix_path "$1")" ]; }
program_running() { "$wine" "$probe" running quivanto.exe 2>/dev/null; }
stop_program() {
    run taskkill /f /im quivanto.exe >/dev/null
    wait_for '! program_running' || fail "quivanto.exe did not end"
}

echo "== silent install"
"$wine" "$setup" /S 2>/dev/null
expect_eq "installer exit code" $? 0
expect_eq "installed files" "$(listing "$unix_install_dir")" \
    "Help.html License.txt quivanto.exe uninstall.exe "
for file in quivanto.exe Help.html License.txt; do
    cmp -s "$stage/$file" "$unix_install_dir/$file" || fail "$file differs from the release's"
done
expect_eq "Start menu shortcut" "$(shortcut "$start_menu_link")" "$program|$install_dir"
link_exists "$startup_link" && fail "start at log-on is on after a default install"

echo "== Uninstall key"
expect_eq DisplayName "$(reg_value DisplayName)" Quivanto
expect_eq DisplayVersion "$(reg_value DisplayVersion)" "$version"
[ -n "$(reg_value Publisher)" ] || fail "Publisher is empty"
expect_eq DisplayIcon "$(reg_value DisplayIcon)" "$program,0"
expect_eq InstallLocation "$(reg_value InstallLocation)" "$install_dir"
expect_eq UninstallString "$(reg_value UninstallString)" "\"$install_dir\\uninstall.exe\""
expect_eq QuietUninstallString "$(reg_value QuietUninstallString)" \
    "\"$install_dir\\uninstall.exe\" /S"
expect_eq NoModify "$(reg_value NoModify)" 0x1
expect_eq NoRepair "$(reg_value NoRepair)" 0x1
bytes=0
for size in $(cd "$unix_install_dir" && stat -c %s quivanto.exe Help.html License.txt uninstall.exe); do
    bytes=$((bytes + size))
done
expect_eq EstimatedSize "$(reg_value EstimatedSize)" "$(printf '0x%x' $(((bytes + 1023) / 1024)))"
key_exists "${uninstall_key/HKCU/HKLM}" && fail "an Uninstall key was written for all users"
# Wine's own list of installed programs, as "key|||name".
installed_programs() { run uninstaller --list; }
grep -qx 'Quivanto|||Quivanto' <<<"$(installed_programs)" || fail "not in the installed programs"

echo "== first start from the Start menu shortcut"
# start asks the shell to open the shortcut, as a click on it does.
run start "$start_menu_link" >/dev/null || fail "the shell could not open the shortcut"
wait_for '[ -s "$list_file" ]' || fail "no list.dat in the installation folder"
# Only the shortcut's start folder gets a list: nothing in the user's or system folders.
expect_eq "list files in the prefix" "$(find "$WINEPREFIX/drive_c" -name list.dat | wc -l)" 1
if [ -s "$list_file" ]; then
    # The default items are item lines: a 30-character description, "|", the target.
    awk 'substr($0, 31, 1) != "|" || length($0) < 32 { bad = 1 } END { exit bad || NR < 1 }' \
        "$list_file" || fail "the default list.dat holds no item lines: $(cat -A "$list_file")"
fi

echo "== no upgrade and no removal while it runs"
program_running || fail "quivanto.exe is not running"
"$wine" "$setup" /S 2>/dev/null
expect_eq "installer exit code while running" $? 2
# _?= keeps the uninstaller in place, so its exit code is its answer.
"$wine" "$unix_install_dir/uninstall.exe" /S "_?=$install_dir" 2>/dev/null
expect_eq "uninstaller exit code while running" $? 2
key_exists "$uninstall_key" || fail "the uninstaller removed the key while the program ran"
[ -e "$unix_install_dir/quivanto.exe" ] || fail "the uninstaller removed the running program"
stop_program

echo "== upgrade with start at log-on"
changed_list="$work/changed-list.dat"
{
    cat "$list_file"
    printf 'Changed by the user            |C:\\Tools\\%s.exe\r\n' "$RANDOM"
} >"$changed_list"
cp "$changed_list" "$list_file"
"$wine" "$setup" /S /LOGON=1 2>/dev/null
expect_eq "upgrade exit code" $? 0
cmp -s "$changed_list" "$list_file" || fail "the upgrade changed list.dat"
expect_eq "log-on shortcut" "$(shortcut "$startup_link")" "$program|$install_dir"
"$wine" "$setup" /S 2>/dev/null
link_exists "$startup_link" || fail "a plain upgrade dropped the earlier start at log-on"

echo "== silent uninstall, as the system runs it"
quiet=$(reg_value QuietUninstallString)
uninstaller=$(sed -n 's/^"\(.*\)" \/S$/\1/p' <<<"$quiet")
"$wine" "$uninstaller" /S 2>/dev/null
wait_for '! key_exists "$uninstall_key"' || fail "the Uninstall key is still there"
wait_for '[ ! -e "$unix_install_dir/uninstall.exe" ]' || fail "uninstall.exe is still there"
expect_eq "left after removal" "$(listing "$unix_install_dir")" "list.dat "
cmp -s "$changed_list" "$list_file" || fail "the uninstaller changed list.dat"
link_exists "$start_menu_link" && fail "the Start menu shortcut is still there"
link_exists "$startup_link" && fail "the log-on shortcut is still there"
grep -q Quivanto <<<"$(installed_programs)" && fail "still in the installed programs"

echo "== silent install into a chosen folder"
chosen='C:\Tools\Launcher'
"$wine" "$setup" /S /LOGON=1 "/D=$chosen" 2>/dev/null
expect_eq "installer exit code with /D=" $? 0
expect_eq "files in the chosen folder" "$(listing "$(unix_path "$chosen")")" \
    "Help.html License.txt quivanto.exe uninstall.exe "
expect_eq "Start menu shortcut with /D=" "$(shortcut "$start_menu_link")" \
    "$chosen\\quivanto.exe|$chosen"
expect_eq "InstallLocation with /D=" "$(reg_value InstallLocation)" "$chosen"
expect_eq "log-on shortcut with /D=" "$(shortcut "$startup_link")" "$chosen\\quivanto.exe|$chosen"
# An upgrade without /D= goes to the earlier installation's folder, and unticks log-on.
"$wine" "$setup" /S /LOGON=0 2>/dev/null
expect_eq "upgrade exit code with /LOGON=0" $? 0
expect_eq "upgrade's folder" "$(reg_value InstallLocation)" "$chosen"
[ -e "$unix_install_dir/quivanto.exe" ] && fail "the upgrade went to the default folder"
link_exists "$startup_link" && fail "/LOGON=0 left the log-on shortcut"

echo "== the portable zip, started where it was unpacked"
portable=$(unix_path 'C:\Portable')
mkdir -p "$portable"
(cd "$portable" && cmake -E tar xf "$zip") || fail "the zip did not unpack"
(cd "$portable" && "$wine" ./quivanto.exe >/dev/null 2>&1 &)
wait_for '[ -s "$portable/list.dat" ]' || fail "the unpacked program kept no list beside it"
stop_program

[ "$failures" -eq 0 ] && echo "all installer checks passed"
exit $((failures > 0))
