#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need (missing ones only).
# With --package also the tools that build and check the Debian package.
set -euo pipefail
packages=(cmake g++ make clang libclang-rt-14-dev libgtest-dev libgmock-dev libbenchmark-dev
          qt6-base-dev qt6-charts-dev qt6-multimedia-dev qt6-translations-l10n libgl-dev xvfb xauth
          librsvg2-bin libcli11-dev nlohmann-json3-dev libboost-dev lld ninja-build)
if [[ "${1:-}" == "--package" ]]; then
    packages+=(dpkg-dev file desktop-file-utils appstream lintian)
fi
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
    SUDO=""
    [[ $(id -u) -ne 0 ]] && SUDO="sudo"
    $SUDO apt-get update -qq
    # dpkg's syncs after every file only slow the install down; a machine
    # that loses power mid-install reinstalls anyway.
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq -o Dpkg::Options::=--force-unsafe-io \
        "${missing[@]}"
fi
