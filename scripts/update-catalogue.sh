#!/usr/bin/env bash
# Gathers the texts marked Tr(), N_() and NC_() in the parts of the program without the windowing
# toolkit into the English catalogue, keeping the translations it has; a new text comes in
# untranslated, for a translator to fill in.
# Usage: update-catalogue.sh XGETTEXT MSGMERGE PO [TEMPLATE_OUT]
set -euo pipefail
xgettext=$1 msgmerge=$2 po=$3 template=${4:-}
cd "$(dirname "$0")/.."
work=$(mktemp -d) && trap 'rm -rf "$work"' EXIT
mapfile -t sources < <(find catalogue engine learn results player advice analysis protocol tools \
                            -name '*.cpp' -o -name '*.h' | sort)
"$xgettext" --from-code=UTF-8 --language=C++ --keyword=Tr --keyword=N_ --keyword=NC_:1c,2 --no-location \
    --sort-output --package-name=tolvaney -o "$work/tolvaney.pot" "${sources[@]}"
if [[ -n $template ]]; then
    cp "$work/tolvaney.pot" "$template"
    exit 0
fi
if [[ -f $po ]]; then
    "$msgmerge" --quiet --no-fuzzy-matching --no-location --sort-output -U --backup=none \
        "$po" "$work/tolvaney.pot"
else
    sed -e 's/^"Content-Type: text\/plain; charset=CHARSET\\n"$/"Content-Type: text\/plain; charset=UTF-8\\n"/' \
        -e 's/^"Language: \\n"$/"Language: en\\n"/' "$work/tolvaney.pot" >"$po"
fi
