#!/usr/bin/env bash
# Installs a package silently with Wine's own msiexec in a throwaway prefix,
# checks what an administrator relies on (the program at its path, the App
# Paths entry, the Add/Remove entry), answers the installed program once when
# a driver of its architecture is given, then removes it silently and checks
# that nothing of it is left.
#   check_install.sh <package.msi> <program it holds> <x86|x64> <prefix> [driver.exe]
set -u
msi=$1 program=$2 arch=$3 prefix=$4 driver=${5:-}
source "$(dirname "$0")/wine_prefix.sh"
icon=$(dirname "$0")/../../res/mainicon.ico
version=$(msi_property "$msi" ProductVersion)
code=$(msi_property "$msi" ProductCode)

fresh_prefix "$prefix"
msi=$(reachable "$msi")
# 64-bit Windows puts a 32-bit package in the 32-bit Program Files and its
# registry values in the 32-bit view.
folder='Program Files' view=
[ "$arch" = x86 ] && [ -d "$WINEPREFIX/drive_c/Program Files (x86)" ] && folder='Program Files (x86)' view=/reg:32
installed="C:\\$folder\\dialprompt\\dialprompt.exe"
snapshot "$prefix/before"

result=$(msiexec /i "$(win_path "$msi")" /qn)
[ "$result" = 0 ] && ok "silent install exits 0" || fail "silent install exited $result"
cmp -s "$program" "$WINEPREFIX/drive_c/$folder/dialprompt/dialprompt.exe" &&
  ok "the program is at $installed" || fail "$installed is missing or not the packaged program"

path=$(reg_value "$APP_PATH" "" $view)
[ "$path" = "$installed" ] && ok "App Paths names $installed" || fail "App Paths default value is '$path'"

[ "$(arp_entries $view)" = "$code" ] && ok "one Add/Remove entry, $code" ||
  fail "Add/Remove entries: $(arp_entries $view | tr '\n' ' ')"
while IFS='|' read -r name want; do
  got=$(reg_value "$UNINSTALL\\$code" "$name" $view)
  [ "$got" = "$want" ] && ok "Add/Remove $name is $want" || fail "Add/Remove $name is '$got', wanted '$want'"
done <<EOF
DisplayName|dialprompt
DisplayVersion|$version
Publisher|The dialprompt developers
NoModify|0x1
NoRepair|0x1
EOF
# Windows Installer keeps the entry's icon as the product's icon.
product_icon=$(wine reg query 'HKLM\Software\Classes\Installer\Products' /s /v ProductIcon </dev/null 2>/dev/null |
  tr -d '\r' | sed -n 's/^    ProductIcon    REG_SZ    //p')
cmp -s "$icon" "$(unix_path "$product_icon")" && ok "the entry's icon is MAINICON's" ||
  fail "the product's icon '$product_icon' is not res/mainicon.ico"

if [ -n "$driver" ]; then
  wine "$driver" installed && ok "the installed program answered" || fail "the installed program did not answer as expected"
fi

result=$(msiexec /x "$(win_path "$msi")" /qn)
[ "$result" = 0 ] && ok "silent removal exits 0" || fail "silent removal exited $result"
snapshot "$prefix/after"
unchanged "$prefix/before" "$prefix/after" "removal leaves no file, folder or registry entry" installer_store
exit $status
