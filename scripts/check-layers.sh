#!/usr/bin/env bash
# Fails when a file under src/ includes a folder above its own, or a folder on
# its own line of src/layers.txt (the front ends do not include each other).
# Every form counts: "engine/X.h", <engine/X.h>, "../engine/X.h", "./../engine/X.h".
#   scripts/check-layers.sh [SRC_ROOT]    (default: the project's src/)
set -euo pipefail -o noglob
src="${1:-"$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/src"}"
cd "$src"

# The rank of each folder: the line of layers.txt it is on, counted from the top.
declare -A rank line_of
line=0
while read -r -a names; do
    [[ ${#names[@]} -gt 0 && ${names[0]} != \#* ]] || continue
    for name in "${names[@]}"; do
        rank[$name]=$line
        line_of[$name]="${names[*]}"
    done
    line=$((line + 1))
done <layers.txt

# Sets `resolved` to PATH with its "." and ".." parts resolved; empty when it
# leaves src/.
normalise() {
    local part out=() IFS=/
    for part in $1; do
        case "$part" in
        "" | .) ;;
        ..) ((${#out[@]})) || { resolved=""; return; }; unset 'out[-1]' ;;
        *) out+=("$part") ;;
        esac
    done
    resolved="${out[*]}"
}

status=0
while IFS= read -r -d '' file; do
    own="${file%%/*}"
    [[ -n "${rank[$own]+x}" ]] || { echo "src/$file: folder '$own' has no layer"; status=1; }
done < <(find . \( -name '*.h' -o -name '*.cpp' \) -print0 | sed -z 's|^\./||')

while IFS= read -r hit; do
    file="${hit%%:*}"
    own="${file%%/*}"
    path="${hit#*:}"
    path="${path#*[\"<]}"
    path="${path%%[\">]*}"
    case "$path" in
    ./* | ../*) normalise "${file%/*}/$path" ;;
    */./* | */../*) normalise "$path" ;;
    *) resolved="$path" ;;
    esac
    target="${resolved%%/*}"
    [[ "$resolved" == */* && -n "${rank[$own]+x}" && -n "${rank[$target]+x}" && "$target" != "$own" ]] ||
        continue
    if ((rank[$target] < rank[$own])); then
        echo "src/$file: includes \"$path\" from a layer above its own ($own -> $target)"
        status=1
    elif ((rank[$target] == rank[$own])); then
        echo "src/$file: includes \"$path\" from a folder beside its own ($own -> $target;" \
            "${line_of[$own]} do not include each other)"
        status=1
    fi
done < <(grep -rE --include='*.h' --include='*.cpp' '^[[:space:]]*#[[:space:]]*include[[:space:]]*["<]' . |
    sed 's|^\./||' | sort)
((status == 0)) && echo "layers: every include points down"
exit $status
