# The update check against a local HTTP server on 127.0.0.1, named by UpdateUrl in Config.ini,
# with version files signed by scripts/sign-version with a key of the check's own, named by
# UpdateKey.

# free_port: a TCP port on 127.0.0.1 that nothing listens on now.
free_port() {
  python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}

# serve DIR PORT: a plain HTTP server for the files of DIR.
serve() {
  python3 -m http.server "$2" --bind 127.0.0.1 --directory "$1" >/dev/null 2>&1 &
  TOVR_STARTED_PIDS+=($!)
  SERVER_PID=$!
  for _ in $(seq 1 50); do
    python3 -c "import socket; socket.create_connection(('127.0.0.1', $2), 1)" 2>/dev/null && return 0
    sleep 0.1
  done
  fail "the HTTP server did not start"
}

# serve_silently PORT LOG: accepts connections and never answers; LOG gets "accepted" and
# "closed" (the client gave up), each with the seconds since the epoch.
serve_silently() {
  python3 -c '
import socket, sys, threading, time
s = socket.socket(); s.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
s.bind(("127.0.0.1", int(sys.argv[1]))); s.listen(8)
log = open(sys.argv[2], "a", buffering=1)
def hold(c):
    log.write("accepted %d\n" % time.time())
    while c.recv(4096): pass
    log.write("closed %d\n" % time.time())
while True:
    threading.Thread(target=hold, args=(s.accept()[0],), daemon=True).start()
' "$1" "$2" &
  TOVR_STARTED_PIDS+=($!)
  sleep 0.5
}

# new_key NAME: a signing key of this check, $E2E_PREFIX/NAME.pem.
new_key() { openssl ecparam -name prime256v1 -genkey -noout -out "$E2E_PREFIX/$1.pem" || fail "no key"; }

# public_key NAME: the key's public point, as UpdateKey takes it.
public_key() { TOVR_RELEASE_KEY=$E2E_PREFIX/$1.pem "$TOVR_ROOT/scripts/sign-version" --public-key; }

# publish FILE VERSION DATE URL DOWNLOAD [KEY]: FILE becomes the version file announcing
# DOWNLOAD's hash and size under URL, signed with KEY (default "maker"; "none": no signature).
publish() {
  local sha size
  sha=$(sha256sum "$5" | cut -d' ' -f1)
  size=$(stat -c %s "$5")
  printf '%s[Version]%s[DateTime]%s[URL]%s[SHA256]%s[Size]' "$2" "$3" "$4" "$sha" "$size" >"$1"
  rm -f "$1.sig"
  [ "${6:-maker}" = none ] && return 0
  TOVR_RELEASE_KEY=$E2E_PREFIX/${6:-maker}.pem "$TOVR_ROOT/scripts/sign-version" "$1" || fail "sign-version failed"
}

# start_with_update_url URL [KEY]: Tovrane started with Config.ini naming the version file and
# the public key of KEY (default "maker") (no first run).
start_with_update_url() {
  mkdir -p "$E2E_APP_DIR"
  [ -f "$E2E_PREFIX/${2:-maker}.pem" ] || new_key "${2:-maker}"
  printf '[Option]\r\nGreeting=Thank\r\nUpdateUrl=%s\r\nUpdateKey=%s\r\n' "$1" "$(public_key "${2:-maker}")" \
    >"$E2E_APP_DIR/Config.ini"
  export TOVR_DUMP_MENU='C:\menu.txt'
  MENU_DUMP=$WINEPREFIX/drive_c/menu.txt
  start_tovrane
}

# open_menu: the tray icon's right-button callback, as the shell sends it (the notifier may
# cover the icon); waits up to 5 s for the menu.
open_menu() {
  rm -f "$MENU_DUMP"
  xdotool mousemove 600 400
  probe post TovrTrayWindow 0x800 1 0x204 || return 1
  for _ in $(seq 1 50); do
    [ -s "$MENU_DUMP" ] && probe windows '#32768' | grep -q visible && return 0
    sleep 0.1
  done
  return 1
}

# tray_items: the tray menu's captions, from a real opening (closed again).
tray_items() {
  open_menu || fail "the tray menu did not open"
  close_menu
  cut -f1 "$MENU_DUMP"
}

# click_tray_item CAPTION: the tray menu's item, chosen as its command arrives.
click_tray_item() {
  local id
  tray_items >/dev/null
  id=$(awk -F'\t' -v c="$1" '$1 == c { print $2 }' "$MENU_DUMP")
  [ -n "$id" ] || fail "no $1 in the tray menu"
  probe post TKWForm 0x111 "$id" 0
}

# notifier_text CONTROL_ID: the text of a notifier control (labels 1..7, the button 100).
notifier_text() { probe children TFormCHVer | awk -F'\t' -v id="$1" '$2 == id { print $4 }'; }

notifier_top() { probe rect TFormCHVer | cut -d, -f2; }

# wait_notifier_top TOP: until the notifier's top is TOP (at most 10 s).
wait_notifier_top() {
  for _ in $(seq 1 100); do
    [ "$(notifier_top)" = "$1" ] && return 0
    sleep 0.1
  done
  return 1
}

# wait_box CAPTION: waits (at most 10 s) for a message box captioned CAPTION and prints the open
# boxes as probe boxes does (a text's line breaks included).
wait_box() {
  local box
  for _ in $(seq 1 100); do
    box=$(probe boxes)
    grep -q "^$1"$'\t' <<<"$box" && { echo "$box"; return 0; }
    sleep 0.1
  done
  return 1
}

# temp_download: the path of NbDown.tmp in the Windows temporary folder.
temp_download() { find "$WINEPREFIX/drive_c/users" -ipath '*/temp/nbdown.tmp' 2>/dev/null | head -n 1; }

check_newer_release_rises_at_the_bottom_right_and_downloads() {
  local port site
  port=$(free_port)
  site=$E2E_PREFIX/site
  mkdir -p "$site/soft"
  head -c 300000 /dev/urandom >"$site/soft/nb260.exe"
  new_key maker
  publish "$site/soft/tovr.ver" 2.60 2099-06-01 "http://127.0.0.1:$port/soft/nb260.exe" "$site/soft/nb260.exe"
  serve "$site" "$port"
  # The desktop of this prefix only (Wine links it to the shared home folder).
  local desktop=$WINEPREFIX/drive_c/users/$(id -un)/Desktop
  rm -f "$desktop" && mkdir -p "$desktop"
  start_with_update_url "http://127.0.0.1:$port/soft/tovr.ver"
  tray_items | grep -qx 下载新版本 && fail "下载新版本 shows before a check"

  click_tray_item 检查新版本
  probe wait TFormCHVer 10000 >/dev/null || fail "no notifier"
  local first later l t r b
  first=$(notifier_top)
  sleep 0.3
  later=$(notifier_top)
  [ "$later" -lt "$first" ] || fail "the notifier does not rise: top $first, then $later"
  IFS=, read -r l t r b <<<"$(probe rect TFormCHVer)"
  expect_eq "notifier left and right" "$l,$r" "822,1024"
  local window
  window=$(probe windows TFormCHVer | head -n 1)
  expect_eq "notifier alpha" "$(cut -f6 <<<"$window")" 240
  (( $(cut -f5 <<<"$window") & 0x8 )) || fail "the notifier is not topmost: $window"
  wait_notifier_top 614 || fail "the notifier did not reach its top: $(notifier_top)"
  mkdir -p "$TOVR_BUILD/screenshots"
  screenshot "$TOVR_BUILD/screenshots/notifier-top.png"
  expect_eq "running version" "$(notifier_text 5)" " $(awk '/^project\(/ { print $3 }' "$TOVR_ROOT/CMakeLists.txt") 测试版"
  expect_eq "newest version" "$(notifier_text 6)" 2.60
  expect_eq "release date" "$(notifier_text 7)" 2099-06-01
  expect_eq "button" "$(notifier_text 100)" 立即下载
  tray_items | grep -qx 下载新版本 || fail "下载新版本 is not shown after the check"

  # The button downloads into NbDown.tmp; the folder chooser waits with the file complete.
  probe click TFormCHVer 100
  local temp
  for _ in $(seq 1 100); do
    temp=$(temp_download)
    [ -n "$temp" ] && probe boxes | grep -q . && break
    sleep 0.1
  done
  [ -n "$temp" ] || fail "no NbDown.tmp"
  cmp "$temp" "$site/soft/nb260.exe" || fail "NbDown.tmp differs from the served file"
  expect_eq "notifier after its button" "$(window_state TFormCHVer)" hidden
  expect_eq "folder chooser" "$(probe boxes)" "$SYSTEM_FOLDER_CHOOSER"$'\t'"$SYSTEM_OK"$'\t'"$SYSTEM_CANCEL"$'\t请选择保存位置'
  # Cancelled: the temporary file goes.
  probe press "$SYSTEM_FOLDER_CHOOSER" "$SYSTEM_CANCEL" 5000 >/dev/null || fail "cannot cancel the folder chooser"
  for _ in $(seq 1 50); do [ -z "$(temp_download)" ] && break; sleep 0.1; done
  expect_eq "NbDown.tmp after cancelling" "$(temp_download)" ""
  # Chosen: the file moves there under the URL's last segment.
  click_tray_item 下载新版本
  probe wait '#32770' 20000 >/dev/null || fail "no folder chooser for the tray item"
  sleep 1
  local root
  root=$(probe sendchild '#32770' SysTreeView32 0x110A 0 0)      # TVM_GETNEXTITEM, TVGN_ROOT
  probe sendchild '#32770' SysTreeView32 0x110B 9 "$root" >/dev/null  # TVM_SELECTITEM, TVGN_CARET
  sleep 0.5
  probe press "$SYSTEM_FOLDER_CHOOSER" "$SYSTEM_OK" 5000 >/dev/null || fail "cannot confirm the folder chooser"
  for _ in $(seq 1 50); do [ -f "$desktop/nb260.exe" ] && break; sleep 0.1; done
  cmp "$desktop/nb260.exe" "$site/soft/nb260.exe" || fail "the download did not arrive on the desktop"
  expect_eq "NbDown.tmp after the move" "$(temp_download)" ""
  expect_eq "boxes" "$(probe boxes)" ""

  # An older file: nothing newer, "下载新版本" hidden again.
  publish "$site/soft/tovr.ver" 2.61 2004-05-01 "http://127.0.0.1:$port/soft/nb261.exe" "$site/soft/nb260.exe"
  click_tray_item 检查新版本
  wait_state TFormCHVer visible 10 || fail "no notifier for the older file"
  expect_eq "newest version" "$(notifier_text 6)" 没有更新的版本
  expect_eq "button" "$(notifier_text 100)" 关闭提示
  tray_items | grep -qx 下载新版本 && fail "下载新版本 still shows after an older file"

  # No version file (404): a failed request, as for a server that cannot be reached.
  rm "$site/soft/tovr.ver"
  click_tray_item 检查新版本
  probe press 错误 "$SYSTEM_CANCEL" 10000 >/dev/null || fail "no box for a missing version file"
}

check_unreachable_or_silent_server_never_blocks_and_speaks_only_when_asked() {
  local port
  port=$(free_port)
  start_with_update_url "http://127.0.0.1:$port/soft/tovr.ver"
  # Nothing listens: the manual check asks Retry or Cancel.
  click_tray_item 检查新版本
  local box
  for _ in $(seq 1 100); do
    box=$(probe boxes)
    [ -n "$box" ] && break
    sleep 0.1
  done
  expect_eq "box" "$box" $'错误\t重试(&R)\t取消\t不能连接到服务器！请检查是否能够正确链接到网络。'
  probe press 错误 "$SYSTEM_CANCEL" 5000 >/dev/null
  # The automatic check (the update timer's 121st minute) says nothing.
  probe post TKWForm 0x113 4 0 121  # WM_TIMER of updateTimer
  sleep 4
  expect_eq "boxes after the automatic check" "$(probe boxes)" ""

  # A server that accepts and never answers: the tray menu still opens at once while the
  # automatic check waits; after the time-out the check gives up, silently.
  local log=$E2E_PREFIX/silent.log
  serve_silently "$port" "$log"
  probe post TKWForm 0x113 4 0 121
  for _ in $(seq 1 50); do grep -q accepted "$log" 2>/dev/null && break; sleep 0.1; done
  grep -q accepted "$log" || fail "the automatic check did not connect"
  local start=$SECONDS
  open_menu || fail "the tray menu did not open while the check waits"
  [ $((SECONDS - start)) -le 3 ] || fail "the tray menu took $((SECONDS - start)) s to open"
  close_menu
  for _ in $(seq 1 250); do grep -q closed "$log" && break; sleep 0.1; done
  local accepted closed
  accepted=$(awk '$1 == "accepted" { print $2; exit }' "$log")
  closed=$(awk '$1 == "closed" { print $2; exit }' "$log")
  [ -n "$closed" ] || fail "the check did not give up within 25 s"
  [ $((closed - accepted)) -ge 13 ] && [ $((closed - accepted)) -le 18 ] ||
    fail "the check gave up after $((closed - accepted)) s, not 15"
  sleep 1
  expect_eq "boxes after the time-out" "$(probe boxes)" ""
  expect_eq "notifier" "$(probe windows TFormCHVer | cut -f4)" ""
}

check_only_signed_version_files_https_and_the_stated_bytes_are_trusted() {
  local port site box
  port=$(free_port)
  site=$E2E_PREFIX/site
  mkdir -p "$site/soft"
  head -c 50000 /dev/urandom >"$site/soft/nb260.exe"
  head -c 50000 /dev/urandom >"$E2E_PREFIX/other.exe"
  new_key maker
  new_key stranger
  serve "$site" "$port"
  local url=http://127.0.0.1:$port/soft/nb260.exe
  start_with_update_url "http://127.0.0.1:$port/soft/tovr.ver"

  # No signature beside the file, or one by another key: not a version file.
  local key
  for key in none stranger; do
    publish "$site/soft/tovr.ver" 2.60 2099-06-01 "$url" "$site/soft/nb260.exe" "$key"
    click_tray_item 检查新版本
    box=$(wait_box Tovrane) || fail "no box for a version file signed by $key"
    expect_eq "box for $key" "$box" $'Tovrane\t'"$SYSTEM_OK"$'\t版本信息无效.'
    probe press Tovrane "$SYSTEM_OK" 5000 >/dev/null
    expect_eq "notifier for $key" "$(probe windows TFormCHVer | cut -f4)" ""
  done

  # Signed, but the bytes served are not the ones it states: removed and reported.
  publish "$site/soft/tovr.ver" 2.60 2099-06-01 "$url" "$E2E_PREFIX/other.exe"
  click_tray_item 检查新版本
  probe wait TFormCHVer 10000 >/dev/null || fail "no notifier for a signed file"
  click_tray_item 下载新版本
  box=$(wait_box Tovrane) || fail "no box for a damaged download"
  expect_eq "box" "$box" $'Tovrane\t'"$SYSTEM_OK"$'\t下载的文件与新版本说明的校验值不符，可能已被篡改，已删除。'
  expect_eq "NbDown.tmp after a damaged download" "$(temp_download)" ""
  probe press Tovrane "$SYSTEM_OK" 5000 >/dev/null

  # Signed, pointing at plain http on another computer: refused before anything is fetched.
  publish "$site/soft/tovr.ver" 2.70 2099-07-01 "http://192.0.2.1/soft/nb270.exe" "$site/soft/nb260.exe"
  click_tray_item 检查新版本
  box=$(wait_box Tovrane) || fail "no box for a plain-http download"
  grep -qF "这个地址不是 HTTPS 地址，已拒绝：" <<<"$box" && grep -qxF http://192.0.2.1/soft/nb270.exe <<<"$box" ||
    fail "box: $box"
  probe press Tovrane "$SYSTEM_OK" 5000 >/dev/null
}
