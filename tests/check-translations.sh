#!/usr/bin/env bash
# Fails when a text the program shows has no English: the window's English catalogue and the
# other parts' gettext catalogue, each brought up to date with the sources in a copy, must hold
# no unfinished translation.
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

scripts/update-catalogue.sh xgettext msgmerge translations/en.po "$work/tolvaney.pot"
msgmerge --quiet --no-fuzzy-matching -o "$work/en.po" translations/en.po "$work/tolvaney.pot"
statistics=$(msgfmt --check --statistics -o /dev/null "$work/en.po" 2>&1)
if [[ $statistics == *untranslated* || $statistics == *fuzzy* ]]; then
    echo "texts without English (translations/en.po): $statistics"
    msgattrib --untranslated "$work/en.po" | grep -A3 '^msgid' || true
    exit 1
fi
echo "every other text has its English: $statistics"
