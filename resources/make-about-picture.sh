#!/usr/bin/env bash
# Draws the About window's backdrop, qzWindowAbout.png (512 x 384): a calm
# night-blue gradient with a few soft rings on the left, the program's name,
# and a darker column at the right (x 323 to 512) where the window's white
# texts and links stand, with a small caption above each of them. Needs
# ImageMagick and the DejaVu fonts; the picture is kept in the repository, so
# building never runs this.
set -euo pipefail
cd "$(dirname "$0")"
font=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
bold=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
convert -size 512x384 gradient:'#1d3557'-'#0b1626' \
  -fill none -stroke 'rgba(168,218,220,0.18)' -strokewidth 2 \
  -draw 'circle 120,250 120,130' -draw 'circle 120,250 120,170' -draw 'circle 120,250 120,210' \
  -stroke 'rgba(168,218,220,0.10)' -draw 'circle 250,330 250,270' \
  -stroke none -fill 'rgba(0,0,0,0.35)' -draw 'rectangle 323,0 512,384' \
  -fill 'rgba(168,218,220,0.55)' -draw 'rectangle 323,0 324,384' \
  -font "$bold" -pointsize 30 -fill '#f1faee' -annotate +28+66 'Quillbarrow' \
  -font "$font" -pointsize 14 -fill 'rgba(241,250,238,0.75)' -annotate +30+92 'Disks made of memory' \
  -font "$font" -pointsize 10 -fill 'rgba(168,218,220,0.85)' \
  -gravity North -annotate +162+54 'Registered to' -annotate +162+139 'Support' -annotate +162+182 'Thanks to' \
  -gravity NorthEast -annotate +11+351 'Web' \
  -strip PNG24:qzWindowAbout.png
