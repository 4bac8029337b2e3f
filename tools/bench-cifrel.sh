#!/usr/bin/env bash
# Cifrel's EncryptFile under Wine on a 256 MiB file, against its ceiling: the provider's own RC4
# (CryptEncrypt) over a buffer of the same size in memory, timed by the benchmark in the same run.
# OpenSSL's RC4 run natively on the same file is printed for reference.
# The Base provider's key for a password is MD5 of its UTF-16LE bytes cut to 40 bits plus 11 zero
# bytes of salt, so OpenSSL with that 128-bit key must write exactly the same bytes.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target Cifrel CifrelBenchmark >/dev/null
build=build/win64
export WINEPREFIX=$PWD/$build/wineprefix WINEDEBUG=-all
tools/wine-prefix.sh "$WINEPREFIX"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
head -c $((256 * 1024 * 1024)) /dev/urandom > "$work/plain"
winpath() { printf 'Z:%s' "${1//\//\\}"; }

/usr/lib/wine/wine64 "$build/benchmarks/CifrelBenchmark.exe" "$(winpath "$PWD/$build/crypt/Cifrel.dll")" secret \
  "$(winpath "$work/plain")" "$(winpath "$work/cifrel")"

key=$(python3 -c 'import hashlib; print(hashlib.md5("secret".encode("utf-16-le")).hexdigest()[:10] + "00" * 11)')
start=$(date +%s.%N)
openssl enc -rc4 -provider legacy -provider default -K "$key" -nosalt -in "$work/plain" -out "$work/openssl"
end=$(date +%s.%N)
python3 -c "import sys; s=float(sys.argv[2])-float(sys.argv[1]); print('openssl rc4 (native, for reference): %.3f s, %.1f MB/s' % (s, 268435456/s/1e6))" "$start" "$end"
cmp "$work/cifrel" "$work/openssl" && echo "outputs identical"
