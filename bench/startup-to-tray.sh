#!/usr/bin/env bash
# Start-up to tray icon, under Wine: the time from process start to the icon appearing in the
# notification area, for Tovrane.exe and, side by side, for MinimalTray.exe (a program that
# only adds a tray icon); and Tovrane's time to ready (its start-up sequence ended: every tray
# entry built, the settings applied) and to its icons attached (the system image list and the
# shortcut entries' icons, which start-up leaves to its first idle moment), which it reports
# itself. Tovrane runs with a Config.ini
# that holds only the greeting's key, and with bench/startup/realistic.ini (40 shortcuts, 30
# pictures, the timers on: a month of use). Prints each run and the medians. Then what each program costs
# (Tovrane with the realistic file)
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
# The two settings files, and what the realistic one names: programs (with icons), folders and
# pictures. Its share does not answer.
empty_config=$(printf '[Option]\r\nGreeting=Thank\r\n')
realistic_config=$prefix/realistic.ini
grep -v '^;' "$here/startup/realistic.ini" | sed 's/$/\r/' | iconv -f utf-8 -t gbk >"$realistic_config"
mkdir -p "$prefix/drive_c/Apps" "$prefix/drive_c/Pics"
for i in $(seq -w 1 20); do cp "$TOVR_BUILD/win64/MinimalTray.exe" "$prefix/drive_c/Apps/程序$i.exe"; done
for i in $(seq -w 1 8); do mkdir -p "$prefix/drive_c/Data/文件夹$i"; done
for i in $(seq -w 1 30); do
  convert -size 320x200 "gradient:blue-gold" -swirl $((10#$i * 12)) "$prefix/drive_c/Pics/$i.jpg"
done
use_config() { if [ "$1" = empty ]; then printf '%s' "$empty_config" >"$app/Config.ini"; else cp "$realistic_config" "$app/Config.ini"; fi; }
use_config empty

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

# figure CLASS N: one of the figures the program reads from inside itself.
figure() { probe send "$1" TovrProcessFigure "$2" 0 | tr -d '\r'; }

# one NAME [CONFIG]: starts the program, prints the milliseconds to its tray icon (and for
# Tovrane, with CONFIG, then to ready and to its icons attached), ends it.
one() {
  local ms ready= icons=
  [ -z "${2:-}" ] || use_config "$2"
  ms=$(probe launch-tray "C:\\Bench\\$1.exe" 30000) || die "$1: $ms"
  if [ "$1" = Tovrane ]; then
    for _ in $(seq 1 300); do
      ready=$(figure TKWForm 5)
      icons=$(figure TKWForm 6)
      [ "${icons:--1}" -ge 0 ] && break
      sleep 0.1
    done
    [ "${icons:--1}" -ge 0 ] || die "Tovrane's icons were not attached within 30 s"
  fi
  end_program "$1"
  echo "$ms $ready $icons"
}

median() { sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else printf "%.1f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

one Tovrane empty >/dev/null
one Tovrane realistic >/dev/null
one MinimalTray >/dev/null
icon=() ready=() icon_real=() ready_real=() attached_real=() minimal=()
for i in $(seq 1 "$runs"); do
  read -r a b _ <<<"$(one Tovrane empty)"; icon+=("$a"); ready+=("$b")
  read -r a b c <<<"$(one Tovrane realistic)"; icon_real+=("$a"); ready_real+=("$b"); attached_real+=("$c")
  read -r a _ <<<"$(one MinimalTray)"; minimal+=("$a")
  printf 'run %d: Tovrane icon %s ms, ready %s ms; with the realistic file icon %s ms, ready %s ms, icons attached %s ms; MinimalTray %s ms\n' \
    "$i" "${icon[-1]}" "${ready[-1]}" "${icon_real[-1]}" "${ready_real[-1]}" "${attached_real[-1]}" "${minimal[-1]}"
done
m() { printf '%s\n' "$@" | median; }
printf 'median of %d runs: Tovrane.exe %s ms, MinimalTray.exe %s ms (process start to tray icon, Wine)\n' \
  "$runs" "$(m "${icon[@]}")" "$(m "${minimal[@]}")"
printf 'median of %d runs, ready: Tovrane.exe %s ms; with the realistic file icon %s ms, ready %s ms\n' \
  "$runs" "$(m "${ready[@]}")" "$(m "${icon_real[@]}")" "$(m "${ready_real[@]}")"
printf 'median of %d runs, icons attached with the realistic file: %s ms\n' "$runs" "$(m "${attached_real[@]}")"

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
# One more start with the realistic file: where the time to ready goes, step by step of the
# start-up sequence (the steps Tovrane marks; what comes before step 1 is the process's start,
# the main window and the tray icon). Steps under 1 ms are summed into the last line.
use_config realistic
probe launch-tray "C:\\Bench\\Tovrane.exe" 30000 >/dev/null || die "Tovrane: no tray icon"
for _ in $(seq 1 300); do
  ready=$(figure TKWForm 5)
  [ "${ready:--1}" -ge 0 ] && break
  sleep 0.1
done
marks=()
for n in $(seq 1 28); do marks+=("$(figure TKWForm $((100 + n)))"); done
marks+=("$((ready * 1000))")
end_program Tovrane
awk -v ready="$ready" -v marks="${marks[*]}" 'BEGIN {
  n = split(marks, t, " ")
  printf "start-up steps with the realistic file (ready at %d ms):\n", ready
  printf "  before step 1 (process start, main window, tray icon): %.1f ms (%d %%)\n", t[1] / 1000, t[1] / 10 / ready
  for (i = 1; i < n; i++) {
    d = (t[i + 1] - t[i]) / 1000
    if (d >= 1) printf "  step %d: %.1f ms (%d %%)\n", i, d, d * 100 / ready
    else small += d
  }
  printf "  the other steps together: %.1f ms\n", small
}'

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
