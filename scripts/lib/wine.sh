# The Wine harness shared by scripts/run and the end-to-end checks: a private X display, a Wine
# prefix of our own under build/, the virtual desktop, the probe, screenshots and a clean stop.
# Source after setup.sh. Every wait is bounded.

TOVR_WINE=$TOVR_BUILD/wine
TOVR_TEMPLATE_PREFIX=$TOVR_WINE/template
TOVR_DESKTOP_NAME=Tovrane
TOVR_DESKTOP_SIZE=1024x768
TOVR_STARTED_PIDS=()
TOVR_XVFB_PID=
# The command that the harness's Wine runs under: empty, or another Unix user's (as_ordinary_user
# in tests/e2e/lib.sh).
TOVR_AS_USER=()

# wine_env PREFIX: the environment every Wine call of ours runs in.
wine_env() {
  export WINEPREFIX=$1 WINEARCH=win64 WINEDEBUG=-all
  export HOME=$TOVR_WINE/home XDG_CONFIG_HOME=$TOVR_WINE/home/.config XDG_DATA_HOME=$TOVR_WINE/home/.local/share
  export LOCPATH=$TOVR_BUILD/locale
  { export LC_ALL=zh_CN.UTF-8 LANG=zh_CN.UTF-8; } 2>/dev/null
  # No menu entries in the real home, no Mono or Gecko install dialogs.
  export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
  mkdir -p "$HOME"
}

# A prefix made once; tests take copies of it.
ensure_template_prefix() {
  [ -f "$TOVR_TEMPLATE_PREFIX/.tovrane-ready-4" ] && return 0
  rm -rf "$TOVR_TEMPLATE_PREFIX"
  mkdir -p "$TOVR_WINE"
  say "creating the Wine prefix (once)..."
  (
    wine_env "$TOVR_TEMPLATE_PREFIX"
    timeout 180 wineboot -i >/dev/null 2>&1
    # Programs started later from Linux join the virtual desktop only with this key.
    timeout 60 wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d "$TOVR_DESKTOP_NAME" /f >/dev/null 2>&1
    # ...and it shows a taskbar with its notification area only when its shell is enabled.
    timeout 60 wine reg add "HKCU\\Software\\Wine\\Explorer\\Desktops\\$TOVR_DESKTOP_NAME" /v EnableShell \
      /t REG_DWORD /d 1 /f >/dev/null 2>&1
    # A program that crashes ends at once with a backtrace on stderr: no crash dialog that
    # would hold a test run until its time-out.
    timeout 60 wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    timeout 60 wineserver -w
    # Wine draws the title-bar buttons with Marlett, which it finds only in the prefix's Fonts.
    cp /usr/share/wine/fonts/marlett.ttf "$TOVR_TEMPLATE_PREFIX/drive_c/windows/Fonts/" 2>/dev/null
    true
  ) || die "creating the Wine prefix failed"
  touch "$TOVR_TEMPLATE_PREFIX/.tovrane-ready-4"
}

# new_prefix DIR: a fresh copy of the template prefix.
new_prefix() {
  ensure_template_prefix
  rm -rf "$1"
  mkdir -p "$1"
  # The system folders (nearly all of the prefix's 700 MB) are only read: hard-link them;
  # everything Wine may rewrite in place (registry, .ini files, users) is copied.
  (cd "$TOVR_TEMPLATE_PREFIX" && tar cf - --exclude=./drive_c/windows/system32 \
    --exclude=./drive_c/windows/syswow64 --exclude=./drive_c/windows/winsxs .) | (cd "$1" && tar xf -)
  local d
  for d in system32 syswow64 winsxs; do
    [ -d "$TOVR_TEMPLATE_PREFIX/drive_c/windows/$d" ] && cp -al "$TOVR_TEMPLATE_PREFIX/drive_c/windows/$d" "$1/drive_c/windows/"
  done
  return 0
}

# start_xvfb: a private display; sets DISPLAY.
start_xvfb() {
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    TOVR_XVFB_PID=$!
    local i
    for i in $(seq 1 100); do
      [ -e "/tmp/.X11-unix/X$n" ] && { export DISPLAY=":$n"; return 0; }
      kill -0 "$TOVR_XVFB_PID" 2>/dev/null || break
      sleep 0.1
    done
    kill "$TOVR_XVFB_PID" 2>/dev/null
    TOVR_XVFB_PID=
  done
  die "could not start Xvfb"
}

# start_desktop EXE [ARGS...]: the virtual desktop running EXE (a Windows or Unix path).
# Returns once the desktop's window is on the display: a Wine program started from Linux
# before that (a probe) makes Wine start a second desktop process for the same name, and the
# virtual desktop is lost.
# On a loaded machine the first start in a new prefix can stall: the second try starts afresh.
start_desktop() {
  local try
  for try in 1 2; do
    "${TOVR_AS_USER[@]}" wine explorer "/desktop=$TOVR_DESKTOP_NAME,$TOVR_DESKTOP_SIZE" "$@" >>"$TOVR_WINE/wine.log" 2>&1 &
    TOVR_STARTED_PIDS+=($!)
    wait_desktop 60 && return 0
    # Under set -e a failed kill (the process already gone) must not end the caller before the
    # second try.
    kill "${TOVR_STARTED_PIDS[-1]}" 2>/dev/null || true
    timeout 20 "${TOVR_AS_USER[@]}" wineserver -k >/dev/null 2>&1 || true
  done
  return 1
}

# wait_desktop SECONDS: until the virtual desktop's X window exists.
wait_desktop() {
  local i
  for i in $(seq 1 $(( ${1:-60} * 10 ))); do
    if xwininfo -root -children 2>/dev/null | grep -qF "\"$TOVR_DESKTOP_NAME - Wine desktop\""; then
      sleep 0.5
      return 0
    fi
    sleep 0.1
  done
  say "the virtual desktop did not come up"
  return 1
}

# probe ARGS...: runs probe.exe inside the current prefix (and desktop). The yes/no commands
# (wait, gone, press, tooltip, and key, post, click on a window that may be gone) return 1 for
# "no"; any other failure means the probe could not answer, and that ends the caller with fail:
# an unanswered question never reads as an empty answer.
probe() {
  local status=0  # (set -e must not end the caller inside the pipe, before the status is read)
  timeout 30 "${TOVR_AS_USER[@]}" wine "$TOVR_BUILD/win64/probe.exe" "$@" 2>/dev/null | tr -d '\r' ||
    status=${PIPESTATUS[0]}
  [ "$status" -eq 0 ] && return 0
  case "$status:$1" in 1:wait | 1:gone | 1:press | 1:tooltip | 1:key | 1:post | 1:click) return 1 ;; esac
  fail "probe $* could not answer (exit $status)"
}

# fail MESSAGE: the harness's own stop; the end-to-end checks have their own (tests/e2e/lib.sh).
fail() { die "$*"; }

# wait_window CLASS [SECONDS]
wait_window() { probe wait "$1" "$(( ${2:-20} * 1000 ))" >/dev/null; }

screenshot() { import -window root "$1" 2>/dev/null; }

# stop_all: everything this shell started, then our own wineserver and display.
stop_all() {
  local pid
  for pid in "${TOVR_STARTED_PIDS[@]}"; do kill "$pid" 2>/dev/null; done
  [ -n "${WINEPREFIX:-}" ] && timeout 20 "${TOVR_AS_USER[@]}" wineserver -k >/dev/null 2>&1
  for pid in "${TOVR_STARTED_PIDS[@]}"; do wait "$pid" 2>/dev/null; done
  TOVR_STARTED_PIDS=()
  if [ -n "$TOVR_XVFB_PID" ]; then
    kill "$TOVR_XVFB_PID" 2>/dev/null
    wait "$TOVR_XVFB_PID" 2>/dev/null
    TOVR_XVFB_PID=
  fi
}
