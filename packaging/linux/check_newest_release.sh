#!/usr/bin/env bash
# Checks that the newest release named in the Debian changelog and in the
# AppStream metainfo is the project's version: they list the release
# history, so a new version needs an entry in each.
# Usage: check_newest_release.sh VERSION CHANGELOG METAINFO
set -euo pipefail
version=$1
changelog=$2
metainfo=$3

# The first line of a Debian changelog: "quorl (VERSION) unstable; ...".
in_changelog=$(sed -n '1s/^[a-z0-9.+-]* (\([^)]*\)).*/\1/p' "$changelog")
# Releases are listed newest first.
in_metainfo=$(grep -o -m 1 '<release [^>]*version="[^"]*"' "$metainfo" |
    sed 's/.*version="\([^"]*\)"/\1/' || true)

status=0
for entry in "changelog:$in_changelog" "metainfo:$in_metainfo"; do
    if [ "${entry#*:}" = "$version" ]; then
        echo "${entry%%:*}: newest release $version"
    else
        echo "FAILED: the ${entry%%:*}'s newest release is \"${entry#*:}\", not the project's version $version"
        status=1
    fi
done
exit $status
