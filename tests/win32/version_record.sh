#!/usr/bin/env bash
# version_record.sh PROGRAM: reads the version record out of the built program
# and checks each of its strings.
set -euo pipefail
program=$1
# The record's keys and values are UTF-16 strings, each followed by its value.
strings=$(wrestool --extract --raw --type=16 "$program" | strings --encoding=l)
status=0
expect() {
    local key=$1 value=$2 found
    found=$(grep -A1 -x "$key" <<<"$strings" | sed -n 2p)
    if [ "$found" = "$value" ]; then
        echo "$key: $found"
    else
        echo "$key: expected \"$value\", found \"$found\""
        status=1
    fi
}
expect FileVersion 1.00
expect ProductVersion 1.00
expect ProductName Quorl
expect InternalName Quorl
expect OriginalFilename Quorl.exe
exit $status
