#!/usr/bin/env bash
# Runs the release into a folder of its own, unsigned, and checks what it
# made without installing it: the files and their checksums, the zip's
# contents, and what each package declares (its architecture, per-machine
# scope, its lasting UpgradeCode, and nothing a plain copy of one program
# does not need). The installation tests use these packages.
#   check_packages.sh <source folder> <output folder>
set -u
src=$1 out=$2
source "$(dirname "$0")/wine_prefix.sh"
version=$(sed -n 's/^project(dialprompt VERSION \([0-9.]*\).*/\1/p' "$src/CMakeLists.txt")
name=dialprompt-$version

log=$("$src/dev" release "$out" 2>&1) || { echo "FAIL: the release failed:"; echo "$log"; exit 1; }
[ "$(grep -c '^== unsigned' <<<"$log")" = 1 ] && ok "an unsigned release says so in one line" ||
  fail "no single line says the release is unsigned"

cd "$out" || exit 1
sums=$(sha256sum -c SHA256SUMS 2>&1) && ok "sha256sum -c SHA256SUMS" || fail "sha256sum -c: $sums"
[ "$(awk '{ print $2 }' SHA256SUMS | tr '\n' ' ')" = "$name-windows.zip $name-x86.msi $name-x64.msi " ] &&
  ok "SHA256SUMS covers the zip and both packages" || fail "SHA256SUMS lists: $(awk '{ print $2 }' SHA256SUMS | tr '\n' ' ')"

listing=$(unzip -Z1 "$name-windows.zip" | tr '\n' ' ')
wanted="$name-windows/ $name-windows/README.txt $name-windows/x64/ $name-windows/x64/dialprompt.exe $name-windows/x86/ $name-windows/x86/dialprompt.exe "
[ "$listing" = "$wanted" ] && ok "the zip holds both programs and README.txt" || fail "the zip holds: $listing"

rows() { msiinfo export "$1" "$2" | tail -n +4; }
# The UpgradeCodes tie every release to the first one: they must never change.
while read -r arch template upgrade program; do
  msi=$name-$arch.msi
  field() { msiinfo suminfo "$msi" | sed -n "s/^$1: //p"; }
  [ "$(field Template)" = "$template" ] && ok "$arch: template $template" || fail "$arch: template $(field Template)"
  for pair in ALLUSERS=1 ProductName=dialprompt ProductVersion=$version UpgradeCode=$upgrade ARPNOMODIFY=1 \
              ARPNOREPAIR=1 ARPPRODUCTICON=mainicon.ico; do
    got=$(msi_property "$msi" "${pair%%=*}")
    [ "$got" = "${pair#*=}" ] && ok "$arch: $pair" || fail "$arch: ${pair%%=*} is '$got'"
  done
  for table in CustomAction Shortcut ServiceInstall ServiceControl Environment; do
    [ -z "$(rows "$msi" "$table" 2>/dev/null)" ] || fail "$arch: the $table table is not empty"
  done
  [ "$(rows "$msi" File | cut -f3,5)" = "dialprompt.exe	$version.0" ] && ok "$arch: one file, dialprompt.exe $version.0" ||
    fail "$arch: files: $(rows "$msi" File | cut -f3,5 | tr '\n' ' ')"
  rows "$msi" LaunchCondition | grep -q 'A newer version of dialprompt is already installed' &&
    ok "$arch: a downgrade is refused with a message" || fail "$arch: no downgrade message"
  msiextract -C "$out/extract-$arch" "$msi" >/dev/null
  cmp -s "$src/build/$program/dialprompt.exe" "$(find "$out/extract-$arch" -name dialprompt.exe)" &&
    ok "$arch: holds build/$program/dialprompt.exe" || fail "$arch: does not hold build/$program/dialprompt.exe"
  rm -rf "$out/extract-$arch"
done <<'EOF'
x86 Intel;1033 {C168AA9F-0E44-45F2-A50C-2C525ACC0C6B} i686
x64 x64;1033 {FE83446E-6C87-4655-BB54-8E3417986FB1} x86_64
EOF
codes=$(for msi in "$name"-x86.msi "$name"-x64.msi; do
  msi_property "$msi" ProductCode; msiinfo suminfo "$msi" | sed -n 's/^Revision number (UUID): //p'; done)
[ "$(sort -u <<<"$codes" | wc -l)" = 4 ] && ok "product and package codes differ between the packages" ||
  fail "shared codes: $(tr '\n' ' ' <<<"$codes")"
exit $status
