#!/usr/bin/env bash
# scripts/check-layers.sh on small trees with the project's src/layers.txt: a
# clean one passes, each form of an include of a folder that the folder does
# not use fails and names its file, and a graph with a cycle fails.
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
    mkdir -p "$work/src"/{base,ui,engine,numbers,app,qt,cli}
    cp "$layers" "$work/src/layers.txt"
    echo '#pragma once' >"$work/src/base/Low.h"
    echo '#pragma once' >"$work/src/engine/High.h"
    echo '#pragma once' >"$work/src/cli/Verb.h"
    echo '#pragma once' >"$work/src/numbers/Panel.h"
    printf '%s\n' "$inc \"ui/Platform.h\"" "$inc \"base/Low.h\"" >"$work/src/ui/Form.h"
    printf '%s\n' "$inc \"engine/High.h\"" "$inc \"./High.h\"" "$inc \"High.h\"" \
        "$inc \"base/Low.h\"" "$inc ${lt}base/Low.h${gt}" "$inc \"$up/base/Low.h\"" \
        "#  include   \"./$up/base/Low.h\"" "$inc ${lt}vector${gt}" >"$work/src/engine/High.cpp"
    printf '%s\n' "$inc \"app/Top.h\"" "$inc ${lt}ui/Form.h${gt}" "$inc ${lt}QWidget${gt}" \
        >"$work/src/qt/Window.cpp"
    printf '%s\n' "$inc \"app/Top.h\"" "$inc \"$up/ui/Platform.h\"" "$inc \"ui/SilentPlatform.h\"" \
        "$inc \"Verb.h\"" >"$work/src/cli/Verb.cpp"
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
# The graph, not the order of the lines: engine/ sits above numbers/ but may
# not use it; the command line uses two headers of ui/ and no other.
expect fail engine/Side.cpp '#include "numbers/Panel.h"'
expect fail engine/Side.cpp "$inc \"$up/numbers/Panel.h\""
expect fail cli/Wide.cpp '#include "ui/Form.h"'
expect fail cli/Wide.cpp "$inc \"$up/engine/High.h\""
expect fail qt/Up.cpp "$inc \"engine/High.h\""

# A graph with a cycle, a use of a line above, an unknown name or an
# unreadable line fails however clean the includes are.
broken() { # broken SED_SCRIPT: the project's graph edited
    clean_tree
    sed -E "$1" "$layers" >"$work/src/layers.txt"
    if "$check" "$work/src" >/dev/null 2>&1; then
        echo "FAILED: expected a failure for layers.txt edited by: $1"
        failures=$((failures + 1))
    fi
}
broken 's/^library base:.*/library base: ui/'
broken 's/^library ui: base/library ui: base app/'
broken 's/^library engine: /library engine: nowhere /'
broken 's/^library ui:/library ui/'
broken 's/^library numbers:.*//'

((failures == 0)) && echo "check-layers: every form caught"
exit $((failures > 0))
