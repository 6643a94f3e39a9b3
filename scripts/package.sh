#!/usr/bin/env bash
# Builds the Debian package vargis-loto_VERSION_ARCH.deb: installs what is
# missing, makes a Release build with Debian's hardening flags
# (scripts/configure-release.sh) in build-deb/
# (or the folder given), packs it with CPack and prints the package's path.
# Install it with:  sudo apt install ./build-deb/vargis-loto_*.deb
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build-deb}"
"$root/scripts/install-deps.sh" --package >&2
# Only the programs and their files are built; the tests run elsewhere.
"$root/scripts/configure-release.sh" "$build" -DVARGIS_BENCHMARKS=OFF
cmake --build "$build" -j"$(nproc)" --target vargis vargis-cli vargis_packaging_docs >&2
rm -f "$build"/vargis-loto_*.deb
(cd "$build" && cpack -G DEB >&2)
ls "$build"/vargis-loto_*.deb
