#!/usr/bin/env bash
# Draws the info window's pictures with ImageMagick, so that every pixel can be rebuilt and
# reviewed as text. Run it from anywhere; it writes next to itself. Needs ImageMagick 6
# (Debian: imagemagick) with the DejaVu fonts; building the program does not.
#
#   logo.gif          100 x 79   the logo in the top right corner
#   figure_rest.gif    36 x 43   the figure at rest (orange), one transparent colour
#   figure_lit.gif     35 x 43   the same figure highlighted (yellow), one transparent colour
#   form2_icon.png      7 x 7    the window icon, 8-bit palette
#   hand.png           32 x 32   the link's pointing hand, black and white; hot spot 0,0
set -euo pipefail
cd "$(dirname "$0")"
convert=${CONVERT:-convert}
font=DejaVu-Sans-Bold

# Logo: a stack of files feeding a console window, the program's job in one picture.
"$convert" -size 100x79 xc:white \
    -stroke '#404040' -strokewidth 1 \
    -fill '#dfe8f5' -draw 'rectangle 6,14 30,44' \
    -fill '#c7d6ee' -draw 'rectangle 10,10 34,40' \
    -fill '#aac2e8' -draw 'rectangle 14,6 38,36' \
    -stroke '#5577aa' -draw 'line 18,14 34,14' -draw 'line 18,19 34,19' \
    -draw 'line 18,24 30,24' -draw 'line 18,29 32,29' \
    -stroke '#404040' -fill '#1d2a44' -draw 'roundrectangle 50,10 94,44 3,3' \
    -fill '#6a7fa8' -draw 'rectangle 50,10 94,15' \
    -stroke none -fill '#7CFC00' -font "$font" -pointsize 11 -draw "text 54,30 '>_'" \
    -fill '#7CFC00' -draw 'rectangle 54,35 78,36' -draw 'rectangle 54,39 70,40' \
    -stroke '#e06c00' -strokewidth 3 -draw 'line 38,27 44,27' \
    -stroke none -fill '#e06c00' -draw 'polygon 44,22 49,27 44,32' \
    -fill '#1d2a44' -font "$font" -pointsize 13 -draw "text 6,66 'do.bat'" \
    -fill '#e06c00' -draw 'rectangle 6,71 94,73' \
    -type Palette -colors 32 +dither logo.gif

# The figure: a little waving man. Drawn once on magenta, which becomes the transparent colour.
draw_figure() {  # fill outline width output
    "$convert" -size "${3}x43" xc:magenta +antialias -stroke "$2" -strokewidth 1 -fill "$1" \
        -draw 'circle 17,7 17,1' \
        -draw 'roundrectangle 11,14 23,29 3,3' \
        -draw 'polygon 11,16 3,8 1,10 10,21' \
        -draw 'polygon 23,16 31,24 29,26 23,21' \
        -draw 'rectangle 12,29 16,41' -draw 'rectangle 18,29 22,41' \
        -stroke none -fill "$2" -draw 'point 15,6' -draw 'point 19,6' \
        -draw 'line 15,10 19,10' \
        "${@:5}" \
        -type Palette -transparent magenta "$4"
}
draw_figure '#ffe100' '#8a6d00' 35 figure_lit.gif
# The figure at rest is one column wider: it leans on a walking stick.
draw_figure '#ff8c00' '#8a4300' 36 figure_rest.gif -stroke '#5a2c00' -draw 'line 31,24 35,41'

# Window icon: a white "i" on blue.
"$convert" -size 7x7 xc:'#1f4fbf' -fill white \
    -draw 'point 3,1' -draw 'rectangle 3,3 3,5' -draw 'point 2,3' \
    -type Palette -define png:exclude-chunks=date,time PNG8:form2_icon.png

# Pointing hand, finger tip at the top left corner (the hot spot). Black outline, white inside,
# the rest transparent: a monochrome cursor.
"$convert" -size 32x32 xc:none +antialias -stroke black -strokewidth 1 -fill white \
    -draw 'polygon 0,0 5,2 11,8 16,8 21,11 26,15 28,22 24,29 15,29 10,24 4,15 7,12 10,14 2,5' \
    -draw 'line 14,13 20,19' -draw 'line 18,11 23,16' \
    -type PaletteAlpha -define png:exclude-chunks=date,time PNG8:hand.png
