#!/usr/bin/env bash
# Installs what is missing, builds, and starts the desktop program. The
# program works in the user's working folder ($XDG_DATA_HOME/vargis-loto),
# which it fills from data/ on the first run and reuses afterwards.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=Release -DVARGIS_WITH_QT=ON >/dev/null
cmake --build "$root/build" --target vargis -j"$(nproc)"
# The build tree has no installed copy; the program fills a new working
# folder from the repository's data/ instead, and never writes to data/.
VARGIS_BUNDLED_DATA="$root/data" exec "$root/build/src/qt/vargis" "$@"
