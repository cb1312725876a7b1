#!/usr/bin/env bash
# The README's table of figures, from one run on this machine: each figure beside its floor
# measured in the same run. Builds what it needs in Release, runs the native benchmarks, the
# start-up, memory and idle benchmark under Wine and the defragmenter benchmark under Wine, and
# prints a Markdown table (the raw output stays in build/figures/). Takes about 6 minutes.
#
#   bench/figures.sh            (--table: only the table again, from the last run's output)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../scripts/lib/setup.sh"
out=$TOVR_BUILD/figures
if [ "${1:-}" != --table ]; then
  ensure_deps
  build_preset native settings_bench shortcuts_bench startup_bench wallpaper_bench
  build_preset win64 Tovrane MinimalTray probe defrag_bench
  build_preset i686 Tovrane
  mkdir -p "$out"
  for b in settings shortcuts startup wallpaper; do
    "$TOVR_BUILD/native/${b}_bench" --benchmark_color=false --benchmark_repetitions=5 \
      --benchmark_report_aggregates_only=true >"$out/$b.txt" 2>/dev/null
  done
  "$here/startup-to-tray.sh" 9 60 >"$out/tray.txt"
  "$here/defrag-under-wine.sh" 1024 7 >"$out/defrag.txt"
  "$here/exe-parts.sh" >"$out/parts.txt"
fi

# ms FILE BENCHMARK: the median of a native benchmark's repetitions, in milliseconds.
ms() {
  awk -v name="$2_median" '$1 == name {
    t = $2; u = $3
    if (u == "ns") t /= 1e6; else if (u == "us") t /= 1e3; else if (u == "s") t *= 1e3
    printf "%.1f", t }' "$out/$1.txt"
}
# start_of / idle_of NAME LABEL: a figure of the program NAME after its start / over the idle span.
start_of() { grep "^$1 after start" "$out/tray.txt" | cut -d';' -f1 | grep -oE "$2 [-+]?[0-9]+" | grep -oE '[-+]?[0-9]+$'; }
idle_of() { grep "^$1 after start" "$out/tray.txt" | cut -d';' -f2 | grep -oE "$2 [-+]?[0-9]+" | grep -oE '[-+]?[0-9]+$'; }
median_line=$(grep '^median of [0-9]* runs: ' "$out/tray.txt")
tray_tovrane=$(echo "$median_line" | grep -oE 'Tovrane.exe [0-9.]+' | grep -oE '[0-9.]+$')
tray_minimal=$(echo "$median_line" | grep -oE 'MinimalTray.exe [0-9.]+' | grep -oE '[0-9.]+$')
ready_line=$(grep '^median of .* ready:' "$out/tray.txt")
ready_empty=$(echo "$ready_line" | grep -oE 'Tovrane.exe [0-9.]+' | grep -oE '[0-9.]+$')
icon_real=$(echo "$ready_line" | grep -oE 'realistic file icon [0-9.]+' | grep -oE '[0-9.]+$')
ready_real=$(echo "$ready_line" | grep -oE 'ready [0-9.]+ ms$' | grep -oE '[0-9.]+')
attached_real=$(grep '^median of .* icons attached' "$out/tray.txt" | grep -oE '[0-9.]+ ms$' | grep -oE '[0-9.]+')
private_tovrane=$(start_of Tovrane 'private'); private_minimal=$(start_of MinimalTray 'private')
defrag=$(grep '^median of' "$out/defrag.txt")

size() { stat -c %s "$TOVR_BUILD/$1/Tovrane.exe"; }
part() { grep "^$1" "$out/parts.txt" | grep -oE '[0-9]+ bytes' | grep -oE '[0-9]+'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "-" }'; }

cat <<EOF
| Figure | Tovrane | Floor, same run | Ratio |
|---|---|---|---|
| Start-up to tray icon under Wine, median of 9 | $tray_tovrane ms | $tray_minimal ms (MinimalTray) | $(ratio "$tray_tovrane" "$tray_minimal") |
| Start-up to ready (start-up sequence ended) | $ready_empty ms | $tray_minimal ms (MinimalTray's icon) | $(ratio "$ready_empty" "$tray_minimal") |
| With the realistic Config.ini: tray icon / ready | $icon_real / $ready_real ms | $tray_minimal ms (MinimalTray's icon) | $(ratio "$icon_real" "$tray_minimal") / $(ratio "$ready_real" "$tray_minimal") |
| With the realistic Config.ini: icons attached (the first idle moment's work done) | $attached_real ms | $tray_minimal ms (MinimalTray's icon) | $(ratio "$attached_real" "$tray_minimal") |
| Private memory 5 s after the tray icon (realistic Config.ini) | $private_tovrane KiB | $private_minimal KiB (MinimalTray) | $(ratio "$private_tovrane" "$private_minimal") |
| Idle minute: CPU time | $(idle_of Tovrane 'CPU') ms | $(idle_of MinimalTray 'CPU') ms | |
| Idle minute: message-loop wake-ups | $(idle_of Tovrane 'wake-ups') | $(idle_of MinimalTray 'wake-ups') | |
| Idle minute: C++ allocations | $(idle_of Tovrane 'allocations') | $(idle_of MinimalTray 'allocations') | |
| Idle minute: change in heap blocks, private memory | $(idle_of Tovrane 'heap blocks'), $(idle_of Tovrane 'private') KiB | $(idle_of MinimalTray 'heap blocks'), $(idle_of MinimalTray 'private') KiB | |
| Exe size, x64 / x86 (Release, stripped) | $(size win64) / $(size i686) bytes | | |
| x64 exe's parts: ours / libjpeg / libstdc++ / runtime | $(part 'our code') / $(part libjpeg) / $(part 'libstdc++') / $(part runtime) bytes | | |
| Settings file: load a section of 10,000 keys | $(ms settings BM_LoadSection) ms | $(ms settings BM_GbkDecodeAlone) ms (the file's text from GBK alone) | $(ratio "$(ms settings BM_LoadSection)" "$(ms settings BM_GbkDecodeAlone)") |
| Settings file: save a section of 10,000 keys | $(ms settings BM_SaveSection) ms | $(ms settings BM_GbkEncodeAlone) ms (the file's text to GBK alone) | $(ratio "$(ms settings BM_SaveSection)" "$(ms settings BM_GbkEncodeAlone)") |
| Shortcuts: load and sort 10,000 | $(ms shortcuts BM_LoadAndSort) ms | $(ms shortcuts BM_PortQueriesAlone) ms (the ports' queries alone) | $(ratio "$(ms shortcuts BM_LoadAndSort)" "$(ms shortcuts BM_PortQueriesAlone)") |
| Shortcuts: save 10,000 | $(ms shortcuts BM_Save) ms | | |
| Startup manager: load 1,000 values of six keys and 100 folder shortcuts | $(ms startup BM_Load) ms | $(ms startup BM_PortsAlone) ms (the ports alone) | $(ratio "$(ms startup BM_Load)" "$(ms startup BM_PortsAlone)") |
| Startup manager: apply with all 1,100 switched | $(ms startup BM_ApplyAllMoved) ms | $(ms startup BM_RegistryMovesAlone) ms (the registry writes alone) | $(ratio "$(ms startup BM_ApplyAllMoved)" "$(ms startup BM_RegistryMovesAlone)") |
| Wallpaper: add a folder of 10,000 pictures | $(ms wallpaper BM_AddFolderOf10000) ms | $(ms wallpaper BM_FolderListingAlone) ms (the folder listing alone) | $(ratio "$(ms wallpaper BM_AddFolderOf10000)" "$(ms wallpaper BM_FolderListingAlone)") |
| Wallpaper: save a list of 10,000 | $(ms wallpaper BM_SaveListOf10000) ms | | |
| Wallpaper: preview of a 6000 x 4000 JPEG | $(ms wallpaper BM_JpegPreviewInTheBox) ms | $(ms wallpaper BM_JpegFullSizeDecode) ms (a full-size decode: a reference, not a floor) | $(ratio "$(ms wallpaper BM_JpegPreviewInTheBox)" "$(ms wallpaper BM_JpegFullSizeDecode)") |
| Defragment 1,024 MiB under Wine, median of 7 | $(echo "$defrag" | grep -oE 'defragmenter [0-9.]+' | grep -oE '[0-9.]+$') ms | $(echo "$defrag" | grep -oE 'bare loop [0-9.]+' | grep -oE '[0-9.]+$') ms (bare loop) | $(echo "$defrag" | grep -oE 'ratio [0-9.]+' | grep -oE '[0-9.]+$') |
EOF
