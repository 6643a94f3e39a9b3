#!/usr/bin/env bash
# Runs every libFuzzer target for SECONDS each (default 15), two at a time on
# a clang tree with the fuzzers' instrumentation (build-sanitize/, configured
# by scripts/test.sh or here). New inputs go to a scratch folder; the seeds in
# fuzz/corpus stay as they are. A finding ends the script with its status.
#   scripts/fuzz.sh 600          # ten minutes each
#   scripts/fuzz.sh 60 BUILD     # another build tree
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${1:-15}"
build="$(realpath -m "${2:-$root/build-sanitize}")"
[[ "$seconds" =~ ^[0-9]+$ && "$seconds" -gt 0 ]] || { echo "fuzz.sh: SECONDS must be a positive whole number" >&2; exit 2; }
source "$root/scripts/generator.sh"
drop_other_generator "$build"
if [[ ! -f "$build/CMakeCache.txt" ]]; then
    CXX=clang++ cmake -G Ninja -S "$root" -B "$build" -DVARGIS_WITH_QT=OFF -DVARGIS_FUZZ=ON \
        -DVARGIS_SANITIZE=ON -DVARGIS_BENCHMARKS=OFF -DCMAKE_CXX_COMPILER=clang++ >/dev/null
fi
cmake --build "$build" -j"$(nproc)" --target vargis_fuzzers >/dev/null

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
run_one() {
    local fuzzer="$1" name
    name="$(basename "$fuzzer")"
    mkdir -p "$scratch/$name"
    # Absolute corpus paths: fuzz_startup changes its current directory.
    if "$fuzzer" -max_total_time="$seconds" -rss_limit_mb=2048 -print_final_stats=1 \
            -artifact_prefix="$scratch/$name/" "$scratch/$name" "$root/fuzz/corpus/$name" \
            >"$scratch/$name.log" 2>&1; then
        echo "-- $name: $(grep -E '^stat::number_of_executed_units' "$scratch/$name.log" | awk '{print $2}') runs in ${seconds} s, nothing found"
    else
        echo "-- $name: FAILED"
        tail -n 40 "$scratch/$name.log"
        cp -r "$scratch/$name" "$root/fuzz-finding-$name" 2>/dev/null || true
        return 1
    fi
}
status=0
pids=()
for fuzzer in "$build"/fuzz/fuzz_*; do
    [[ -x "$fuzzer" && -f "$fuzzer" ]] || continue
    run_one "$fuzzer" &
    pids+=($!)
    if ((${#pids[@]} >= $(nproc))); then
        wait "${pids[0]}" || status=1
        pids=("${pids[@]:1}")
    fi
done
for pid in "${pids[@]}"; do wait "$pid" || status=1; done
exit $status
