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
  # TOVR_DPI: the screen's DPI for this check.
  [ -z "${TOVR_DPI:-}" ] || set_screen_dpi "$TOVR_DPI"
}

# set_screen_dpi DPI: the screen's DPI for the rest of the check (LogPixels; 96 = 100 %), taken
# when the prefix's server starts afresh: call it before anything runs.
set_screen_dpi() {
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
  wineserver -w
}

e2e_end() {
  set +e  # runs as the EXIT trap of a check that ran under set -e
  local pid
  for pid in "${TOVR_STARTED_PIDS[@]}"; do kill "$pid" 2>/dev/null; done
  timeout 20 "${TOVR_AS_USER[@]}" wineserver -k >/dev/null 2>&1
  TOVR_STARTED_PIDS=()
}

# as_ordinary_user: from here on this check's Wine runs as an ordinary Unix user (added once),
# for whom Wine refuses what the file permissions refuse, as Windows refuses it to a user
# without administrator rights. The prefix becomes a whole copy of the template owned by that
# user (no links into root's files), with a home of its own; Tovrane.exe moves to
# C:\Program Files\Tovrane, a folder root owns. Call it first in the check.
TOVR_WINE_USER=tovrane-e2e
as_ordinary_user() {
  id "$TOVR_WINE_USER" >/dev/null 2>&1 ||
    as_root useradd -M -d /nonexistent -s /usr/sbin/nologin "$TOVR_WINE_USER" || fail "cannot add $TOVR_WINE_USER"
  timeout 20 wineserver -k >/dev/null 2>&1 || true  # root's server of the prefix, if one runs
  rm -rf "$E2E_PREFIX" "$E2E_PREFIX-home"
  cp -a "$TOVR_TEMPLATE_PREFIX" "$E2E_PREFIX" && rm -f "$E2E_PREFIX/wineserver" && mkdir -p "$E2E_PREFIX-home" &&
    as_root chown -R "$TOVR_WINE_USER:" "$E2E_PREFIX" "$E2E_PREFIX-home" || fail "cannot make the user's prefix"
  export HOME=$E2E_PREFIX-home XDG_CONFIG_HOME=$E2E_PREFIX-home/.config XDG_DATA_HOME=$E2E_PREFIX-home/.local/share
  E2E_APP_DIR="$E2E_PREFIX/drive_c/Program Files/Tovrane"
  as_root install -d -o root -g root -m 755 "$E2E_APP_DIR" &&
    as_root install -o root -g root -m 755 "$TOVR_BUILD/win64/Tovrane.exe" "$E2E_APP_DIR/" || fail "cannot install"
  E2E_EXE='C:\Program Files\Tovrane\Tovrane.exe'
  TOVR_AS_USER=(runuser -u "$TOVR_WINE_USER" -- env "HOME=$HOME")
  [ "$(id -u)" = 0 ] || TOVR_AS_USER=(sudo -n -E "${TOVR_AS_USER[@]}")
}

# start_tovrane: the virtual desktop, its empty tray remembered in EMPTY_TRAY (a fingerprint of
# the first icon's place), then Tovrane.exe started into it as the shell would start it; waits
# for its main window.
start_tovrane() {
  start_empty_desktop
  launch_tovrane
}

# launch_tovrane: Tovrane.exe into the running desktop; waits for its main window.
launch_tovrane() {
  "${TOVR_AS_USER[@]}" wine "$E2E_EXE" >>"$TOVR_WINE/wine.log" 2>&1 &
  TOVR_STARTED_PIDS+=($!)
  wait_window TKWForm 60 || fail "no TKWForm window within 60 s"
}

# tray_shows_icon / tray_is_empty: the first tray icon place differs from / equals the empty
# tray. Waits up to 5 s for it.
tray_shows_icon() {
  local i
  for i in $(seq 1 20); do
    [ "$(probe trayarea)" != "$EMPTY_TRAY" ] && return 0
    sleep 0.25
  done
  return 1
}
tray_is_empty() {
  local i
  for i in $(seq 1 20); do
    [ "$(probe trayarea)" = "$EMPTY_TRAY" ] && return 0
    sleep 0.25
  done
  return 1
}

# fail MESSAGE: ends the check from wherever it is called. A command substitution or a pipeline
# runs in a subshell of its own, so the check's own shell (E2E_CHECK_PID) is stopped too; the
# message also goes to E2E_FAILED, which makes the runner count the check as failed whatever
# status it ends with.
fail() {
  echo "check failed: $*" >&2
  [ -z "${E2E_FAILED:-}" ] || echo "$*" >>"$E2E_FAILED"
  [ -z "${E2E_CHECK_PID:-}" ] || [ "$BASHPID" = "$E2E_CHECK_PID" ] || kill -TERM "$E2E_CHECK_PID" 2>/dev/null
  exit 1
}

# expect_eq WHAT ACTUAL EXPECTED
expect_eq() { [ "$2" = "$3" ] || fail "$1: got '$2', expected '$3'"; }

# tovrane_pids: the Tovrane.exe processes of our prefix (other prefixes may run their own).
tovrane_pids() {
  local pid
  for pid in $(pgrep -f '^C:.Tovrane.Tovrane\.exe'); do
    tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && echo "$pid"
  done
  return 0
}

# tovrane_running: is a Tovrane.exe process alive in our prefix?
tovrane_running() { [ -n "$(tovrane_pids)" ]; }

# wait_exit SECONDS: waits until the Tovrane process has ended.
wait_exit() {
  local i
  for i in $(seq 1 $(( $1 * 10 ))); do
    tovrane_running || return 0
    sleep 0.1
  done
  return 1
}

# ---- The program as a user meets it --------------------------------------------------------

# start_second_tovrane: another Tovrane.exe in the running desktop (no wait).
start_second_tovrane() {
  "${TOVR_AS_USER[@]}" wine "$E2E_EXE" >>"$TOVR_WINE/wine.log" 2>&1 &
  TOVR_STARTED_PIDS+=($!)
}

# config_text: Config.ini as UTF-8 text with "\n" line ends.
config_text() { iconv -f gbk -t utf-8 "$E2E_APP_DIR/Config.ini" | tr -d '\r'; }

# config_value KEY: the value of KEY in [Option] (keys compare without regard to case).
config_value() {
  config_text | awk -F= -v k="$(echo "$1" | tr 'A-Z' 'a-z')" '
    /^\[/ { inopt = tolower($0) == "[option]" }
    inopt && tolower($1) == k { sub(/^[^=]*=/, ""); print; exit }'
}

# reg_value KEY NAME: "TYPE DATA" of a registry value ("REG_SZ text", "REG_DWORD 0x7"), ""
# when the value or its key is missing; reg_data KEY NAME: its data alone; run_value NAME: the
# data of a value of HKLM's Run key. A registry that cannot be asked ends the check.
reg_value() { probe reg "$1" "$2"; }
reg_data() { reg_value "$1" "$2" | sed 's/^[^ ]* //'; }
run_value() { reg_data 'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Run' "$1"; }

# The system's own texts on its buttons and dialogs, in the language of the region the check
# runs in (Tovrane's own texts are Chinese in every region).
SYSTEM_OK=确定 SYSTEM_CANCEL=取消 SYSTEM_FOLDER_CHOOSER=选择文件夹

# press_greeting: the first-run greeting is showing; press its button.
press_greeting() {
  probe press 欢迎使用Tovrane "$SYSTEM_OK" 20000 >/dev/null || fail "no greeting box"
}

# wait_config: Config.ini exists (start-up step 20 writes it on a first run).
wait_config() {
  local i
  for i in $(seq 1 100); do
    [ -f "$E2E_APP_DIR/Config.ini" ] && return 0
    sleep 0.1
  done
  return 1
}

# window_state CLASS: "visible" or "hidden" of the first top-level window of CLASS.
window_state() { probe windows "$1" | head -n 1 | cut -f4; }

# wait_state CLASS STATE [SECONDS]
wait_state() {
  local i
  for i in $(seq 1 $(( ${3:-10} * 4 ))); do
    [ "$(window_state "$1")" = "$2" ] && return 0
    sleep 0.25
  done
  return 1
}

# show_main_window: the show request a second instance sends (message 2024).
show_main_window() {
  probe post TKWForm 2024 0 0 || fail "cannot post the show request"
  wait_state TKWForm visible 10 || fail "the main window did not show"
  sleep 0.5
}

# control_id CAPTION: the command id of the main window's control with this caption ("" if none).
control_id() { probe children TKWForm | awk -F'\t' -v c="$1" '$4 == c { print $2; exit }'; }

# click_control CAPTION: a click (BM_CLICK) on the main window's control with this caption.
click_control() {
  local id
  id=$(control_id "$1")
  [ -n "$id" ] || fail "no control $1"
  probe click TKWForm "$id" || fail "cannot click $1"
}

# control_rect CLASS: screen rectangle "l,t,r,b" of the main window's first child of CLASS.
control_rect() { probe children TKWForm | awk -F'\t' -v c="$1" '$3 == c { print $7; exit }'; }

# click_tab N: a real click on the tab of page N (0 = 快捷方式 ... 6 = 系统设置).
click_tab() {
  local rect l t r b w
  rect=$(control_rect SysTabControl32)
  [ -n "$rect" ] || fail "no page control"
  IFS=, read -r l t r b <<<"$rect"
  w=$(( (r - l - 4) / 7 ))
  xdotool mousemove $(( l + 2 + $1 * w + w / 2 )) $(( t + 10 )) click 1
}

# window_shot FILE: a screenshot of the main window only.
window_shot() {
  local rect l t r b
  rect=$(probe rect TKWForm)
  IFS=, read -r l t r b <<<"$rect"
  import -window root -crop "$((r - l))x$((b - t))+$l+$t" +repage "$1" 2>/dev/null
}

# The first tray icon's place on the 1024x768 desktop.
TRAY_X=1006
TRAY_Y=751

# tray_tooltip: hovers over the tray icon and prints the tooltip that shows.
tray_tooltip() {
  xdotool mousemove $((TRAY_X - 200)) $((TRAY_Y - 200))
  sleep 0.2
  xdotool mousemove "$TRAY_X" "$TRAY_Y"
  sleep 0.2
  xdotool mousemove $((TRAY_X + 1)) $((TRAY_Y + 1))
  probe tooltip 5000
}

# close_menu: Escape to an open menu and a wait for it to go. Closing is cleanup: a menu that
# went by itself first is no failure.
close_menu() {
  probe key '#32768' 0x1B || true
  probe gone '#32768' 3000 || true
}

# open_tray_menu: right-clicks the tray icon and waits for the menu (#32768) to show.
open_tray_menu() {
  local dump=$1 try i
  # A loaded machine may drop or delay the click while Tovrane is still busy (after a save, say):
  # wait longer, then close whatever half-opened and click again.
  for try in 1 2 3; do
    rm -f "$dump"
    xdotool mousemove "$TRAY_X" "$TRAY_Y" click 3
    for i in $(seq 1 80); do
      [ -s "$dump" ] && probe windows '#32768' | grep -q visible && return 0
      sleep 0.1
    done
    if probe windows '#32768' | grep -q visible; then
      close_menu
    fi
  done
  return 1
}

# ---- Several copies, installers -------------------------------------------------------------

# start_empty_desktop: the virtual desktop with an empty tray, as start_tovrane makes it, without
# starting Tovrane. EMPTY_TRAY and EMPTY_TRAY_PLACE1 fingerprint the first two icon places.
start_empty_desktop() {
  # A probe that waits for an hour keeps the desktop up between the program's runs.
  start_desktop "$TOVR_BUILD/win64/probe.exe" gone NoSuchWindowClass 3600000
  local i previous=
  EMPTY_TRAY=
  for i in $(seq 1 40); do
    [ -n "$(probe windows Shell_TrayWnd)" ] || { sleep 0.25; continue; }
    EMPTY_TRAY=$(probe trayarea)
    [ "$EMPTY_TRAY" = "$previous" ] && break
    previous=$EMPTY_TRAY
    sleep 0.25
  done
  [ -n "$EMPTY_TRAY" ] || fail "no taskbar on the desktop"
  EMPTY_TRAY_PLACE1=$(probe trayarea 1)
}

# tray_shows_one_icon: an icon in the first place and none in the second.
tray_shows_one_icon() {
  tray_shows_icon && [ "$(probe trayarea 1)" = "$EMPTY_TRAY_PLACE1" ]
}
