#!/usr/bin/env bash
# Fails when a file under src/ includes a folder above its own. The layers,
# from the top: front ends (qt, cli), app, the form-driving commands
# (commands), the subsystems (engine, numbers,
# guidance, history, filters, catalogue, reports), context, ui, base.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
layers=(qt:0 cli:0 app:1 commands:2 engine:3 numbers:4 guidance:5 history:6 filters:7 catalogue:8
        reports:9 context:10 ui:11 base:12)
declare -A rank
for entry in "${layers[@]}"; do rank[${entry%%:*}]=${entry##*:}; done

status=0
cd "$root/src"
while IFS= read -r -d '' file; do
    own="${file%%/*}"
    [[ -n "${rank[$own]+x}" ]] || { echo "$file: folder '$own' has no layer"; status=1; continue; }
    while IFS= read -r line; do
        path="${line#*\"}"
        path="${path%%\"*}"
        target="${path%%/*}"
        [[ -n "${rank[$target]+x}" ]] || continue
        if [[ "$target" != "$own" && ${rank[$target]} -le ${rank[$own]} ]]; then
            echo "src/$file: includes \"$path\" from a layer above its own ($own -> $target)"
            status=1
        fi
    done < <(grep -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$file" || true)
done < <(find . -path ./qt -prune -o \( -name '*.h' -o -name '*.cpp' \) -print0 | sed -z 's|^\./||')
# The front ends may include anything below them, but not each other.
for pair in "qt cli" "cli qt"; do
    set -- $pair
    if grep -rlE "^[[:space:]]*#[[:space:]]*include[[:space:]]*\"$2/" "$1" >/dev/null 2>&1; then
        grep -rnE "^[[:space:]]*#[[:space:]]*include[[:space:]]*\"$2/" "$1" | sed 's|^|src/|;s|$| (front ends do not include each other)|'
        status=1
    fi
done
((status == 0)) && echo "layers: every include points down"
exit $status
