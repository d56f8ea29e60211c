#!/usr/bin/env bash
# Two clean builds of the same sources, in folders of different names, give
# byte-identical programs, identical to the ones the tests ran: no timestamps
# or build paths end up in them. Given an earlier release's folder, a release
# made now, at another time and into another folder, is identical to it too.
#   check_reproducible.sh <source folder> <scratch folder> [release folder]
set -u
src=$1
scratch=$2
released=${3:-}
status=0
for arch in i686 x86_64; do
  for name in first second-build-in-a-longer-folder; do
    dir=$scratch/$name/$arch
    rm -rf "$dir"
    cmake -S "$src" -B "$dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$src/cmake/mingw-$arch.cmake" \
      -DCMAKE_BUILD_TYPE=MinSizeRel >/dev/null || { echo "FAIL: configure $dir"; exit 1; }
    cmake --build "$dir" --target dialprompt >/dev/null || { echo "FAIL: build $dir"; exit 1; }
  done
  first=$scratch/first/$arch/dialprompt.exe
  for other in "$scratch/second-build-in-a-longer-folder/$arch/dialprompt.exe" "$src/build/$arch/dialprompt.exe"; do
    if cmp -s "$first" "$other"; then
      echo "ok: $arch: $other is identical"
    else
      echo "FAIL: $arch: $first and $other differ: $(cmp "$first" "$other" | head -1)"
      status=1
    fi
  done
done
if [ -n "$released" ]; then
  again=$scratch/release-made-again-elsewhere
  "$src/dev" release "$again" >/dev/null 2>&1 || { echo "FAIL: the release failed"; exit 1; }
  files=$(cd "$released" && ls -- *.zip *.msi SHA256SUMS 2>/dev/null)
  [ "$(wc -w <<<"$files")" = 4 ] || { echo "FAIL: $released lacks the release's four files"; exit 1; }
  for file in $files; do
    if cmp -s "$released/$file" "$again/$file"; then
      echo "ok: $file is identical"
    else
      echo "FAIL: $file differs: $(cmp "$released/$file" "$again/$file" | head -1)"
      status=1
    fi
  done
fi
rm -rf "$scratch"
exit $status
