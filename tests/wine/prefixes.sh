# The Wine prefixes the tests run in, made the same way for this machine's
# Wine (./dev), for 32-bit Wine in the chroot (tests/wine32.sh) and for the
# package tests. Sourced: the caller's `wine` and `wineserver` run the Wine a
# prefix is for, given WINEPREFIX as the prefix's path here.

# The resolutions the window is tested at besides 96 pixels per inch.
TEST_DPIS=(120 144 192)

# A prefix of its own, made once: Wine's fonts copied in (Wine does not find
# them where Debian installs them) and no 2-second wait for a window manager.
ready_prefix() {  # <prefix>
  local prefix=$1
  [ -f "$prefix/.dialprompt-ready" ] && return 0
  printf '== creating the Wine prefix %s\n' "$prefix" >&2
  rm -rf "$prefix"
  WINEPREFIX=$prefix wine wineboot -i >/dev/null 2>&1 </dev/null || true
  WINEPREFIX=$prefix wineserver -w
  [ -d "$prefix/drive_c/windows/Fonts" ] || { echo "wineboot of $prefix failed" >&2; return 1; }
  cp /usr/share/wine/fonts/* "$prefix/drive_c/windows/Fonts/"
  WINEPREFIX=$prefix wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 </dev/null
  WINEPREFIX=$prefix wineserver -w
  touch "$prefix/.dialprompt-ready"
}

# A ready prefix at another resolution, remade when the one it copies is
# newer. Its Windows folder is hard-linked but for the .ini files (a copy
# would be hundreds of MiB, and Wine rewrites nothing else there in place).
dpi_prefix() {  # <ready prefix> <prefix> <pixels per inch>
  local source=$1 prefix=$2 ini
  [ -f "$prefix/.dialprompt-ready" ] && [ ! "$source/.dialprompt-ready" -nt "$prefix/.dialprompt-ready" ] && return 0
  printf '== creating the Wine prefix %s at %s pixels per inch\n' "$prefix" "$3" >&2
  rm -rf "$prefix"
  mkdir -p "$prefix/drive_c"
  (cd "$source" && find . -mindepth 1 -maxdepth 1 ! -name drive_c ! -name .dialprompt-ready -exec cp -a {} "$prefix/" \;)
  (cd "$source/drive_c" && find . -mindepth 1 -maxdepth 1 ! -name windows -exec cp -a {} "$prefix/drive_c/" \;)
  cp -al "$source/drive_c/windows" "$prefix/drive_c/windows"
  for ini in "$prefix"/drive_c/windows/*.ini; do
    [ -e "$ini" ] && cp --remove-destination "$source/drive_c/windows/${ini##*/}" "$ini"
  done
  WINEPREFIX=$prefix wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$3" /f \
    >/dev/null 2>&1 </dev/null || { echo "cannot set LogPixels in $prefix" >&2; return 1; }
  WINEPREFIX=$prefix wineserver -w
  touch "$prefix/.dialprompt-ready"
}

# The test prefixes in a folder: wine-test, and wine-dpi-N at each resolution.
test_prefix_names() {  # <folder>
  local dpi
  echo "$1/wine-test"
  for dpi in "${TEST_DPIS[@]}"; do echo "$1/wine-dpi-$dpi"; done
}

# All of them ready, each with the dial double as its system's wininet (a
# file of its own, not through a clone's hard link).
test_prefixes() {  # <folder> <dial double>
  local dpi prefix
  ready_prefix "$1/wine-test" || return 1
  for dpi in "${TEST_DPIS[@]}"; do
    dpi_prefix "$1/wine-test" "$1/wine-dpi-$dpi" "$dpi" || return 1
  done
  for prefix in $(test_prefix_names "$1"); do
    cp --remove-destination "$2" "$prefix/drive_c/windows/system32/wininet.dll"
  done
}

# One Wine session a prefix for a whole run, started apart from any test so
# that Wine's background services do not hold on to ctest's output pipes.
start_session() {  # <prefix>
  WINEPREFIX=$1 wineserver -k >/dev/null 2>&1 || true  # a session left over from an earlier run
  WINEPREFIX=$1 wineserver -p
  WINEPREFIX=$1 wine cmd /c exit >/dev/null 2>&1 </dev/null
}
