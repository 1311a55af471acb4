#!/usr/bin/env bash
# Builds the Windows bundle from the win32 build folder and checks that it
# holds exactly the program and its text, with the CRLF line ends that every
# Notepad shows.
# Usage: check_zip.sh BUILD_FOLDER VERSION
set -euo pipefail
build=$1
version=$2
bundle=$build/Quorl-$version-win32.zip

(cd "$build" && cpack -G ZIP >/dev/null)
contents=$(cmake -E tar tf "$bundle" | sort)
expected=$(printf '%s\n' Quorl.exe README.txt)
if [ "$contents" != "$expected" ]; then
    echo "FAILED: the bundle holds:"
    echo "$contents"
    exit 1
fi
text=$(mktemp -d)
trap 'rm -rf "$text"' EXIT
(cd "$text" && cmake -E tar xf "$bundle" README.txt)
lines=$(wc -l <"$text/README.txt")
crlf_lines=$(grep -c $'\r$' "$text/README.txt" || true)
if [ "$lines" -eq 0 ] || [ "$crlf_lines" -ne "$lines" ]; then
    echo "FAILED: README.txt has $crlf_lines CRLF line ends in $lines lines"
    exit 1
fi
echo "Windows bundle: passed"
