#!/usr/bin/env bash
# Fails when a module of the program includes a header of a module it may not depend on.
# The modules' dependencies run one way, from the windows and the tools down to the engine
# (docs/architecture.md); the tests and the benchmarks may include anything.
set -euo pipefail
cd "$(dirname "$0")/.."

engine="engine engine/eval engine/search"
# Each module and the modules whose headers its sources may include, besides its own.
declare -A allowed=(
    [catalogue]=""
    [engine]=""
    [engine/eval]="engine"
    [engine/search]="engine engine/eval"
    [learn]="$engine catalogue"
    [results]="$engine catalogue"
    [player]="$engine"
    [advice]="$engine"
    [analysis]="$engine catalogue player advice"
    [protocol]="$engine catalogue player advice analysis"
    # The windows, from the small controls up to the window around the game.
    [ui/controls]="$engine catalogue"
    [ui/game]="$engine catalogue player advice analysis learn results ui/controls"
    [ui/board]="$engine catalogue player advice analysis learn results ui/controls ui/game"
    [ui/help]="$engine catalogue player advice analysis learn results ui/controls ui/game ui/board"
    [ui/shell]="$engine catalogue player advice analysis learn results ui/controls ui/game ui/board ui/help"
    [tools]="$engine catalogue player advice analysis learn results protocol"
)

faults=0
# A folder of sources that is no module here would go unchecked.
while IFS= read -r folder; do
    if [[ -z "${allowed[$folder]+known}" ]]; then
        echo "$folder holds sources but is not among the modules of this check" >&2
        faults=$((faults + 1))
    fi
done < <(find . -path ./tests -prune -o -path ./bench -prune -o -path './build*' -prune -o \
             -path ./.git -prune -o \( -name '*.cpp' -o -name '*.h' \) -printf '%h\n' |
         sed 's#^\./##' | sort -u)
for module in "${!allowed[@]}"; do
    for file in "$module"/*.cpp "$module"/*.h; do
        [[ -f "$file" ]] || continue
        while IFS= read -r header; do
            used=$(dirname "$header")
            [[ "$used" == "." || "$used" == "$module" ]] && continue
            if [[ " ${allowed[$module]} " != *" $used "* ]]; then
                echo "$file includes $header: $module may not depend on $used" >&2
                faults=$((faults + 1))
            fi
        done < <(sed -n 's/^#include "\([^"]*\)".*/\1/p' "$file")
    done
done
if ((faults > 0)); then
    echo "$faults faults in the direction of the modules' dependencies" >&2
    exit 1
fi
echo "every module includes only the modules beneath it"
