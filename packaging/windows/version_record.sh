#!/usr/bin/env bash
# version_record.sh PROGRAM VERSION: reads the version record out of the
# built program and checks each of its strings, and its numbers, against the
# project's VERSION (MAJOR.MINOR).
set -euo pipefail
program=$1
version=$2
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
# The fixed part follows the signature 0xFEEF04BD and a structure version:
# file then product version, each as MAJOR<<16|MINOR and BUILD<<16|REVISION,
# little-endian. VERSION 1.00 is 1, 0, 0, 0.
read -r -a bytes <<<"$(wrestool --extract --raw --type=16 "$program" | od -An -v -tx1 | tr '\n' ' ')"
expect_numbers() {
    local name=$1 at=$2 found
    found="$((16#${bytes[at + 3]}${bytes[at + 2]})).$((16#${bytes[at + 1]}${bytes[at]}))"
    found+=".$((16#${bytes[at + 7]}${bytes[at + 6]})).$((16#${bytes[at + 5]}${bytes[at + 4]}))"
    if [ "$found" = "$((10#${version%%.*})).$((10#${version#*.})).0.0" ]; then
        echo "$name: $found"
    else
        echo "$name: found $found for version $version"
        status=1
    fi
}
signature=-1
for ((at = 0; at + 24 <= ${#bytes[@]}; at += 4)); do
    if [ "${bytes[*]:at:4}" = "bd 04 ef fe" ]; then
        signature=$at
        break
    fi
done
if [ "$signature" -lt 0 ]; then
    echo "no fixed version information"
    status=1
else
    expect_numbers "FILEVERSION" $((signature + 8))
    expect_numbers "PRODUCTVERSION" $((signature + 16))
fi
expect FileVersion "$version"
expect ProductVersion "$version"
expect ProductName Quorl
expect InternalName Quorl
expect OriginalFilename Quorl.exe
exit $status
