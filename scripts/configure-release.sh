#!/usr/bin/env bash
# Configures a Release tree of the desktop program as the Debian package is
# built: Debian's hardening flags (without debug info), library assertions,
# unity build. Extra arguments go to cmake.
#   scripts/configure-release.sh BUILD_DIR [-DVARGIS_WERROR=ON ...]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$root/scripts/generator.sh"
build="$1"
shift
export DEB_BUILD_MAINT_OPTIONS="hardening=+all"
# The package is stripped, so debug info would only slow the build down.
cxxflags="$(dpkg-buildflags --get CXXFLAGS | sed -E 's/(^| )-g( |$)/ /') $(dpkg-buildflags --get CPPFLAGS)"
drop_other_generator "$build"
# lld links the many test programs several times faster than ld.bfd.
ldflags="$(dpkg-buildflags --get LDFLAGS) -fuse-ld=lld"
cmake -G Ninja -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DVARGIS_WITH_QT=ON \
      -DCMAKE_UNITY_BUILD=ON -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON \
      -DCMAKE_CXX_FLAGS="$cxxflags -D_GLIBCXX_ASSERTIONS" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" \
      "$@" >/dev/null
