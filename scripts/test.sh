#!/usr/bin/env bash
# Installs what is missing, builds everything with warnings as errors and
# library assertions, and runs every test: the full build with Qt (offscreen),
# the core-only build without Qt, the sanitizer build, and a short run of each
# loader fuzzer; then builds the Debian package and checks it without
# installing it.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/install-deps.sh"
jobs="$(nproc)"

echo "== include layers"
"$root/scripts/check-layers.sh"
flags="-D_GLIBCXX_ASSERTIONS"

echo "== core without Qt"
cmake -S "$root" -B "$root/build-core" -DVARGIS_WITH_QT=OFF -DVARGIS_WERROR=ON \
      -DVARGIS_BENCHMARKS=OFF -DCMAKE_CXX_FLAGS="$flags" >/dev/null
cmake --build "$root/build-core" -j"$jobs"
ctest --test-dir "$root/build-core" --output-on-failure -j"$jobs"

echo "== full build with Qt"
cmake -S "$root" -B "$root/build-ci" -DVARGIS_WITH_QT=ON -DVARGIS_WERROR=ON \
      -DCMAKE_CXX_FLAGS="$flags" >/dev/null
cmake --build "$root/build-ci" -j"$jobs"
QT_QPA_PLATFORM=offscreen ctest --test-dir "$root/build-ci" --output-on-failure -j"$jobs"

echo "== sanitizers (address, undefined)"
cmake -S "$root" -B "$root/build-asan" -DVARGIS_WITH_QT=OFF -DVARGIS_WERROR=ON \
      -DVARGIS_SANITIZE=ON -DVARGIS_BENCHMARKS=OFF -DCMAKE_CXX_FLAGS="$flags" >/dev/null
cmake --build "$root/build-asan" -j"$jobs"
ctest --test-dir "$root/build-asan" --output-on-failure -j"$jobs"

if [[ -d "$root/fuzz" ]]; then
    echo "== loader fuzzers"
    CXX=clang++ cmake -S "$root" -B "$root/build-fuzz" -DVARGIS_WITH_QT=OFF -DVARGIS_FUZZ=ON \
          -DVARGIS_BENCHMARKS=OFF -DCMAKE_CXX_COMPILER=clang++ >/dev/null
    cmake --build "$root/build-fuzz" -j"$jobs"
    for fuzzer in "$root"/build-fuzz/fuzz/fuzz_*; do
        [[ -x "$fuzzer" ]] || continue
        echo "-- $(basename "$fuzzer")"
        # New inputs go to a scratch folder; the seeds in the tree stay as they are.
        scratch="$(mktemp -d)"
        "$fuzzer" -max_total_time=15 -rss_limit_mb=2048 "$scratch" \
            "$root/fuzz/corpus/$(basename "$fuzzer")" 2>&1 | tail -n 2
        rm -rf "$scratch"
    done
fi

echo "== Debian package (built and checked, never installed here)"
deb="$("$root/scripts/package.sh" "$root/build-deb" | tail -n 1)"
"$root/scripts/check-package.sh" "$deb"
