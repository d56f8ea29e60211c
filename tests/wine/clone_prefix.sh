#!/usr/bin/env bash
# A copy of a ready Wine prefix, cheap enough to make one per display
# resolution: its Windows folder hard-linked but for the .ini files (a full
# copy would be hundreds of MiB, and Wine rewrites nothing else there in
# place), everything else copied.
#   clone_prefix.sh <ready prefix> <new prefix>
set -euo pipefail
source=$1 target=$2
rm -rf "$target"
mkdir -p "$target/drive_c"
(cd "$source" && find . -mindepth 1 -maxdepth 1 ! -name drive_c ! -name .dialprompt-ready -exec cp -a {} "$target/" \;)
(cd "$source/drive_c" && find . -mindepth 1 -maxdepth 1 ! -name windows -exec cp -a {} "$target/drive_c/" \;)
cp -al "$source/drive_c/windows" "$target/drive_c/windows"
for ini in "$target"/drive_c/windows/*.ini; do
  [ -e "$ini" ] && cp --remove-destination "$source/drive_c/windows/${ini##*/}" "$ini"
done
exit 0
