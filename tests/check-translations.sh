#!/usr/bin/env bash
# Fails when a text the window shows has no English: the English catalogue, brought up to date
# with the window's sources in a copy, must hold no unfinished translation, and build.
# Usage: check-translations.sh LUPDATE LRELEASE
set -euo pipefail
lupdate=$1 lrelease=$2
cd "$(dirname "$0")/.."
work=$(mktemp -d) && trap 'rm -rf "$work"' EXIT
cp translations/tolvaney_en.ts "$work/"
"$lupdate" -silent -no-obsolete -locations none -source-language ja_JP -target-language en \
    -I . ui -ts "$work/tolvaney_en.ts"
"$lrelease" "$work/tolvaney_en.ts" -qm "$work/tolvaney_en.qm" >"$work/log"
if grep -q 'type="unfinished"' "$work/tolvaney_en.ts"; then
    echo "texts of the window without English (translations/tolvaney_en.ts):"
    grep -A1 '<source>' "$work/tolvaney_en.ts" | grep -B1 'type="unfinished"' | grep '<source>'
    exit 1
fi
echo "every text of the window has its English: $(grep -o 'Generated [0-9]*' "$work/log")"
