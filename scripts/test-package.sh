#!/usr/bin/env bash
# Checks the Debian packages as a person installing them meets them: builds them from a build
# folder with CPack, compares their file lists with what they must hold, validates the desktop
# entry and the metainfo and runs lintian; then installs both packages with apt, starts the
# installed game on Qt's offscreen platform until its main window is painted, runs an
# installed tool from an unrelated folder, and removes the packages again together with
# everything apt brought in for them, also when a step fails.
# Usage: scripts/test-package.sh [BUILD_FOLDER]   (default: build; as root, or with sudo)
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
scripts/install-deps.sh package

sudo_cmd=()
[[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo)
# apt as this script uses it: no questions, and waiting for another apt to finish.
apt=("${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -q -o DPkg::Lock::Timeout=300)
work=$(mktemp -d)
installed_packages() { dpkg-query -W -f='${binary:Package}\n' | sort; }
installedBefore="$work/installed-before" installedAfter="$work/installed-after"
installed_packages >"$installedBefore"

# Puts the machine back as it was: the two packages and whatever apt installed with them go.
# The lists are taken right before and after the installation, so that packages another
# user installs meanwhile on a shared machine stay.
installing=
restore() {
    local status=$?
    local added=()
    if [[ -n "$installing" ]]; then
        [[ -f "$installedAfter" ]] || installed_packages >"$installedAfter"
        mapfile -t added < <(comm -13 "$installedBefore" "$installedAfter")
        if [[ ${#added[@]} -gt 0 ]]; then
            echo "removing: ${added[*]}"
            "${apt[@]}" purge -y "${added[@]}" >/dev/null
        fi
    fi
    rm -rf "$work"
    exit "$status"
}
trap restore EXIT

fail() {
    echo "package check failed: $*" >&2
    exit 1
}

for package in tolvaney tolvaney-tools; do
    if grep -qx "$package" "$installedBefore"; then
        fail "$package is installed on this machine; remove it first (apt-get purge $package)"
    fi
done

echo "--- building the packages"
rm -f "$build"/packages/*.deb
cpack --config "$build/CPackConfig.cmake" >"$work/cpack.log" || { cat "$work/cpack.log"; fail cpack; }
game_deb=$(echo "$build"/packages/tolvaney_*.deb)
tools_deb=$(echo "$build"/packages/tolvaney-tools_*.deb)
[[ -f "$game_deb" && -f "$tools_deb" ]] || fail "cpack made no tolvaney and tolvaney-tools packages"

echo "--- file lists"
# The files of a package, without folders, one path a line.
files_of() { dpkg-deb -c "$1" | awk '$1 !~ /^d/ { sub(/^\.\//, "", $6); print $6 }' | sort; }
{
    echo usr/games/tolvaney
    echo usr/share/applications/tolvaney.desktop
    echo usr/share/metainfo/io.github.tolvaney.tolvaney.metainfo.xml
    echo usr/share/man/man6/tolvaney.6.gz
    for size in 16 22 24 32 48 64 128 256; do
        echo "usr/share/icons/hicolor/${size}x$size/apps/tolvaney.png"
    done
    echo usr/share/doc/tolvaney/copyright
    echo usr/share/doc/tolvaney/changelog.gz
} | sort >"$work/game.expected"
{
    # Every program built in tools/, with its manual page.
    find "$build/tools" -maxdepth 1 -type f -executable -printf '%f\n' | while read -r program; do
        echo "usr/bin/$program"
        echo "usr/share/man/man1/$program.1.gz"
    done
    for file in TEISEKI ADVICE.dat TEXTDATA1 TEXTDATA2 TEXTDATA3 TEXTDATA4 TEXTDATA5 TEXTDATA6; do
        echo "usr/share/tolvaney/$file"
    done
    echo usr/share/doc/tolvaney-tools/copyright
    echo usr/share/doc/tolvaney-tools/changelog.gz
} | sort >"$work/tools.expected"
for pair in "game:$game_deb" "tools:$tools_deb"; do
    name=${pair%%:*} deb=${pair#*:}
    files_of "$deb" | tee "$work/$name.files"
    diff -u "$work/$name.expected" "$work/$name.files" || fail "the files of $(basename "$deb")"
done

echo "--- validators"
dpkg-deb -x "$game_deb" "$work/game"
desktop-file-validate "$work/game/usr/share/applications/tolvaney.desktop" || fail desktop-file-validate
appstreamcli validate --no-net "$work"/game/usr/share/metainfo/*.metainfo.xml || fail appstreamcli
# Errors fail the check, and so does any remark on the manual pages (a program without one, a
# page man reads with complaints, a bad NAME line ...); the other warnings and notes are shown.
lintian --display-info --fail-on error "$game_deb" "$tools_deb" | tee "$work/lintian.log" ||
    fail lintian
if grep -E '^[A-Z]: tolvaney(-tools)?( [a-z]+)?: [^ ]*(manual|manpage|whatis|groff)' \
    "$work/lintian.log"; then
    fail "lintian's remarks on the manual pages above"
fi

echo "--- installing"
install_packages() { "${apt[@]}" install -y "$game_deb" "$tools_deb"; }
# apt needs the archive's package lists for the dependencies; fetch them if the first try
# found none.
installed_packages >"$installedBefore"
installing=yes
install_packages || { "${apt[@]}" update && install_packages; } ||
    fail "apt-get install"
installed_packages >"$installedAfter"

echo "--- the installed game"
mkdir "$work/run"
# The offscreen platform draws into memory; Qt's painting log shows the window (628 wide:
# the 628 x 350 client area under its menu bar) being flushed, which it is only once shown.
(cd "$work/run" &&
    QT_QPA_PLATFORM=offscreen QT_LOGGING_RULES='qt.widgets.painting=true' \
        timeout 5 /usr/games/tolvaney >"$work/game.log" 2>&1) && status=0 || status=$?
[[ $status -eq 124 ]] || { cat "$work/game.log"; fail "the game ended early (exit status $status)"; }
grep -Eq 'Flushing QRegion\(0,0 628x3[5-9][0-9]\) of TMainWindow' "$work/game.log" ||
    { tail -20 "$work/game.log"; fail "the main window was not painted"; }
[[ -f "$work/run/成績.dat" ]] || fail "the game wrote no results file where it was started"
echo "the main window came up; 成績.dat was written in the folder the game was started from"
# Started as the menu entry starts it, the game keeps its results in the user's data folder.
grep -qx 'Exec=tolvaney --from-menu' "$work/game/usr/share/applications/tolvaney.desktop" ||
    fail "the menu entry does not start the game with --from-menu"
(cd "$work/run" &&
    HOME="$work/home" XDG_DATA_HOME='' QT_QPA_PLATFORM=offscreen \
        timeout 5 /usr/games/tolvaney --from-menu >"$work/menu.log" 2>&1) && status=0 || status=$?
[[ $status -eq 124 ]] || { cat "$work/menu.log"; fail "the game started as from the menu ended early"; }
[[ -f "$work/home/.local/share/tolvaney/成績.dat" ]] ||
    fail "the game started as from the menu wrote no results file in ~/.local/share/tolvaney"
echo "started as from the menu, it keeps 成績.dat in ~/.local/share/tolvaney"

echo "--- the installed tools"
printf 'f5f6e6d6c5\r\n' >"$work/run/record.txt"
# The tools were built here and know this checkout's resources folder; hidden behind an empty
# folder, a tool can only read the tables and the book its package installed.
hiding_resources() {
    if unshare --mount true 2>/dev/null; then
        "${sudo_cmd[@]}" unshare --mount --propagation private sh -c \
            "mount -t tmpfs tmpfs '$PWD/resources' && $1" _ "$work/run"
    else
        echo "(cannot hide the resources folder here; the tool may read it instead)"
        sh -c "$1" _ "$work/run"
    fi
}
hiding_resources 'cd "$1" && /usr/bin/tolvaney-learn record.txt' || fail "tolvaney-learn"
[[ -f "$work/run/学習_6.dat" ]] || fail "tolvaney-learn wrote no tables"
# The engine starts only with its tables and book read; it answers black's f5 with f6.
hiding_resources 'printf "boardsize 8\nclear_board\nplay black f5\ngenmove white\nquit\n" |
    /usr/bin/tolvaney-engine --gtp --level 4 --type C >"$1/engine.log"' || fail "tolvaney-engine"
grep -qx '= F6' "$work/run/engine.log" || { cat "$work/run/engine.log"; fail "tolvaney-engine's move"; }
echo "tolvaney-learn and tolvaney-engine read the data their package installed"

echo "package check passed"
