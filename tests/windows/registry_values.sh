#!/usr/bin/env bash
# Makes (add) or removes (delete) the registry values the registry tests read, with Wine's
# own reg tool. Usage: registry_values.sh add|delete WINE
# reg add always stores a text's terminating zero; the tests write the values without one
# themselves.
set -euo pipefail
action=$1
wine=$2
test_key='HKLM\SOFTWARE\QuivantoTest'
msinfo_key='HKLM\SOFTWARE\Microsoft\Shared Tools\MSINFO'
location_key='HKLM\SOFTWARE\Microsoft\Shared Tools Location'

reg() { "$wine" reg "$@" >/dev/null; }

if [ "$action" = delete ]; then
    reg delete "$test_key" /f || true
    reg delete "$msinfo_key" /v PATH /f || true
    reg delete "$location_key" /v MSINFO /f || true
    exit 0
fi

reg add "$test_key" /v Text /t REG_SZ /d 'C:\Tools\Info' /f
reg add "$test_key" /v Empty /t REG_SZ /d '' /f
reg add "$test_key" /v Number /t REG_DWORD /d 0x12345678 /f
reg add "$test_key" /v Expandable /t REG_EXPAND_SZ /d '%SystemRoot%\x' /f
# 1023 characters and the terminating zero fill 1024 bytes exactly; one more does not fit.
reg add "$test_key" /v Fits /t REG_SZ /d "$(printf 'a%.0s' $(seq 1023))" /f
reg add "$test_key" /v TooLong /t REG_SZ /d "$(printf 'a%.0s' $(seq 1024))" /f
reg add "$msinfo_key" /v PATH /t REG_SZ /d 'C:\Program Files\Common Files\Microsoft Shared\MSInfo\msinfo32.exe' /f
reg add "$location_key" /v MSINFO /t REG_SZ /d 'C:\Program Files\Common Files\Microsoft Shared\MSInfo' /f
