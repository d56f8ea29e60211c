#!/usr/bin/env bash
# The signed release, with a throwaway CA and code-signing certificate:
# osslsigncode accepts both programs (the loose ones, those in the zip and
# those in the packages) and both packages against that CA, and no longer
# accepts a program with one byte changed; the same key signs the same bytes
# alike. A certificate that cannot be used stops the release with its
# message and leaves none of its files, not even an earlier release's.
# The password stays out of the output and the release folder.
#   check_signing.sh <source folder> <scratch folder>
set -u
src=$1 scratch=$2
source "$(dirname "$0")/wine_prefix.sh"
version=$(sed -n 's/^project(dialprompt VERSION \([0-9.]*\).*/\1/p' "$src/CMakeLists.txt")
name=dialprompt-$version
rm -rf "$scratch"
mkdir -p "$scratch"

# The key, the certificates and the password live outside the build folder.
keys=$(mktemp -d)
trap 'rm -rf "$keys"' EXIT
password="throwaway $RANDOM$RANDOM"
printf '%s\n' "$password" >"$keys/password"
printf 'wrong\n' >"$keys/wrong"
echo "not a certificate" >"$keys/garbage.pfx"
(
  cd "$keys" || exit 1
  openssl req -x509 -newkey rsa:2048 -nodes -keyout ca.key -out ca.pem -days 2 -subj "/CN=dialprompt test CA" \
    -addext basicConstraints=critical,CA:true -addext keyUsage=critical,keyCertSign &&
    openssl req -newkey rsa:2048 -nodes -keyout signer.key -out signer.csr -subj "/CN=dialprompt test signer" &&
    printf 'basicConstraints=CA:false\nkeyUsage=critical,digitalSignature\nextendedKeyUsage=codeSigning\n' >signer.ext &&
    openssl x509 -req -in signer.csr -CA ca.pem -CAkey ca.key -CAcreateserial -days 1 -extfile signer.ext -out signer.pem &&
    openssl pkcs12 -export -in signer.pem -inkey signer.key -certfile ca.pem -passout file:password -out signer.pfx
) >/dev/null 2>&1 || { echo "FAIL: cannot make the throwaway certificates"; exit 1; }

release() {  # <folder> <pfx> <password file> [timestamp server]
  DIALPROMPT_SIGN_PFX=$2 DIALPROMPT_SIGN_PASSWORD_FILE=$3 DIALPROMPT_SIGN_TIMESTAMP_URL=${4:-} \
    "$src/dev" release "$1" 2>&1
}
verifies() { osslsigncode verify -CAfile "$keys/ca.pem" -in "$1" >/dev/null 2>&1; }

out=$scratch/signed
log=$(release "$out" "$keys/signer.pfx" "$keys/password") || { echo "FAIL: the signed release failed:"; echo "$log"; exit 1; }
ok "the signed release succeeds"
grep -q '^== signing with' <<<"$log" && ok "it says it signs" || fail "no line says the release is signed"

mkdir -p "$scratch/unpacked"
unzip -q "$out/$name-windows.zip" -d "$scratch/unpacked/zip"
for arch in x86 x64; do
  msiextract -C "$scratch/unpacked/$arch" "$out/$name-$arch.msi" >/dev/null
done
while IFS='|' read -r what file; do
  verifies "$file" && ok "$what verifies" || fail "$what does not verify against the CA"
done <<EOF
the x86 program|$out/release/$name-windows/x86/dialprompt.exe
the x64 program|$out/release/$name-windows/x64/dialprompt.exe
the x86 program in the zip|$scratch/unpacked/zip/$name-windows/x86/dialprompt.exe
the x64 program in the zip|$scratch/unpacked/zip/$name-windows/x64/dialprompt.exe
the program in the x86 package|$(find "$scratch/unpacked/x86" -name dialprompt.exe)
the program in the x64 package|$(find "$scratch/unpacked/x64" -name dialprompt.exe)
the x86 package|$out/$name-x86.msi
the x64 package|$out/$name-x64.msi
EOF
(cd "$out" && sha256sum -c --quiet SHA256SUMS) && ok "SHA256SUMS matches the signed files" || fail "SHA256SUMS does not match"

# One byte of the code changed, past the headers (the checksum and the
# signature itself are not covered by the signature).
changed=$scratch/changed.exe
cp "$out/release/$name-windows/x64/dialprompt.exe" "$changed"
byte=$(od -An -tu1 -j 2048 -N1 "$changed" | tr -d ' ')
printf "$(printf '\\%03o' $(((byte + 1) % 256)))" | dd of="$changed" bs=1 seek=2048 conv=notrunc status=none
verifies "$changed" && fail "a program with one byte changed still verifies" || ok "one changed byte fails verification"

again=$scratch/signed-again
release "$again" "$keys/signer.pfx" "$keys/password" >/dev/null || fail "the second signed release failed"
for file in "$name-windows.zip" "$name-x86.msi" "$name-x64.msi" SHA256SUMS; do
  cmp -s "$out/$file" "$again/$file" || fail "signed twice, $file differs"
done
[ $status -eq 0 ] && ok "the same key signs the same bytes alike"

grep -rqF "$password" "$scratch" && fail "the password is in a file of the release" || ok "no file holds the password"
grep -qF "$password" <<<"$log" && fail "the release printed the password" || ok "the output does not show the password"

# Each into the folder of the good release: none of its files may remain.
# The timestamp server that refuses connections fails once the programs are
# built, the others before.
while IFS='|' read -r what pfx pass timestamp message; do
  log=$(release "$out" "$pfx" "$pass" "$timestamp")
  result=$?
  [ $result -ne 0 ] && ok "$what: the release stops" || fail "$what: the release succeeded"
  grep -qF "release failed: $message" <<<"$log" && ok "$what: says so" || fail "$what: the output was: $log"
  left=$(cd "$out" && ls -A)
  [ -z "$left" ] && ok "$what: leaves nothing behind" || fail "$what: left $left"
done <<EOF
wrong password|$keys/signer.pfx|$keys/wrong||cannot open the signing certificate $keys/signer.pfx: wrong password in $keys/wrong
not a certificate|$keys/garbage.pfx|$keys/password||cannot open the signing certificate $keys/garbage.pfx
no certificate|$keys/missing.pfx|$keys/password||cannot read the signing certificate $keys/missing.pfx
no password file|$keys/signer.pfx|||DIALPROMPT_SIGN_PASSWORD_FILE must name the file holding the password
no timestamp|$keys/signer.pfx|$keys/password|http://127.0.0.1:9/|cannot sign dialprompt.exe
EOF
[ $status -eq 0 ] && rm -rf "$scratch"
exit $status
