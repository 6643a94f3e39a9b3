#!/usr/bin/env bash
# scripts/check-layers.sh on small trees with a small graph of their own: a
# clean one passes; each form of an include of a folder that the folder does
# not use fails and names its file; a graph with a cycle, an unknown name or
# an edge nothing includes fails. Then the project's graph: engine/ uses
# neither numbers/ nor guidance/, the command line only app/, base/ and the
# platform seam of ui/.
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

graph='# A small program of the same shape as the project.
program qt: app ui base
program cli: app ui/Platform.h ui/SilentPlatform.h base
library app: engine numbers ui base
library engine: base
library numbers: ui base
library ui: base
library base:'

clean_tree() {
    rm -rf "$work/src"
    mkdir -p "$work/src"/{base,ui,engine,numbers,app,qt,cli}
    echo "$graph" >"$work/src/layers.txt"
    echo '#pragma once' >"$work/src/base/Low.h"
    printf '%s\n' "$inc \"ui/Platform.h\"" "$inc \"base/Low.h\"" >"$work/src/ui/Form.h"
    printf '%s\n' "$inc \"engine/High.h\"" "$inc \"./High.h\"" "$inc \"High.h\"" \
        "$inc \"base/Low.h\"" "$inc ${lt}base/Low.h${gt}" "$inc \"$up/base/Low.h\"" \
        "#  include   \"./$up/base/Low.h\"" "$inc ${lt}vector${gt}" >"$work/src/engine/High.cpp"
    printf '%s\n' "$inc \"ui/Form.h\"" "$inc \"base/Low.h\"" >"$work/src/numbers/Panel.h"
    printf '%s\n' "$inc \"engine/High.h\"" "$inc \"numbers/Panel.h\"" "$inc \"ui/Form.h\"" \
        "$inc \"base/Low.h\"" >"$work/src/app/Top.h"
    printf '%s\n' "$inc \"app/Top.h\"" "$inc ${lt}ui/Form.h${gt}" "$inc ${lt}QWidget${gt}" \
        "$inc \"base/Low.h\"" >"$work/src/qt/Window.cpp"
    printf '%s\n' "$inc \"app/Top.h\"" "$inc \"$up/ui/Platform.h\"" "$inc \"ui/SilentPlatform.h\"" \
        "$inc \"Verb.h\"" "$inc \"base/Low.h\"" >"$work/src/cli/Verb.cpp"
}

run_check() { # sets out and status
    status=0
    out="$("$check" "$work/src" 2>&1)" || status=$?
}

expect() { # expect pass|fail FILE LINE: adds FILE with LINE to a clean tree
    clean_tree
    [[ -z "$2" ]] || { mkdir -p "$work/src/$(dirname "$2")"; echo "$3" >"$work/src/$2"; }
    run_check
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

# A graph with a cycle, a use of a line above, an unknown name, an unreadable
# line, a folder without a line or an edge that nothing includes fails however
# clean the includes are; each names the line at fault.
broken() { # broken SED_SCRIPT WORDS: the small graph edited; WORDS in the message
    clean_tree
    sed -i -E "$1" "$work/src/layers.txt"
    run_check
    if [[ $status -eq 0 || $out != *"$2"* ]]; then
        echo "FAILED: expected '$2' for the graph edited by: $1"
        echo "$out"
        failures=$((failures + 1))
    fi
}
broken 's/^library base:.*/library base: ui/' "base uses ui, which is not on a line below"
broken 's/^library ui: base/library ui: base app/' "ui uses app, which is not on a line below"
broken 's/^library engine: /library engine: nowhere /' "engine uses 'nowhere', which is not a library"
broken 's/^program qt: /program qt: cli /' "qt uses 'cli', which is not a library"
broken 's/^library ui:/library ui/' "cannot read the line 'library ui base'"
broken 's/^library numbers:.*//' "src/numbers/Panel.h: folder 'numbers' has no line"
broken 's/^library engine: base/library engine: ui base/' "engine names ui but includes nothing of it"

# The project's own graph.
declared() { # declared FOLDER: the uses its line of the project's graph names
    sed -nE "s/^(program|library) $1:(.*)$/\\2/p" "$layers" | xargs
}
[[ " $(declared engine) " != *" numbers "* && " $(declared engine) " != *" guidance "* ]] ||
    { echo "FAILED: engine may use numbers or guidance: $(declared engine)"; failures=$((failures + 1)); }
[[ "$(declared cli | tr ' ' '\n' | sort | xargs)" == "app base ui/Platform.h ui/SilentPlatform.h" ]] ||
    { echo "FAILED: cli may use more than app, base and the platform seam: $(declared cli)"; failures=$((failures + 1)); }

((failures == 0)) && echo "check-layers: every form caught"
exit $((failures > 0))
