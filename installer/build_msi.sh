#!/usr/bin/env bash
# Builds one Windows Installer package of dialprompt from dialprompt.wxs.
# Its bytes depend only on the program, the icon, the version and the time
# given: wixl stamps the clock's time and a random package code into the
# summary information, so it runs at a fixed time and the package code is
# then replaced by one derived from the package's content.
#   build_msi.sh <x86|x64> <version> <dialprompt.exe> <icon.ico> <unix time> <out.msi>
set -euo pipefail
[ $# -eq 6 ] || { sed -n '2,7p' "$0" | sed 's/^# \{0,1\}//' >&2; exit 2; }
arch=$1 version=$2 program=$3 icon=$4 epoch=$5 out=$6
case "$arch" in x86|x64) ;; *) echo "build_msi.sh: no architecture $arch" >&2; exit 2 ;; esac
wxs=$(realpath "$(dirname "$0")/dialprompt.wxs")
out=$(realpath -m "$out")

# The namespace of dialprompt's name-based GUIDs; changing it would change
# every ProductCode ever released.
namespace=7B82E0B9-D0E2-4669-A782-2C09C5F97EE2

# A name-based (version 5) UUID: SHA-1 of the namespace's bytes and the name.
name_uuid() {
  local hash
  hash=$({ printf "$(sed 's/-//g; s/../\\x&/g' <<<"$1")"; printf '%s' "$2"; } | sha1sum)
  hash=${hash:0:12}5${hash:13:3}$(printf '%x' $((0x${hash:16:1} & 3 | 8)))${hash:17:15}
  hash=${hash^^}
  echo "${hash:0:8}-${hash:8:4}-${hash:12:4}-${hash:16:4}-${hash:20:12}"
}

# wixl finds files relative to where it runs, and the cabinet keeps each
# file's modification time: stage them under fixed names and times.
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cp "$program" "$stage/dialprompt.exe"
cp "$icon" "$stage/mainicon.ico"
touch -d "@$epoch" "$stage/dialprompt.exe" "$stage/mainicon.ico"
at() { TZ=UTC faketime -f "$(date -u -d "@$epoch" '+%Y-%m-%d %H:%M:%S')" "$@"; }

cd "$stage"
at wixl -a "$arch" -D Arch="$arch" -D Version="$version" -D ProductCode="$(name_uuid $namespace "dialprompt $version $arch")" \
  -D Program=dialprompt.exe -D Icon=mainicon.ico -o package.msi "$wxs"
# wixl leaves the program's version out of the File table; Windows Installer
# compares it when a file is already in place.
at msibuild package.msi -q "UPDATE \`File\` SET \`Version\` = '$version.0', \`Language\` = '1033' WHERE \`File\` = 'dialprompt.exe'"

summary() { msiinfo suminfo package.msi | sed -n "s/^$1: //p"; }
set_package_code() { at msibuild package.msi -s "$(summary Subject)" "$(summary Author)" "$(summary Template)" "{$1}"; }
set_package_code 00000000-0000-0000-0000-000000000000
set_package_code "$(name_uuid $namespace "package $(sha256sum <package.msi | cut -c1-64)")"
mv package.msi "$out"
