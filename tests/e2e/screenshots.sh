#!/usr/bin/env bash
# Screenshots of the main window on each of its seven pages under Wine: build/screenshots/
# page-0.png (快捷方式) to page-6.png (系统设置). Each page is chosen by a real click on its tab.
# Builds nothing: run `cmake --build build/win64` first. TOVR_DPI=144 takes them at 150 %
# (into build/screenshots/dpi144/).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/lib/setup.sh"
source "$TOVR_ROOT/scripts/lib/wine.sh"
source "$here/lib.sh"

out=$TOVR_BUILD/screenshots${TOVR_DPI:+/dpi$TOVR_DPI}
mkdir -p "$out"
ensure_template_prefix
unset DISPLAY
start_xvfb
e2e_begin screenshots
trap 'e2e_end; stop_all' EXIT
start_tovrane
press_greeting
show_main_window
for page in 0 1 2 3 4 5 6; do
  click_tab "$page"
  sleep 0.7
  window_shot "$out/page-$page.png"
  echo "$out/page-$page.png"
done
