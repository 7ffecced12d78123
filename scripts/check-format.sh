#!/usr/bin/env bash
# Fails when a C++ source of the project is not formatted with the project's .clang-format.
set -euo pipefail
clang_format=${1:-clang-format}
cd "$(dirname "$0")/.."
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    mapfile -t files < <(git ls-files --cached --others --exclude-standard -- '*.cpp' '*.h')
else
    mapfile -t files < <(find engine player advice analysis protocol results ui learn tests bench tools -name '*.cpp' -o -name '*.h' 2>/dev/null)
fi
existing=()
for f in "${files[@]}"; do [[ -f "$f" ]] && existing+=("$f"); done
[[ ${#existing[@]} -eq 0 ]] && exit 0
"$clang_format" --dry-run --Werror "${existing[@]}"
