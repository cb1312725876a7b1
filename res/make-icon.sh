#!/bin/sh
# Redraws Tovrane.ico (16, 32 and 48 px): a gold star on a blue rounded square.
cd "$(dirname "$0")" && convert -size 48x48 xc:none -fill '#1f6fd1' -draw 'roundrectangle 1,1 46,46 9,9' \
  -fill '#ffd34d' -draw 'polygon 24,8 28,19 40,19 30,26 34,38 24,31 14,38 18,26 8,19 20,19' \
  -define icon:auto-resize=48,32,16 Tovrane.ico
