#!/usr/bin/env bash
# Start-up to tray icon, under Wine: the time from process start to the icon appearing in the
# notification area, for Tovrane.exe and, side by side, for MinimalTray.exe (a program that
# only adds a tray icon). Prints each run and the median of each. Then what each program costs
# once started, as each reads it from inside itself (the "TovrProcessFigure" message): private
# memory 5 s after its icon appeared, and over the idle minute that follows the CPU time, the
# wake-ups of its message loop, its C++ allocations and the change in heap blocks and private
# memory. Last, what single pieces cost MinimalTray: each library Tovrane loads at start-up that
# MinimalTray does not, and the shell's system image list. A benchmark, not a test.
#
#   bench/startup-to-tray.sh [RUNS] [IDLE_SECONDS]
#                      (default 9 runs of each after one warm-up run; an idle span of 60 s)
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
idle=${2:-60}
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

end_program() {
  case $1 in
    Tovrane) probe send TKWForm 0x11 0 0 >/dev/null ;;    # WM_QUERYENDSESSION: ends, saves nothing
    MinimalTray) probe post MinimalTray 0x10 0 0 ;;       # WM_CLOSE
  esac
  wait_empty_tray
}

# one NAME: starts the program, prints the milliseconds to its tray icon, ends it.
one() {
  local ms
  ms=$(probe launch-tray "C:\\Bench\\$1.exe" 30000) || die "$1: $ms"
  end_program "$1"
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

# figure CLASS N: one of the figures the program reads from inside itself.
figure() { probe send "$1" TovrProcessFigure "$2" 0 | tr -d '\r'; }

# cost NAME CLASS: starts the program, reads its figures after start and over the idle span, ends
# it, and prints one line of them.
cost() {
  probe launch-tray "C:\\Bench\\$1.exe" 30000 >/dev/null || die "$1: no tray icon"
  sleep 5
  local private0 cpu0 wakes0 allocs0 blocks0
  private0=$(figure "$2" 0); cpu0=$(figure "$2" 1); wakes0=$(figure "$2" 2); allocs0=$(figure "$2" 3)
  blocks0=$(figure "$2" 4)
  sleep "$idle"
  printf '%s after start: private %d KiB, heap blocks %d; over %d s idle: CPU %d ms, wake-ups %d, allocations %d, heap blocks %+d, private %+d KiB\n' \
    "$1" $((private0 / 1024)) "$blocks0" "$idle" $(($(figure "$2" 1) - cpu0)) $(($(figure "$2" 2) - wakes0)) \
    $(($(figure "$2" 3) - allocs0)) $(($(figure "$2" 4) - blocks0)) $((($(figure "$2" 0) - private0) / 1024))
  end_program "$1"
}
cost Tovrane TKWForm
cost MinimalTray MinimalTray

# piece ARGS: MinimalTray's private memory with ARGS set up before its window.
piece() {
  probe launch-tray "C:\\Bench\\MinimalTray.exe $1" 30000 >/dev/null || die "MinimalTray $1: no tray icon"
  sleep 3
  printf 'MinimalTray with %s: private %d KiB\n' "$1" $(($(figure MinimalTray 0) / 1024))
  end_program MinimalTray
}
# The system libraries Tovrane.exe imports beyond MinimalTray's (user32, shell32, kernel32, msvcrt).
imports=$(grep -aoiE '(advapi32|comctl32|comdlg32|gdi32|ole32|oleaut32|winhttp|winmm|shlwapi)\.dll' \
  "$app/Tovrane.exe" | tr 'A-Z' 'a-z' | sort -u | tr '\n' ' ')
for one in $imports system-image-list; do piece "$one"; done
piece "$imports"
piece "$imports system-image-list"
