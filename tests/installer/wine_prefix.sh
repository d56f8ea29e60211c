# What the package tests share, sourced by them: a throwaway Wine prefix of
# their own, Wine's own msiexec in it, the registry read back through reg.exe,
# and a snapshot of everything an installation could leave behind.
status=0
fail() { echo "FAIL: $*"; status=1; }
ok() { echo "ok: $*"; }

# Made as ./dev makes its prefixes, anew for each test, with a session
# started with no output pipes, which ctest would wait on. When the test
# passes, the prefix (or the given folder around it) is removed.
fresh_prefix() {  # <prefix> [folder to remove]
  export WINEPREFIX=$1 WINEDEBUG=-all
  throwaway=${2:-$1}
  unset WINEDLLOVERRIDES  # the dial double is not in this prefix
  rm -rf "$WINEPREFIX"
  ready_prefix "$WINEPREFIX"
  wineserver -p >/dev/null 2>&1 </dev/null
  trap 'wineserver -k >/dev/null 2>&1; [ $status -eq 0 ] && rm -rf "$throwaway"' EXIT
}

# msiexec <arguments...>: prints its exit code, read through cmd.exe because
# wine passes on only the low byte (1603 would come out as 67); its verbose
# log goes to $WINEPREFIX/msi.log.
msiexec() {
  wine cmd /v:on /c msiexec "$@" /l*v "$(win_path "$WINEPREFIX/msi.log")" '&' echo '!errorlevel!' \
    </dev/null 2>/dev/null | tr -d '\r' | tail -1
}

# Under 32-bit Wine (WINE32_ROOT names the chroot that tests/wine32.sh keeps,
# started by ./dev test) the prefix lies inside the chroot and every Wine
# command runs there; paths are the chroot's own from inside.
if [ -n "${WINE32_ROOT:-}" ]; then
  wine32=$(dirname "${BASH_SOURCE[0]}")/../wine32.sh
  wine() { "$wine32" wine "$@"; }
  wineserver() { "$wine32" wineserver "$@"; }
  winepath() { "$wine32" winepath "$@"; }
fi
source "$(dirname "${BASH_SOURCE[0]}")/../wine/prefixes.sh"

# win_path <file>: the file's Windows path. unix_path <Windows path>: the
# file's path here.
win_path() { winepath -w "${1#"${WINE32_ROOT:-}"}" 2>/dev/null; }
unix_path() { local p; p=$(winepath -u "$1" 2>/dev/null) && echo "${WINE32_ROOT:-}$p"; }

# reachable <file>: a path to the file that Wine can open: the file itself,
# or under 32-bit Wine a copy in the prefix's folder (outside drive C:).
reachable() {
  [ -n "${WINE32_ROOT:-}" ] || { echo "$1"; return; }
  cp "$1" "$WINEPREFIX/" && echo "$WINEPREFIX/$(basename "$1")"
}

# reg_value <key> <name, or "" for the default value> [/reg:32]: the value's
# data, or nothing when it is absent.
reg_value() {
  local which=(/v "$2"); [ -n "$2" ] || which=(/ve)
  wine reg query "$1" "${which[@]}" ${3:-} 2>/dev/null </dev/null | tr -d '\r' |
    sed -n 's/^    .*    REG_[A-Z_]*    //p'
}

UNINSTALL='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
APP_PATH='HKLM\Software\Microsoft\Windows\CurrentVersion\App Paths\dialprompt.exe'

# arp_entries [/reg:32]: the Add/Remove entries named dialprompt, one
# product code a line. A 32-bit package's entry is in the 32-bit view.
arp_entries() {
  wine reg query "$UNINSTALL" /s /v DisplayName ${1:-} </dev/null 2>/dev/null | tr -d '\r' |
    awk '/^HKEY/ { key = $0 } /REG_SZ    dialprompt$/ { sub(/.*\\/, "", key); print key }'
}

# msi_property <package> <name>
msi_property() { msiinfo export "$1" Property | tr -d '\r' | awk -F'\t' -v n="$2" '$1 == n { print $2 }'; }

# snapshot <file>: the registry of the machine and the user (both views) and
# every file and folder of drive C:, to compare before and after.
snapshot() {
  local key part=$WINEPREFIX/snapshot.part
  : >"$1"
  for key in 'HKEY_LOCAL_MACHINE\Software' 'HKEY_CURRENT_USER\Software'; do
    wine regedit /E "$(win_path "$part")" "$key" </dev/null >/dev/null 2>&1
    iconv -f UTF-16 -t UTF-8 "$part" | tr -d '\r' >>"$1"
  done
  rm -f "$part"
  (cd "$WINEPREFIX/drive_c" && find . | LC_ALL=C sort) >>"$1"
}

# What an uninstallation may leave: the empty folders of the store that
# Windows Installer keeps for itself and the (empty) 32-bit Add/Remove key, as
# Windows has them, and nothing named by a product, package or component.
installer_store() {
  local store='\[HKEY_LOCAL_MACHINE\\Software\\(Classes|Microsoft\\Windows\\CurrentVersion)\\Installer'
  store+='(\\(Features|Products|UpgradeCodes|UserData(\\S-1-5-18(\\(Components|Products))?)?))?\]'
  local arp='\[HKEY_LOCAL_MACHINE\\Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\]'
  grep -vxE "|$store|$arp|\./windows/Installer"
}

# unchanged <before> <after> <what> [leftover filter]: the two snapshots
# differ in nothing (but what the filter lets through).
unchanged() {
  local left
  left=$(diff "$1" "$2" | sed -n 's/^[<>] //p' | ${4:-cat})
  [ -z "$left" ] && ok "$3" || fail "$3: $(head -c 1500 <<<"$left")"
}
