#!/usr/bin/env bash
# imports_only_system_dlls.sh OBJDUMP PROGRAM: fails when the program imports a
# DLL that is not part of every Windows (a compiler runtime, say).
set -euo pipefail
objdump=$1 program=$2
readonly kSystemDlls=(kernel32.dll user32.dll gdi32.dll comctl32.dll ws2_32.dll wsock32.dll
    iphlpapi.dll icmp.dll msvcrt.dll advapi32.dll ole32.dll oleaut32.dll oleacc.dll)

imports=$("$objdump" -p "$program" | sed -n 's/^\s*DLL Name: //p' | tr '[:upper:]' '[:lower:]')
[ -n "$imports" ] || { echo "no imports found in $program"; exit 1; }
status=0
for dll in $imports; do
    if [[ " ${kSystemDlls[*]} " == *" $dll "* ]]; then
        echo "system DLL: $dll"
    else
        echo "NOT a system DLL: $dll"
        status=1
    fi
done
exit $status
