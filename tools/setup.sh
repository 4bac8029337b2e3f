#!/usr/bin/env bash
# Installs what building and testing the suite needs on a Debian 12 machine; does nothing when all is there.
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=tools/versions.sh
. tools/versions.sh

packages=(
  cmake ninja-build
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix mingw-w64-tools
  wine64 wine64-tools libwine-dev
  libz-mingw-w64-dev
  xvfb xauth
  unixodbc libsqliteodbc sqlite3
  zip unzip p7zip-full python3
  cups printer-driver-cups-pdf poppler-utils
  googletest
  "$CLANG_FORMAT"
  clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# wine64 alone brings no mingw compiler aliases; the posix-thread variants must be the ones found.
for arch in x86_64 i686; do
  command -v "$arch-w64-mingw32-g++-posix" >/dev/null || { echo "setup: $arch-w64-mingw32-g++-posix missing" >&2; exit 1; }
done
[ -x /usr/lib/wine/wine64 ] || { echo "setup: /usr/lib/wine/wine64 missing" >&2; exit 1; }
echo "setup: ready"
