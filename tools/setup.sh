#!/usr/bin/env bash
# Installs everything the build and the tests need, from Debian's packages.
# Idempotent: does nothing that is already done.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO="sudo"; fi

# The program is built for x86-64 Windows and runs under 64-bit Wine: this machine kind cannot
# execute 32-bit Linux binaries, so 32-bit Wine cannot start here.
PKGS=(g++-mingw-w64-x86-64 wine wine64 fonts-wine xvfb xauth fonts-liberation imagemagick x11-apps
      libz-mingw-w64-dev googletest cmake ninja-build dpkg-dev
      ghostscript)   # renders and reads back the test printer's PostScript

missing=()
for p in "${PKGS[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "setup: installing ${missing[*]}"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# libjpeg (interface 62) for the target, built from Debian's source package.
JPEG_PREFIX="$ROOT/build/deps/libjpeg"
if [ ! -f "$JPEG_PREFIX/lib/libjpeg.a" ]; then
    echo "setup: building libjpeg for the target"
    SRC_LIST=/etc/apt/sources.list.d/project-src.sources
    if [ ! -f "$SRC_LIST" ]; then
        $SUDO tee "$SRC_LIST" >/dev/null <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
        $SUDO apt-get update -qq
    fi
    WORK="$ROOT/build/deps/src"
    rm -rf "$WORK" && mkdir -p "$WORK"
    (cd "$WORK" && apt-get source --download-only -qq libjpeg-turbo >/dev/null)
    tarball=$(ls "$WORK"/libjpeg-turbo_*.orig.tar.* | head -n1)
    mkdir -p "$WORK/jpeg" && tar -xf "$tarball" -C "$WORK/jpeg" --strip-components=1
    cmake -S "$WORK/jpeg" -B "$WORK/jpeg-build" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-x86_64.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DWITH_SIMD=0 -DENABLE_SHARED=0 -DENABLE_STATIC=1 \
        -DWITH_TURBOJPEG=0 -DWITH_JPEG8=0 -DWITH_JPEG7=0 \
        -DCMAKE_INSTALL_PREFIX="$JPEG_PREFIX" >/dev/null
    cmake --build "$WORK/jpeg-build" --target install >/dev/null
    rm -rf "$WORK"
fi
echo "setup: ready"
