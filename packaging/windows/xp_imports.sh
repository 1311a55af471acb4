#!/usr/bin/env bash
# xp_imports.sh OBJDUMP PROGRAM: the program can start on 32-bit Windows XP
# SP3. Every function it imports is exported by that DLL on XP, by the lists
# in xp-exports/ (made from ReactOS's export tables, see its README.md), and
# its header asks for no Windows newer than XP (5.1).
set -euo pipefail
objdump=$1 program=$2
lists=$(cd "$(dirname "$0")" && pwd)/xp-exports
headers=$("$objdump" -p "$program")
status=0

# "DLL function" a line, one per function imported by name; "DLL #ordinal"
# for one imported by ordinal only. objdump has two layouts:
#   binutils 2.40 (Debian 12): "vma: Hint/Ord Member-Name Bound-To", then
#     "VMA HINT NAME" or "VMA ORDINAL";
#   binutils 2.44 (Debian 13): "vma: Ordinal Hint Member-Name Bound-To", then
#     "VMA <none> HINT NAME" or "VMA ORDINAL <none> <none>".
imports=$(awk '
    /^[ \t]*DLL Name: / { dll = tolower($3); next }
    /^[ \t]*vma:/ { with_ordinal_column = ($2 == "Ordinal"); next }
    /^[ \t]*$/ { dll = ""; next }
    dll == "" { next }
    with_ordinal_column && $2 == "<none>" { print dll, $4; next }
    with_ordinal_column { print dll, "#" $2; next }
    NF >= 3 { print dll, $3; next }
    NF == 2 { print dll, "#" $2 }
' <<<"$headers")
[ -n "$imports" ] || { echo "no imports found in $program"; exit 1; }

while read -r dll function; do
    list=$lists/${dll%.dll}.txt
    stubs=$lists/${dll%.dll}.stubs.txt
    if [ ! -f "$list" ]; then
        echo "no list of XP exports for $dll (imports $function)"
        status=1
    elif grep -qxF "$function" "$list" || { [ -f "$stubs" ] && grep -qxF "$function" "$stubs"; }; then
        :
    else
        echo "NOT exported by XP's $dll: $function"
        status=1
    fi
done <<<"$imports"
echo "$(wc -l <<<"$imports") imported functions checked against XP SP3's exports"

# XP's loader refuses a program that asks for a later system.
for field in OSystem Subsystem; do
    major=$(awk -v key="Major${field}Version" '$1 == key { print $2 }' <<<"$headers")
    minor=$(awk -v key="Minor${field}Version" '$1 == key { print $2 }' <<<"$headers")
    echo "${field} version: $major.$minor"
    if [ "$major" -gt 5 ] || { [ "$major" -eq 5 ] && [ "$minor" -gt 1 ]; }; then
        echo "  newer than Windows XP (5.1)"
        status=1
    fi
done
exit $status
