# Helpers for the end-to-end checks, on top of scripts/lib/wine.sh.

# e2e_begin NAME: a fresh prefix with Tovrane.exe in C:\Tovrane; everything started is stopped
# when the check's subshell ends.
e2e_begin() {
  E2E_PREFIX=$TOVR_WINE/e2e/$1
  new_prefix "$E2E_PREFIX"
  wine_env "$E2E_PREFIX"
  E2E_APP_DIR=$E2E_PREFIX/drive_c/Tovrane
  mkdir -p "$E2E_APP_DIR"
  cp "$TOVR_BUILD/win64/Tovrane.exe" "$E2E_APP_DIR/"
  E2E_EXE='C:\Tovrane\Tovrane.exe'
  trap 'e2e_end' EXIT
}

e2e_end() {
  set +e  # runs as the EXIT trap of a check that ran under set -e
  local pid
  for pid in "${TOVR_STARTED_PIDS[@]}"; do kill "$pid" 2>/dev/null; done
  timeout 20 wineserver -k >/dev/null 2>&1
  TOVR_STARTED_PIDS=()
}

# start_tovrane: the virtual desktop with Tovrane.exe; waits for its main window.
start_tovrane() {
  start_desktop "$E2E_EXE"
  wait_window TKWForm 60 || fail "no TKWForm window within 60 s"
}

fail() { echo "check failed: $*" >&2; exit 1; }

# expect_eq WHAT ACTUAL EXPECTED
expect_eq() { [ "$2" = "$3" ] || fail "$1: got '$2', expected '$3'"; }

# tovrane_running: is a Tovrane.exe process alive in our prefix?
tovrane_running() { pgrep -f '^C:.Tovrane.Tovrane\.exe' >/dev/null; }

# wait_exit SECONDS: waits until the Tovrane process has ended.
wait_exit() {
  local i
  for i in $(seq 1 $(( $1 * 10 ))); do
    tovrane_running || return 0
    sleep 0.1
  done
  return 1
}
