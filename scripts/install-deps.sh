#!/usr/bin/env bash
# Installs the Debian packages the build needs, but only those that are missing.
# Usage: scripts/install-deps.sh [screenshot] [package] [accessibility] [screenreader] [referee]
#                                [sounds]
#   screenshot: also what it takes to run the window without a monitor (Xvfb and tools)
#   package:    also the checkers of the Debian packages (desktop entry, metainfo, lintian)
#   accessibility: also a virtual screen, the buses and pyatspi, to read the window as a
#               screen reader does
#   screenreader: also Orca, the screen reader, with a window manager, to hear the game as
#               Orca speaks it (its debug log); Orca's recommended packages are not needed
#   referee:    also gtp-rhino, the GTP engine the referee's games are played against
#   sounds:     also sox, to make the game's sounds anew (scripts/make-sounds.sh)
set -euo pipefail

packages=(
    build-essential cmake ninja-build git   # compiler and build
    libgtest-dev libgmock-dev               # unit tests
    clang-format                            # source format check
    clang libclang-rt-14-dev                # fuzzing the parsers with libFuzzer
    qt6-base-dev libgl-dev                  # the windows (Qt 6 Widgets, Test, moc, rcc)
    qt6-tools-dev qt6-l10n-tools            # the windows' translations (lupdate, lrelease)
    gettext                                 # the other texts' catalogue (xgettext, msgfmt)
    qt6-multimedia-dev                      # the game's sounds (Qt Multimedia, QSoundEffect)
    qt6-translations-l10n                   # Qt's own buttons in Japanese
    fonts-ipafont-gothic                    # a Japanese Gothic font for the captions
)
for extra in "$@"; do
    case $extra in
        screenshot) packages+=(xvfb xauth x11-utils xdotool imagemagick) ;;
        package) packages+=(desktop-file-utils appstream lintian) ;;
        accessibility)
            packages+=(xvfb xauth xdotool imagemagick dbus-daemon dbus-bin libglib2.0-bin at-spi2-core
                       python3-pyatspi) ;;
        screenreader)
            packages+=(xvfb xauth xdotool dbus-daemon dbus-bin libglib2.0-bin at-spi2-core orca openbox procps) ;;
        referee) packages+=(grhino) ;;
        sounds) packages+=(sox) ;;
        *) echo "unknown set of packages: $extra" >&2; exit 2 ;;
    esac
done

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [[ $(id -u) -ne 0 ]]; then
    command -v sudo >/dev/null || { echo "Run as root to install ${missing[*]}" >&2; exit 1; }
    sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -q
"${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
