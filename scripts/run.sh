#!/usr/bin/env bash
# Installs what is missing, builds, and starts the desktop program in the
# user's working folder ($XDG_DATA_HOME/vargis-loto), which is filled from
# data/ on the first run and reused afterwards.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=Release -DVARGIS_WITH_QT=ON >/dev/null
cmake --build "$root/build" --target vargis -j"$(nproc)"
work="${XDG_DATA_HOME:-$HOME/.local/share}/vargis-loto"
if [[ ! -d "$work/bd" ]]; then
    mkdir -p "$work"
    cp -r "$root/data/." "$work/"
fi
cd "$work"
exec "$root/build/src/qt/vargis" "$@"
