#!/usr/bin/env bash
# Draws Tolvaney's pictures with ImageMagick (convert) and writes them into
# the resources/ folder next to this script's folder:
#
#   KURO.bmp      black disc, 38 x 38, 24-bit BMP
#   SIRO.bmp      white disc, 38 x 38, 24-bit BMP
#   board.png     the empty 8 x 8 board, 322 x 322
#   myCursor.png  32 x 32 hourglass cursor shown while the computer thinks
#   icons/tolvaney-N.png  the application icon, N x N for every size the
#                 icon themes use (16 ... 256); the program itself shows
#                 the 64 x 64 one
#
# Each picture the window shows also has a twin drawn at twice the size
# (KURO@2x.bmp, SIRO@2x.bmp, board@2x.png, myCursor@2x.png; the icon's twin
# is its 128 x 128 size) for screens with two device pixels per logical
# pixel.  A twin is the same drawing with every length doubled, so that,
# averaged over 2 x 2 blocks, it gives back its 1x picture.
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
# 38 x 38 (and to 76 x 76 for the twin): the disc is 35 px across (70 in the
# twin) and centred, and every pixel that the disc does not reach keeps the
# exact square colour.
for pair in black:KURO white:SIRO; do
    scheme=${pair%%:*} name=${pair##*:}
    disc_layer "$scheme" 304 140 "disc-$scheme.png"
    convert -size 304x304 "xc:$SQUARE" "$work/disc-$scheme.png" \
        -compose Over -composite -alpha off "$work/disc-$scheme-big.png"
    convert "$work/disc-$scheme-big.png" -scale 38x38 -type TrueColor "BMP3:$out/$name.bmp"
    convert "$work/disc-$scheme-big.png" -scale 76x76 -type TrueColor "BMP3:$out/$name@2x.bmp"
done

# --- The board ------------------------------------------------------------
# Nine grid lines each way, one pixel wide, at 1, 41, ..., 321; the squares'
# insides (2+40k .. 40+40k) are flat SQUARE.  Pixel row and column 0 are a
# darker frame.  Star points as 3 x 3 dots where the lines between the
# second and third, and the sixth and seventh, rows and columns cross.
# board SCALE FILE draws it with every length (lines, frame, dots, squares)
# multiplied by SCALE.
board() {
    local s=$1 file=$2
    local size=$((322 * s)) last=$((322 * s - 1))
    local draw=() k p x y
    for k in 0 1 2 3 4 5 6 7 8; do
        p=$(((1 + 40 * k) * s))
        draw+=(-draw "rectangle $p,0 $((p + s - 1)),$last"
               -draw "rectangle 0,$p $last,$((p + s - 1))")
    done
    for p in 81:81 241:81 81:241 241:241; do
        x=${p%%:*} y=${p##*:}
        draw+=(-draw "rectangle $(((x - 1) * s)),$(((y - 1) * s)) $(((x + 2) * s - 1)),$(((y + 2) * s - 1))")
    done
    convert -size "${size}x${size}" "xc:$SQUARE" +antialias \
        -fill "$LINE" -stroke none "${draw[@]}" \
        -fill "$FRAME" -draw "rectangle 0,0 $((s - 1)),$last" -draw "rectangle 0,0 $last,$((s - 1))" \
        -type TrueColor "${png_opts[@]}" "PNG24:$file"
}
board 1 "$out/board.png"
board 2 "$out/board@2x.png"

# --- The "computer is thinking" cursor ------------------------------------
# An hourglass, drawn pixel by pixel so that it stays crisp at 32 x 32:
# black frame bars and glass outline, white glass, black sand running from
# the upper bulb into a heap in the lower one.  A one-pixel white halo (and
# black edges) keeps it readable on light and on dark backgrounds.  The neck
# of the glass sits at the centre, which is the cursor's hotspot (16,16).
# The twin doubles every pixel (64 x 64, hotspot 32,32): a pixel drawing
# stays crisp that way, where any smoothing would blur its one-pixel halo.
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
convert "$out/myCursor.png" -sample 200% "${png_opts[@]}" "PNG32:$out/myCursor@2x.png"

# --- The application icon -------------------------------------------------
# A rounded green board with the four discs of the opening position.
# Drawn at 256 x 256 and box-averaged to each size of the icon themes.
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
    "$work/icon-256.png"
mkdir -p "$out/icons"
for size in 16 22 24 32 48 64 128 256; do
    convert "$work/icon-256.png" -scale "${size}x${size}" "${png_opts[@]}" \
        "PNG32:$out/icons/tolvaney-$size.png"
done

echo "artwork written to $out"
