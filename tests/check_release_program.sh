#!/usr/bin/env bash
# Inspects the 32-bit release program as built (it cannot run on this
# machine): a 32-bit GUI program, importing only system DLLs that every
# Windows has (and never wininet, which it loads itself from the system
# directory), carrying its resources, within its size budget.
#   check_release_program.sh <program.exe> <objdump>
set -u
exe=$1
objdump=$2
budget=$((96 * 1024))
status=0
fail() { echo "FAIL: $*"; status=1; }

dump=$("$objdump" -p "$exe") || { echo "FAIL: cannot read $exe"; exit 1; }

grep -q 'file format pei-i386' <<<"$dump" || fail "not a 32-bit x86 PE file"
grep -qE '^Magic[[:space:]]+010b' <<<"$dump" || fail "not PE32"
grep -qE '^Subsystem[[:space:]]+00000002' <<<"$dump" || fail "not a Windows GUI program"

imports=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$dump" | tr 'A-Z' 'a-z' | sort | tr '\n' ' ')
[ "$imports" = "advapi32.dll gdi32.dll kernel32.dll msvcrt.dll user32.dll " ] ||
  fail "imports are: $imports"

# type:name of every resource, from the resource directory listing
resources=$(awk '
  /^[0-9a-f]+   Entry: ID: / { type = $4; sub(/,$/, "", type) }
  /^[0-9a-f]+     Entry: name: / { sub(/,$/, "", $8); print type ":" $8 }
  /^[0-9a-f]+     Entry: ID: / { sub(/,$/, "", $4); print type ":" $4 }
' <<<"$dump" | tr '\n' ' ')
for wanted in "0x00000e:MAINICON" "0x000002:QUESTION" "0x00000a:TFRMMAIN" "0x000018:0x000001" "0x000010:0x000001"; do
  grep -q "$wanted" <<<"$resources" || fail "resource $wanted missing (has: $resources)"
done

size=$(stat -c %s "$exe")
[ "$size" -lt "$budget" ] || fail "$size bytes, over the $budget-byte budget"

[ $status -eq 0 ] && echo "ok: PE32 GUI, imports $imports; resources $resources; $size bytes"
exit $status
