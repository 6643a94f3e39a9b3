#!/usr/bin/env bash
# Builds the Debian package vargis-loto_VERSION_ARCH.deb: installs what is
# missing, makes a Release build with Debian's hardening flags in build-deb/
# (or the folder given), packs it with CPack and prints the package's path.
# Install it with:  sudo apt install ./build-deb/vargis-loto_*.deb
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build-deb}"
"$root/scripts/install-deps.sh" --package >&2
export DEB_BUILD_MAINT_OPTIONS="hardening=+all"
cxxflags="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
ldflags="$(dpkg-buildflags --get LDFLAGS)"
# Only the programs and their files are built; the tests run elsewhere.
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DVARGIS_WITH_QT=ON \
      -DVARGIS_BENCHMARKS=OFF -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON \
      -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" >/dev/null
cmake --build "$build" -j"$(nproc)" --target vargis vargis-cli vargis_packaging_docs >&2
rm -f "$build"/vargis-loto_*.deb
(cd "$build" && cpack -G DEB >&2)
ls "$build"/vargis-loto_*.deb
