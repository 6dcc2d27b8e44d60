#!/usr/bin/env bash
# Draws the main window's pictures and cursors into this folder with ImageMagick (Debian's
# imagemagick package) and python3. Run it again after changing a drawing; commit its output.
set -euo pipefail
cd "$(dirname "$0")"

# Window and application icon: a disc quartered red, blue, yellow, green on a 32 x 31 image.
convert -size 32x31 xc:none +antialias \
    -fill '#ff0000' -draw 'rectangle 0,0 15,15' -fill '#0000ff' -draw 'rectangle 16,0 31,15' \
    -fill '#ffff00' -draw 'rectangle 16,16 31,30' -fill '#00c000' -draw 'rectangle 0,16 15,30' \
    \( -size 32x31 xc:black -fill white -draw 'ellipse 15.5,15 15,15 0,360' \) \
    -alpha off -compose CopyOpacity -composite \
    -compose Over -fill none -stroke '#202020' -draw 'ellipse 15.5,15 15,15 0,360' \
    -stroke '#202020' -draw 'line 15.5,1 15.5,29' -draw 'line 1,15 30,15' \
    PNG32:window_icon.png
# The hicolor theme wants square icons: the same disc with one transparent row below.
convert window_icon.png -background none -gravity north -extent 32x32 PNG32:dadiRaravor.png
# Windows icon files hold 24-bit colour plus a 1-bit mask; ImageMagick would write 32 bits.
# Qt reads such an icon without its mask (black corners), so the windows take window_icon.png,
# whose transparency is that mask, and only the executable carries the .ico.
convert window_icon.png -depth 8 rgba:- | python3 -c '
import struct, sys
w, h = 32, 31
rgba = sys.stdin.buffer.read()
xor = bytearray(); mask = bytearray()
for y in reversed(range(h)):
    bits = 0
    for x in range(w):
        r, g, b, a = rgba[(y * w + x) * 4:(y * w + x) * 4 + 4]
        opaque = a >= 128
        xor += bytes((b, g, r)) if opaque else b"\0\0\0"
        bits = (bits << 1) | (0 if opaque else 1)
    mask += bits.to_bytes(4, "big")
bmp = struct.pack("<IiiHHIIiiII", 40, w, 2 * h, 1, 24, 0, len(xor) + len(mask), 0, 0, 0, 0)
image = bmp + bytes(xor) + bytes(mask)
sys.stdout.buffer.write(struct.pack("<HHH", 0, 1, 1)
    + struct.pack("<BBBBHHII", w, h, 0, 0, 1, 24, len(image), 22) + image)
' > dadiRaravor.ico

# Expand strip, 107 x 9: a light-grey dotted bar with two small blue downward chevrons.
chevron() { echo "polyline $1,2 $(($1 + 3)),5 $(($1 + 6)),2 polyline $1,3 $(($1 + 3)),6 $(($1 + 6)),3"; }
convert -size 107x9 xc:none +antialias -fill '#c0c0c0' \
    -draw "$(for x in $(seq 0 2 106); do echo "point $x,3 point $((x + 1)),5"; done)" \
    -fill none -stroke '#0000ff' -draw "$(chevron 45) $(chevron 56)" \
    expand_strip.gif

# Close picture, 60 x 58: a red X with a light upper and a dark lower edge, on transparency.
cross() { echo "stroke-width $1 stroke-linecap round line $((8 + $2)),$((8 + $3)) $((51 + $2)),$((49 + $3)) line $((51 + $2)),$((8 + $3)) $((8 + $2)),$((49 + $3))"; }
convert -size 60x58 xc:none +antialias -fill none \
    -stroke '#600000' -draw "$(cross 12 2 2)" -stroke '#ff9090' -draw "$(cross 12 -1 -1)" \
    -stroke '#e00000' -draw "$(cross 11 0 0)" -stroke '#a00000' -draw "$(cross 3 1 1)" \
    -stroke '#ff2020' -draw "$(cross 3 0 0)" \
    close.gif

# Hand cursors, 32 x 32. Black and white, fingertip (hot spot) at 0,0.
convert -size 32x32 xc:none +antialias -fill white -stroke black \
    -draw 'polygon 0,0 4,0 4,8 7,8 8,9 10,9 11,10 13,10 14,11 14,19 12,23 3,23 0,19' \
    -draw 'line 7,9 7,12 line 10,10 10,12' \
    -fill none -stroke black -draw 'line 0,0 0,19' \
    hand_bw.png
# Sixteen colours, fingertip (hot spot) at 12,1.
convert -size 32x32 xc:none +antialias -fill white -stroke black \
    -draw 'polygon 11,1 13,1 14,2 14,9 17,9 18,10 20,10 21,11 23,11 24,12 24,21 22,25 22,29 12,29 12,25 9,22 3,16 3,14 4,13 6,13 9,16 10,16 10,2' \
    -stroke '#808080' -draw 'line 17,10 17,13 line 21,12 21,14 line 23,13 23,21' \
    -stroke black -fill '#000080' -draw 'rectangle 12,26 22,29' \
    -colors 16 PNG8:hand_colour.png
