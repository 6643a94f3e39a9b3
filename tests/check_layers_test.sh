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

clean_tree() {
    rm -rf "$work/src"
    mkdir -p "$work/src"/{base,engine,app,qt,cli}
    cp "$layers" "$work/src/layers.txt"
    echo '#pragma once' >"$work/src/base/Low.h"
    echo '#pragma once' >"$work/src/engine/High.h"
    echo '#pragma once' >"$work/src/cli/Verb.h"
    printf '%s\n' '#include "engine/High.h"' '#include "./High.h"' '#include "High.h"' \
        '#include "base/Low.h"' '#include <base/Low.h>' '#include "../base/Low.h"' \
        '#  include   "./../base/Low.h"' '#include <vector>' >"$work/src/engine/High.cpp"
    printf '%s\n' '#include "app/Top.h"' '#include <engine/High.h>' '#include <QWidget>' \
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
expect fail base/Up.cpp '#include <engine/High.h>'
expect fail base/Up.cpp '#include "../engine/High.h"'
expect fail base/Up.cpp '#include "./../engine/High.h"'
expect fail base/Up.cpp '  #  include <base/../engine/High.h>'
expect fail engine/Up.h '#include "../app/Top.h"'
expect fail qt/Up.cpp '#include "../cli/Verb.h"'
expect fail cli/Up.cpp '#include <qt/Window.h>'
expect fail stray/Up.cpp '#include "base/Low.h"'

((failures == 0)) && echo "check-layers: every form caught"
exit $((failures > 0))
