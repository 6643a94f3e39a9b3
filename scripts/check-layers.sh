#!/usr/bin/env bash
# Fails when a file under src/ includes a header of a folder that its folder's
# line of src/layers.txt does not name (a front end's FOLDER/FILE.h entry
# allows that one header), when a folder has no line, when a library uses
# something that is not a library on a line below its own, or when a line
# names a whole folder that its folder no longer includes (the graph stays the
# true one).
# Every form counts: "engine/X.h", <engine/X.h>, "../engine/X.h", "./../engine/X.h".
#   scripts/check-layers.sh [SRC_ROOT]    (default: the project's src/)
set -euo pipefail -o noglob
src="${1:-"$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/src"}"
cd "$src"

status=0
declare -A included # "FOLDER USE": FOLDER includes a header of USE
fail() {
    echo "$1"
    status=1
}

# uses[FOLDER]: " USE USE ... " as its line names them; kind[FOLDER]: program
# or library; rank[FOLDER]: the line number among the folders, from the top.
declare -A uses kind rank
line=0
while IFS= read -r text; do
    [[ -n "${text//[[:space:]]/}" && $text != \#* ]] || continue
    if [[ ! $text =~ ^(program|library)\ ([a-z]+):([a-zA-Z/.\ ]*)$ ]]; then
        fail "src/layers.txt: cannot read the line '$text'"
        continue
    fi
    folder="${BASH_REMATCH[2]}"
    [[ -z "${kind[$folder]+x}" ]] || fail "src/layers.txt: $folder has two lines"
    kind[$folder]="${BASH_REMATCH[1]}"
    read -r -a list <<<"${BASH_REMATCH[3]}"
    uses[$folder]=" ${list[*]} "
    rank[$folder]=$line
    line=$((line + 1))
done <layers.txt

# What a folder uses must be a library on a line below its own, so that the
# graph has no cycle and every library links only libraries built before it.
for folder in "${!uses[@]}"; do
    for use in ${uses[$folder]}; do
        library="${use%%/*}"
        if [[ "${kind[$library]:-}" != library ]]; then
            fail "src/layers.txt: $folder uses '$use', which is not a library"
        elif ((rank[$library] <= rank[$folder])); then
            fail "src/layers.txt: $folder uses $library, which is not on a line below its own"
        fi
    done
done

while IFS= read -r -d '' file; do
    own="${file%%/*}"
    [[ -n "${kind[$own]+x}" ]] || fail "src/$file: folder '$own' has no line in src/layers.txt"
done < <(find . \( -name '*.h' -o -name '*.cpp' \) -print0 | sed -z 's|^\./||')

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
    [[ "$resolved" == */* && -n "${kind[$own]+x}" && -n "${kind[$target]+x}" && "$target" != "$own" ]] ||
        continue
    if [[ "${uses[$own]}" == *" $target "* ]]; then
        included["$own $target"]=1
        continue
    fi
    [[ "${uses[$own]}" == *" $resolved "* ]] && continue
    allowed="${uses[$own]# }"
    allowed="${allowed% }"
    fail "src/$file: includes \"$path\", but $own may use only: ${allowed:-nothing} (src/layers.txt)"
done < <(grep -rE --include='*.h' --include='*.cpp' '^[[:space:]]*#[[:space:]]*include[[:space:]]*["<]' . |
    sed 's|^\./||' | sort)
for folder in "${!uses[@]}"; do
    [[ -d "$folder" ]] || continue
    for use in ${uses[$folder]}; do
        [[ $use == */* || -n "${included["$folder $use"]+x}" ]] ||
            fail "src/layers.txt: $folder names $use but includes nothing of it; drop it from its line"
    done
done
((status == 0)) && echo "layers: every include is one its folder may use"
exit $status
