#!/usr/bin/env bash
# Installs what is missing, then builds and checks everything in two trees:
#  - build-release: Release with Qt, Debian's hardening flags, library
#    assertions and warnings as errors; every test (the Qt ones offscreen),
#    the benchmarks compiled, and the Debian package packed from this tree
#    and checked without installing it;
#  - build-sanitize: clang with the address and undefined sanitizers and the
#    fuzzers' instrumentation, without Qt (so it also proves that the core
#    builds without Qt); every core test and a short run of each fuzzer.
# The time of each stage is printed at the end.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$root/scripts/generator.sh"
jobs="$(nproc)"
stages=()
started=$SECONDS
stage_start=$SECONDS
stage() {
    local now=$SECONDS
    if [[ -n "${current:-}" ]]; then
        stages+=("$(printf '%-34s %4d s' "$current" $((now - stage_start)))")
    fi
    current="$1"
    stage_start=$now
    if [[ -n "$current" ]]; then echo "== $current"; fi
}
report() {
    local status=$?
    stage ""
    echo "== stage times"
    printf '%s\n' "${stages[@]}"
    printf '%-34s %4d s\n' "total" $((SECONDS - started))
    exit "$status"
}
trap report EXIT

stage "install"
"$root/scripts/install-deps.sh" --package

stage "include layers"
"$root/scripts/check-layers.sh"

stage "release build (Qt, assertions)"
"$root/scripts/configure-release.sh" "$root/build-release" -DVARGIS_WERROR=ON -DVARGIS_BENCHMARKS=ON
cmake --build "$root/build-release" -j"$jobs"

stage "release tests"
QT_QPA_PLATFORM=offscreen ctest --test-dir "$root/build-release" --output-on-failure -j"$jobs" \
    | tee "$root/build-release/ctest.log" | grep -vE '^ *[0-9]+/[0-9]+ Test' || true
grep -q '100% tests passed' "$root/build-release/ctest.log" || { tail -n 30 "$root/build-release/ctest.log"; exit 1; }

stage "Debian package"
rm -f "$root"/build-release/vargis-loto_*.deb
(cd "$root/build-release" && cpack -G DEB >/dev/null)
"$root/scripts/check-package.sh" "$(ls "$root"/build-release/vargis-loto_*.deb)" >"$root/build-release/package.log" 2>&1 \
    || { cat "$root/build-release/package.log"; exit 1; }
tail -n 1 "$root/build-release/package.log"

stage "sanitizer build (clang, no Qt)"
drop_other_generator "$root/build-sanitize"
CXX=clang++ cmake -G Ninja -S "$root" -B "$root/build-sanitize" -DCMAKE_CXX_COMPILER=clang++ \
    -DVARGIS_WITH_QT=OFF -DVARGIS_SANITIZE=ON -DVARGIS_FUZZ=ON -DVARGIS_WERROR=ON \
    -DVARGIS_BENCHMARKS=OFF -DCMAKE_UNITY_BUILD=ON -DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld \
    -DCMAKE_CXX_FLAGS="-O1 -D_GLIBCXX_ASSERTIONS" >/dev/null
cmake --build "$root/build-sanitize" -j"$jobs"

stage "sanitizer tests"
ctest --test-dir "$root/build-sanitize" --output-on-failure -j"$jobs" \
    | tee "$root/build-sanitize/ctest.log" | grep -vE '^ *[0-9]+/[0-9]+ Test' || true
grep -q '100% tests passed' "$root/build-sanitize/ctest.log" || { tail -n 30 "$root/build-sanitize/ctest.log"; exit 1; }

stage "fuzzers (15 s each)"
"$root/scripts/fuzz.sh" 15 "$root/build-sanitize"
