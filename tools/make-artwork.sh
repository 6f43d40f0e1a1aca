#!/usr/bin/env bash
# Draws the program's pictures with ImageMagick into resources/images/. Run it
# by hand when the artwork changes and commit the PNG files; the build only
# embeds them.
#   131.png  48 x 48   "Anterior": pink triangle pointing left on grey
#   132.png  48 x 48   "Siguiente": pink triangle pointing right on grey
#   138.png  64 x 64   the program icon: a pink heart with two small feet
#   139.png  100 x 100 the site button's logo: a pink disc with a white "G"
#   195.png  32 x 16   the calendar's item icons: a check mark (task), a clock
#                      (appointment); pure green is transparent
# and the desktop's icons of the program, the heart of 138.png drawn afresh at
# each size the package installs, and as SVG for the scalable size:
#   icons/hicolor/<N>x<N>/apps/gestalia.png, icons/hicolor/scalable/apps/gestalia.svg
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="$here/resources/images"
mkdir -p "$out"

pink='rgb(238,62,115)'
grey='rgb(192,192,192)'
soft='rgb(253,190,209)'
green='rgb(0,255,0)'
strip=(-strip -define png:exclude-chunks=date,time)

convert -size 48x48 "xc:$grey" -fill "$pink" -stroke "$pink" \
        -draw 'polygon 34,8 34,40 12,24' "${strip[@]}" "PNG24:$out/131.png"
convert -size 48x48 "xc:$grey" -fill "$pink" -stroke "$pink" \
        -draw 'polygon 14,8 14,40 36,24' "${strip[@]}" "PNG24:$out/132.png"

# A heart from two discs and a triangle, with two small feet below it.
convert -size 64x64 xc:none -fill "$pink" -stroke none \
        -draw 'circle 21,22 21,8' -draw 'circle 43,22 43,8' \
        -draw 'polygon 8,28 56,28 32,54' \
        -fill "$soft" -draw 'ellipse 24,58 5,4 0,360' -draw 'ellipse 40,58 5,4 0,360' \
        -fill white -draw 'circle 19,17 19,13' \
        "${strip[@]}" "PNG32:$out/138.png"

convert -size 100x100 xc:white -fill "$pink" -stroke "$soft" -strokewidth 4 \
        -draw 'circle 50,50 50,6' -stroke none -fill white \
        -font DejaVu-Sans-Bold -pointsize 58 -gravity center -annotate +0+2 'G' \
        "${strip[@]}" "PNG24:$out/139.png"

# Task: a dark green check mark; appointment: a clock face with two hands.
convert -size 32x16 "xc:$green" +antialias \
        -stroke 'rgb(0,110,40)' -strokewidth 2 -fill none \
        -draw 'polyline 3,8 6,12 13,3' \
        -stroke 'rgb(40,40,40)' -strokewidth 1 -fill white -draw 'circle 23.5,7.5 23.5,1.5' \
        -stroke "$pink" -draw 'line 23.5,7.5 23.5,3.5' -draw 'line 23.5,7.5 26.5,7.5' \
        "${strip[@]}" "PNG24:$out/195.png"
# The heart, in the 64 x 64 units of 138.png. One list of shapes for both the
# PNG sizes (ImageMagick's drawing language) and the SVG.
heart_mvg() {
  echo "fill '$pink' circle 21,22 21,8 circle 43,22 43,8 polygon 8,28 56,28 32,54"
  echo "fill '$soft' ellipse 24,58 5,4 0,360 ellipse 40,58 5,4 0,360"
  echo "fill white circle 19,17 19,13"
}
icons="$here/resources/icons/hicolor"
for n in 16 24 32 48 64 128 256; do
  mkdir -p "$icons/${n}x${n}/apps"
  scale=$(awk "BEGIN { print $n / 64 }")
  convert -size "${n}x${n}" xc:none -stroke none \
          -draw "scale $scale,$scale $(heart_mvg | tr '\n' ' ')" \
          "${strip[@]}" "PNG32:$icons/${n}x${n}/apps/gestalia.png"
done
mkdir -p "$icons/scalable/apps"
cat > "$icons/scalable/apps/gestalia.svg" <<SVG
<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" width="64" height="64" viewBox="0 0 64 64">
  <g fill="$pink">
    <circle cx="21" cy="22" r="14"/>
    <circle cx="43" cy="22" r="14"/>
    <polygon points="8,28 56,28 32,54"/>
  </g>
  <g fill="$soft">
    <ellipse cx="24" cy="58" rx="5" ry="4"/>
    <ellipse cx="40" cy="58" rx="5" ry="4"/>
  </g>
  <circle cx="19" cy="17" r="4" fill="white"/>
</svg>
SVG
echo "artwork written to $out and $icons"
