#!/usr/bin/env bash
# Defragmenting memory under Wine: the program's defragmenter against a bare loop that
# commits, writes and releases the same 1 MiB blocks, side by side in one run (see
# bench/memory/DefragBench.cpp). A benchmark, not a test.
#
#   bench/defrag-under-wine.sh [MiB] [ROUNDS]      (default 1024 MiB, 7 rounds after a warm-up)
#
# Builds nothing: run `cmake --build build/win64 --target defrag_bench` first.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../scripts/lib/setup.sh"
source "$TOVR_ROOT/scripts/lib/wine.sh"

[ -f "$TOVR_BUILD/win64/defrag_bench.exe" ] || die "build/win64/defrag_bench.exe is missing: cmake --build build/win64"
prefix=$TOVR_WINE/bench-defrag
new_prefix "$prefix"
wine_env "$prefix"
trap 'timeout 20 wineserver -k >/dev/null 2>&1 || true' EXIT
wine "$TOVR_BUILD/win64/defrag_bench.exe" "${1:-1024}" "${2:-7}" | tr -d '\r'
