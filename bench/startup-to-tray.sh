#!/usr/bin/env bash
# Start-up to tray icon, under Wine: the time from process start to the icon appearing in the
# notification area, for Tovrane.exe and, side by side, for MinimalTray.exe (a program that
# only adds a tray icon). Prints each run and the median of each. A benchmark, not a test.
#
#   bench/startup-to-tray.sh [RUNS]        (default 9 runs of each, after one warm-up run)
#
# The probe starts the program (CreateProcess) and watches the pixels of the tray's first icon
# place until they change, so both figures include Wine's process start and the shell drawing
# the icon. Tovrane runs as on any later start: Config.ini exists (no first-run greeting).
# Builds nothing: run `cmake --build build/win64` first (Tovrane, MinimalTray, probe).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../scripts/lib/setup.sh"
source "$TOVR_ROOT/scripts/lib/wine.sh"

runs=${1:-9}
for exe in Tovrane MinimalTray probe; do
  [ -f "$TOVR_BUILD/win64/$exe.exe" ] || die "build/win64/$exe.exe is missing: cmake --build build/win64"
done

prefix=$TOVR_WINE/bench-startup
new_prefix "$prefix"
wine_env "$prefix"
app=$prefix/drive_c/Bench
mkdir -p "$app"
cp "$TOVR_BUILD/win64/Tovrane.exe" "$TOVR_BUILD/win64/MinimalTray.exe" "$app/"
printf '[Option]\r\nGreeting=Thank\r\n' >"$app/Config.ini"

unset DISPLAY
start_xvfb
trap 'set +e; stop_all' EXIT  # stop_all must run to its end
# A probe that waits for an hour keeps the desktop up.
start_desktop "$TOVR_BUILD/win64/probe.exe" gone NoSuchWindowClass 3600000

empty=
for _ in $(seq 1 40); do
  now=$(probe trayarea || true)
  [ -n "$now" ] && [ "$now" = "$empty" ] && break
  empty=$now
  sleep 0.25
done
[ -n "$empty" ] || die "no taskbar on the desktop"

wait_empty_tray() {
  local i
  for i in $(seq 1 100); do
    [ "$(probe trayarea)" = "$empty" ] && return 0
    sleep 0.1
  done
  die "the tray did not empty"
}

# one NAME: starts the program, prints the milliseconds to its tray icon, ends it.
one() {
  local ms
  ms=$(probe launch-tray "C:\\Bench\\$1.exe" 30000) || die "$1: $ms"
  case $1 in
    Tovrane) probe send TKWForm 0x11 0 0 >/dev/null ;;    # WM_QUERYENDSESSION: ends, saves nothing
    MinimalTray) probe post MinimalTray 0x10 0 0 ;;       # WM_CLOSE
  esac
  wait_empty_tray
  echo "$ms"
}

median() { sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else printf "%.1f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

one Tovrane >/dev/null
one MinimalTray >/dev/null
tovrane=()
minimal=()
for i in $(seq 1 "$runs"); do
  tovrane+=("$(one Tovrane)")
  minimal+=("$(one MinimalTray)")
  printf 'run %d: Tovrane %s ms, MinimalTray %s ms\n' "$i" "${tovrane[-1]}" "${minimal[-1]}"
done
printf 'median of %d runs: Tovrane.exe %s ms, MinimalTray.exe %s ms (process start to tray icon, Wine)\n' \
  "$runs" "$(printf '%s\n' "${tovrane[@]}" | median)" "$(printf '%s\n' "${minimal[@]}" | median)"
