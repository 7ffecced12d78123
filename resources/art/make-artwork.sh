#!/usr/bin/env bash
# Draws Tolvaney's pictures with ImageMagick (convert) and writes them into
# the resources/ folder next to this script's folder:
#
#   KURO.bmp      black disc, 38 x 38, 24-bit BMP
#   SIRO.bmp      white disc, 38 x 38, 24-bit BMP
#   board.png     the empty 8 x 8 board, 322 x 322
#   myCursor.png  32 x 32 hourglass cursor shown while the computer thinks
#   icon.png      64 x 64 application icon
#
# Run it from anywhere:   bash resources/art/make-artwork.sh
# The output is the same on every run (no timestamps are stored).

set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
out="$(cd "$here/.." && pwd)"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# The flat colour of a board square.  The disc bitmaps are drawn over a
# square at its top-left corner, so everything outside the round disc in
# KURO.bmp and SIRO.bmp is exactly this colour and blends into the board.
SQUARE='#1E7A3C'
LINE='#0A2E16'      # grid lines and star points
FRAME='#041A0A'     # outermost row and column of the board picture

# PNG files without date/time chunks so that reruns give identical bytes.
png_opts=(-strip -define "png:exclude-chunks=date,time")

# disc_layer SCHEME SIZE RADIUS FILE
# A shaded round disc on a transparent SIZE x SIZE canvas, centred, drawn
# with the given RADIUS (all in pixels of that canvas).  It is meant to be
# drawn big and scaled down, which gives a clean anti-aliased edge.
# The shading is a soft highlight towards the upper left, a faint fall-off
# towards the lower right, and a darker rim near the edge.
disc_layer() {
    local scheme=$1 size=$2 radius=$3 file=$4
    local base hi rim tilt
    case $scheme in
        black) base=0.07 hi=0.34 rim=0.65 tilt=0.04 ;;
        white) base=0.86 hi=0.16 rim=0.24 tilt=0.07 ;;
        *) echo "unknown disc scheme: $scheme" >&2; return 1 ;;
    esac
    local c
    c=$(awk -v s="$size" 'BEGIN { printf "%.4f", s / 2 }')
    # qx, qy: position relative to the centre in disc radii; qr: distance.
    local pos="qx=(i+0.5-$c)/$radius; qy=(j+0.5-$c)/$radius; qr=hypot(qx,qy);"
    local shade="$pos
        qd=hypot(qx+0.36,qy+0.42);
        qg=exp(-qd*qd/0.20);
        qs=pow(max(0,(qr-0.70)/0.30),2);
        ($base + $hi*qg - $tilt*(qx+qy)/2) * (1 - $rim*qs)"
    local mask="$pos qr<=1"
    # -fx works on the red channel only (three times quicker); -separate
    # then turns that channel into a grey picture.
    convert \
        \( -size "${size}x${size}" xc:gray -channel R -fx "$shade" -separate +channel \) \
        \( -size "${size}x${size}" xc:gray -channel R -fx "$mask" -separate +channel \) \
        -alpha off -compose CopyOpacity -composite \
        "$work/$file"
}

# --- The discs ------------------------------------------------------------
# Drawn eight times larger (304 x 304, radius 140) and box-averaged down to
# 38 x 38: the disc is 35 px across and centred, and every pixel that the
# disc does not reach keeps the exact square colour.
for pair in black:KURO white:SIRO; do
    scheme=${pair%%:*} name=${pair##*:}
    disc_layer "$scheme" 304 140 "disc-$scheme.png"
    convert -size 304x304 "xc:$SQUARE" "$work/disc-$scheme.png" \
        -compose Over -composite -alpha off \
        -scale 38x38 -type TrueColor "BMP3:$out/$name.bmp"
done

# --- The board ------------------------------------------------------------
# Nine grid lines each way, one pixel wide, at 1, 41, ..., 321; the squares'
# insides (2+40k .. 40+40k) are flat SQUARE.  Pixel row and column 0 are a
# darker frame.  Star points as 3 x 3 dots where the lines between the
# second and third, and the sixth and seventh, rows and columns cross.
draw=()
for k in 0 1 2 3 4 5 6 7 8; do
    p=$((1 + 40 * k))
    draw+=(-draw "rectangle $p,0 $p,321" -draw "rectangle 0,$p 321,$p")
done
for p in 81:81 241:81 81:241 241:241; do
    x=${p%%:*} y=${p##*:}
    draw+=(-draw "rectangle $((x - 1)),$((y - 1)) $((x + 1)),$((y + 1))")
done
convert -size 322x322 "xc:$SQUARE" +antialias \
    -fill "$LINE" -stroke none "${draw[@]}" \
    -fill "$FRAME" -draw "rectangle 0,0 0,321" -draw "rectangle 0,0 321,0" \
    -type TrueColor "${png_opts[@]}" "PNG24:$out/board.png"

# --- The "computer is thinking" cursor ------------------------------------
# An hourglass, drawn pixel by pixel so that it stays crisp at 32 x 32:
# black frame bars and glass outline, white glass, black sand running from
# the upper bulb into a heap in the lower one.  A one-pixel white halo (and
# black edges) keeps it readable on light and on dark backgrounds.  The neck
# of the glass sits at the centre, which is the cursor's hotspot (16,16).
#   . transparent   K black   W white
convert xpm:- "${png_opts[@]}" "PNG32:$out/myCursor.png" <<'XPM'
/* XPM */
static char *hourglass[] = {
"32 32 3 1",
". c None",
"K c #000000",
"W c #FFFFFF",
"................................",
"................................",
"....WWWWWWWWWWWWWWWWWWWWWWWW....",
"....WKKKKKKKKKKKKKKKKKKKKKKW....",
"....WKKKKKKKKKKKKKKKKKKKKKKW....",
"....WKKKKKKKKKKKKKKKKKKKKKKW....",
"....WKKKKKKKKKKKKKKKKKKKKKKW....",
"....WWWWKWWWWWWWWWWWWWWKWWWW....",
".......WKWWWWWWWWWWWWWWKW.......",
".......WKWWWWWWWWWWWWWWKW.......",
".......WWKWWWWWWWWWWWWKWW.......",
"........WWKWKKKKKKKKWKWW........",
".........WWKWKKKKKKWKWW.........",
"..........WWKWKKKKWKWW..........",
"...........WWKWKKWKWW...........",
"............WWKKKKWW............",
"............WWKKKKWW............",
"...........WWKWKKWKWW...........",
"..........WWKWWKKWWKWW..........",
".........WWKWWWKKWWWKWW.........",
"........WWKWWWKKKKWWWKWW........",
".......WWKWWKKKKKKKKWWKWW.......",
".......WKWWKKKKKKKKKKWWKW.......",
".......WKWKKKKKKKKKKKKWKW.......",
"....WWWWKKKKKKKKKKKKKKKKWWWW....",
"....WKKKKKKKKKKKKKKKKKKKKKKW....",
"....WKKKKKKKKKKKKKKKKKKKKKKW....",
"....WKKKKKKKKKKKKKKKKKKKKKKW....",
"....WKKKKKKKKKKKKKKKKKKKKKKW....",
"....WWWWWWWWWWWWWWWWWWWWWWWW....",
"................................",
"................................",
};
XPM

# --- The application icon -------------------------------------------------
# A rounded green board with the four discs of the opening position.
# Drawn at 256 x 256 and scaled to 64 x 64.
disc_layer black 120 50 icon-black.png
disc_layer white 120 50 icon-white.png
convert -size 256x256 xc:none \
    -fill "$SQUARE" -stroke "$FRAME" -strokewidth 8 \
    -draw "roundrectangle 6,6 249,249 22,22" \
    -fill "$LINE" -stroke none \
    -draw "rectangle 126,10 129,245" -draw "rectangle 10,126 245,129" \
    "$work/icon-white.png" -geometry +8+8     -compose Over -composite \
    "$work/icon-black.png" -geometry +128+8   -compose Over -composite \
    "$work/icon-black.png" -geometry +8+128   -compose Over -composite \
    "$work/icon-white.png" -geometry +128+128 -compose Over -composite \
    -scale 64x64 "${png_opts[@]}" "PNG32:$out/icon.png"

echo "artwork written to $out"
