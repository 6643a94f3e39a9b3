#!/usr/bin/env bash
# scripts/check-layers.sh on small trees: a clean one passes, and each form of
# an include that points up (or sideways between the front ends) fails and
# names its file.
#   tests/check_layers_test.sh CHECK_SCRIPT LAYERS_TXT
set -euo pipefail
check="$1"
layers="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0
# The include forms are put together from parts, so that this file itself
# holds no include of those forms.
inc='#include' lt='<' gt='>' up='..'

clean_tree() {
    rm -rf "$work/src"
    mkdir -p "$work/src"/{base,engine,app,qt,cli}
    cp "$layers" "$work/src/layers.txt"
    echo '#pragma once' >"$work/src/base/Low.h"
    echo '#pragma once' >"$work/src/engine/High.h"
    echo '#pragma once' >"$work/src/cli/Verb.h"
    printf '%s\n' "$inc \"engine/High.h\"" "$inc \"./High.h\"" "$inc \"High.h\"" \
        "$inc \"base/Low.h\"" "$inc ${lt}base/Low.h${gt}" "$inc \"$up/base/Low.h\"" \
        "#  include   \"./$up/base/Low.h\"" "$inc ${lt}vector${gt}" >"$work/src/engine/High.cpp"
    printf '%s\n' "$inc \"app/Top.h\"" "$inc ${lt}engine/High.h${gt}" "$inc ${lt}QWidget${gt}" \
        >"$work/src/qt/Window.cpp"
}

expect() { # expect pass|fail FILE LINE: adds FILE with LINE to a clean tree
    clean_tree
    [[ -z "$2" ]] || { mkdir -p "$work/src/$(dirname "$2")"; echo "$3" >"$work/src/$2"; }
    local out status=0
    out="$("$check" "$work/src" 2>&1)" || status=$?
    if [[ $1 == pass && $status -ne 0 ]] || [[ $1 == fail && ($status -eq 0 || $out != *"src/$2"*) ]]; then
        echo "FAILED: expected $1 for $2: $3"
        echo "$out"
        failures=$((failures + 1))
    fi
}

expect pass "" ""
expect pass base/Up.cpp '#include "base/Low.h"'
expect fail base/Up.cpp '#include "engine/High.h"'
expect fail base/Up.cpp "$inc ${lt}engine/High.h${gt}"
expect fail base/Up.cpp "$inc \"$up/engine/High.h\""
expect fail base/Up.cpp "$inc \"./$up/engine/High.h\""
expect fail base/Up.cpp "  #  include ${lt}base/$up/engine/High.h${gt}"
expect fail engine/Up.h "$inc \"$up/app/Top.h\""
expect fail qt/Up.cpp "$inc \"$up/cli/Verb.h\""
expect fail cli/Up.cpp "$inc ${lt}qt/Window.h${gt}"
expect fail stray/Up.cpp '#include "base/Low.h"'

((failures == 0)) && echo "check-layers: every form caught"
exit $((failures > 0))
