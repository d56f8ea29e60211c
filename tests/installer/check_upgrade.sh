#!/usr/bin/env bash
# A major upgrade and a refused downgrade, with Wine's own msiexec: builds the
# x64 program and package of the next patch version from a copy of the
# sources, installs the released package and then the newer one (one
# Add/Remove entry is left, at the new version, with the new program), then
# tries the released package again (refused, nothing changes), and finally
# removes the newer one (nothing of either is left).
#   check_upgrade.sh <source folder> <released x64 package> <scratch folder>
set -u
src=$1 old=$2 scratch=$3
source "$(dirname "$0")/wine_prefix.sh"

old_version=$(msi_property "$old" ProductVersion)
IFS=. read -r major minor patch <<<"$old_version"
new_version=$major.$minor.$((patch + 1))
tree=$scratch/source
rm -rf "$tree"
mkdir -p "$tree"
tar -C "$src" --exclude=./build --exclude=./.git -cf - . | tar -C "$tree" -xf -
sed -i "s/^project(dialprompt VERSION $old_version /project(dialprompt VERSION $new_version /" "$tree/CMakeLists.txt"
grep -q "^project(dialprompt VERSION $new_version " "$tree/CMakeLists.txt" || { echo "FAIL: cannot set the version"; exit 1; }
cmake -S "$tree" -B "$scratch/x86_64" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$tree/cmake/mingw-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=MinSizeRel >/dev/null || { echo "FAIL: configure $new_version"; exit 1; }
cmake --build "$scratch/x86_64" --target dialprompt >/dev/null || { echo "FAIL: build $new_version"; exit 1; }
program=$scratch/x86_64/dialprompt.exe
new=$scratch/dialprompt-$new_version-x64.msi
"$tree/installer/build_msi.sh" x64 "$new_version" "$program" "$tree/res/mainicon.ico" 1767225600 "$new" ||
  { echo "FAIL: package $new_version"; exit 1; }
old_code=$(msi_property "$old" ProductCode) new_code=$(msi_property "$new" ProductCode)
[ "$old_code" != "$new_code" ] && ok "$new_version has a ProductCode of its own" || fail "$new_version keeps $old_code"

fresh_prefix "$scratch/prefix" "$scratch"
snapshot "$scratch/clean"
installed=$WINEPREFIX/drive_c/Program\ Files/dialprompt/dialprompt.exe

result=$(msiexec /i "$(win_path "$old")" /qn)
[ "$result" = 0 ] && ok "$old_version installs" || fail "$old_version install exited $result"
result=$(msiexec /i "$(win_path "$new")" /qn)
[ "$result" = 0 ] && ok "$new_version installs over $old_version" || fail "$new_version over $old_version exited $result"
[ "$(arp_entries)" = "$new_code" ] && ok "one Add/Remove entry, $new_code" ||
  fail "Add/Remove entries after the upgrade: $(arp_entries | tr '\n' ' ')"
[ "$(reg_value "$UNINSTALL\\$new_code" DisplayVersion)" = "$new_version" ] &&
  ok "the entry shows $new_version" || fail "the entry shows '$(reg_value "$UNINSTALL\\$new_code" DisplayVersion)'"
cmp -s "$program" "$installed" && ok "the $new_version program is installed" || fail "the installed program is not $new_version's"
[ -n "$(reg_value "$APP_PATH" "")" ] && ok "the App Paths entry stays" || fail "the upgrade lost the App Paths entry"

snapshot "$scratch/upgraded"
# A launch condition that fails ends the installation with 1603.
result=$(msiexec /i "$(win_path "$old")" /qn)
[ "$result" = 1603 ] && ok "$old_version over $new_version is refused with 1603" ||
  fail "$old_version over $new_version exited $result"
snapshot "$scratch/refused"
unchanged "$scratch/upgraded" "$scratch/refused" "the refused downgrade changes nothing"

result=$(msiexec /x "$new_code" /qn)
[ "$result" = 0 ] && ok "removal by product code exits 0" || fail "removal of $new_code exited $result"
snapshot "$scratch/removed"
unchanged "$scratch/clean" "$scratch/removed" "removal after the upgrade leaves nothing of either version" installer_store
exit $status
