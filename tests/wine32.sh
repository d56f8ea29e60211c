#!/usr/bin/env bash
# 32-bit Wine for the i686 program. These machines cannot execute 32-bit code
# themselves, so 32-bit Wine runs in an i386 Debian chroot under qemu's
# user-mode emulator, registered with binfmt_misc. Everything lives under
# build/wine32 and comes from Debian's registry; a second run reuses it.
#
#   wine32.sh setup            qemu, binfmt_misc entry, chroot with Wine, once
#   wine32.sh start            mount what Wine needs into the chroot
#   wine32.sh prefixes DLL     the test prefixes in the chroot, DLL as their wininet
#   wine32.sh sessions         keep a wineserver running for each of them
#   wine32.sh wine ARGS...     Wine in the chroot (also wineserver, winepath),
#                              for the prefix WINEPREFIX: its path here, in the chroot
#   wine32.sh stop             end every process in the chroot and unmount
#
# WINEDLLOVERRIDES and DISPLAY are passed in.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=$ROOT/build
HERE=$BUILD/wine32
CHROOT=$HERE/root
QEMU=$HERE/qemu/usr/bin/qemu-i386
SUITE=bookworm

say() { printf '== %s\n' "$*" >&2; }
die() { printf 'wine32: %s failed\n' "$*" >&2; exit 1; }

# The mirror this machine's own apt uses, so nothing names a host of its own.
mirror() {
  local uri
  uri=$(sed -n 's/^URIs:[[:space:]]*\([^[:space:]]*\).*/\1/p' /etc/apt/sources.list.d/*.sources 2>/dev/null | grep -v security | head -1)
  [ -n "$uri" ] || uri=$(awk '$1 == "deb" && $0 !~ /security/ { print $2; exit }' /etc/apt/sources.list 2>/dev/null)
  [ -n "$uri" ] || die "finding this machine's Debian mirror"
  echo "${uri%/}"
}

mounted_below() { awk -v d="$1" '$5 == d || index($5, d "/") == 1 { print $5 }' /proc/self/mountinfo; }

# Deleting a chroot with the host's /dev bound inside would delete the host's devices.
safe_remove() {
  [ -z "$(mounted_below "$1")" ] || die "removing $1 (still mounted: $(mounted_below "$1" | tr '\n' ' '))"
  rm -rf "$1"
}

# qemu-user 10 from the backports suite, unpacked without touching the
# machine's apt sources: a private source list and state under build/.
unpack_qemu() {
  [ -x "$QEMU" ] && return 0
  say "fetching qemu-user from $SUITE-backports"
  local apt=$HERE/apt
  rm -rf "$apt" "$HERE/qemu"
  mkdir -p "$apt/lists/partial" "$apt/cache/archives/partial"
  echo "deb $(mirror) $SUITE-backports main" >"$apt/sources.list"
  local opts=(-o Dir::Etc::SourceList="$apt/sources.list" -o Dir::Etc::SourceParts=/dev/null
              -o Dir::State::Lists="$apt/lists" -o Dir::Cache="$apt/cache" -o APT::Sandbox::User=root)
  apt-get "${opts[@]}" -q update >&2 || die "reading the backports package list"
  (cd "$apt" && apt-get "${opts[@]}" -q download "qemu-user/$SUITE-backports" >&2) || die "downloading qemu-user"
  dpkg-deb -x "$apt"/qemu-user_*.deb "$HERE/qemu" || die "unpacking qemu-user"
  rm -rf "$apt"
  [ -x "$QEMU" ] || die "unpacking qemu-user (no qemu-i386)"
}

# The F flag opens the emulator now, so it works inside the chroot too.
register_binfmt() {
  local dir=/proc/sys/fs/binfmt_misc entry=/proc/sys/fs/binfmt_misc/qemu-i386
  [ -e "$dir/register" ] || mount -t binfmt_misc binfmt_misc "$dir" || die "mounting binfmt_misc"
  if [ -e "$entry" ]; then
    if grep -qx "interpreter $QEMU" "$entry" && grep -q '^flags: .*F' "$entry" && grep -qx enabled "$entry"; then
      return 0
    fi
    echo -1 >"$entry"
  fi
  say "registering $QEMU for i386 programs"
  printf '%s' ":qemu-i386:M::\\x7fELF\\x01\\x01\\x01\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x02\\x00\\x03\\x00:\\xff\\xff\\xff\\xff\\xff\\xfe\\xfe\\x00\\xff\\xff\\xff\\xff\\xff\\xff\\xff\\xff\\xfe\\xff\\xff\\xff:$QEMU:F" \
    >"$dir/register" || die "registering qemu-i386 with binfmt_misc"
}

make_chroot() {
  [ -f "$CHROOT/.dialprompt-ready" ] && return 0
  command -v debootstrap >/dev/null || die "finding debootstrap"
  if [ ! -f "$CHROOT/.debootstrap-done" ]; then
    say "making an i386 Debian chroot in $CHROOT (about 2 minutes)"
    safe_remove "$CHROOT"
    debootstrap --arch=i386 --variant=minbase "$SUITE" "$CHROOT" "$(mirror)" >"$HERE/debootstrap.log" 2>&1 ||
      { tail -5 "$HERE/debootstrap.log" >&2; die "debootstrap (log: $HERE/debootstrap.log)"; }
    touch "$CHROOT/.debootstrap-done"
  fi
  say "installing 32-bit Wine in the chroot (about 2 minutes)"
  cp /etc/resolv.conf "$CHROOT/etc/resolv.conf"
  mount_all
  chroot "$CHROOT" /usr/bin/env DEBIAN_FRONTEND=noninteractive sh -c \
    'apt-get -q update && apt-get install -y -q --no-install-recommends wine wine32 fonts-wine' \
    >"$HERE/apt.log" 2>&1 || { tail -5 "$HERE/apt.log" >&2; die "installing wine in the chroot (log: $HERE/apt.log)"; }
  touch "$CHROOT/.dialprompt-ready"
}

# Bind mounts are made once per run and taken down by `stop`.
mount_one() {  # type-or-bind source target [ro]
  local target=$CHROOT$3
  mountpoint -q "$target" && return 0
  mkdir -p "$target"
  if [ "$1" = bind ]; then
    mount --bind "$2" "$target" || die "mounting $2 at $target"
    [ "${4:-}" = ro ] && { mount -o remount,bind,ro "$target" || die "making $target read-only"; }
  else
    mount -t "$1" "$2" "$target" || die "mounting $1 at $target"
  fi
  return 0
}

mount_all() {
  mount_one proc proc /proc
  mount_one bind /dev /dev
  mount_one bind /dev/pts /dev/pts
  mount_one bind /dev/shm /dev/shm
  mkdir -p /tmp/.X11-unix
  mount_one bind /tmp/.X11-unix /tmp/.X11-unix
  # The i686 build at the same path as outside, so ctest's paths work in both.
  [ -d "$BUILD/i686" ] && mount_one bind "$BUILD/i686" "$BUILD/i686" ro
  return 0
}

stop_all() {
  [ -d "$CHROOT" ] || return 0
  local pid root tries
  for tries in 1 2 3 4 5; do
    local found=
    for pid in /proc/[0-9]*; do
      root=$(readlink "$pid/root" 2>/dev/null) || continue
      [ "$root" = "$CHROOT" ] && { kill -9 "${pid#/proc/}" 2>/dev/null || true; found=1; }
    done
    [ -z "$found" ] && break
    sleep 0.2
  done
  local target
  # Deepest first.
  for target in $(mounted_below "$CHROOT" | sort -r); do
    umount "$target" 2>/dev/null || umount -l "$target" || echo "wine32: could not unmount $target" >&2
  done
  [ -z "$(mounted_below "$CHROOT")" ]
}

# A command inside the chroot, for the prefix WINEPREFIX (its path here,
# which must lie in the chroot).
in_chroot() {
  [[ ${WINEPREFIX:-} == "$CHROOT"/* ]] || die "finding the prefix: WINEPREFIX '${WINEPREFIX:-}' is not in $CHROOT"
  chroot "$CHROOT" /usr/bin/env -i PATH=/usr/bin:/bin HOME=/root USER=root DISPLAY="${DISPLAY:-}" \
    WINEPREFIX="${WINEPREFIX#"$CHROOT"}" WINEDEBUG=-all WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-}" \
    DIALPROMPT_EMULATED=1 "$@"
}
wine() { in_chroot wine "$@"; }
wineserver() { in_chroot wineserver "$@"; }
source "$ROOT/tests/wine/prefixes.sh"

case "${1:-}" in
  setup)
    mkdir -p "$HERE"
    unpack_qemu
    register_binfmt
    make_chroot
    ;;
  start) register_binfmt; mount_all ;;
  prefixes) test_prefixes "$CHROOT" "$2" ;;
  sessions)
    for prefix in $(test_prefix_names "$CHROOT"); do start_session "$prefix"; done
    ;;
  wine|wineserver|winepath) in_chroot "$@" ;;
  stop) stop_all ;;
  *) sed -n '2,15p' "$0" | sed 's/^# \{0,1\}//'; exit 2 ;;
esac
