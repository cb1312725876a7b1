# The shortcut entries at the top of the tray menu, and starting targets from them.

# given_shortcuts SORTMENU: a Config.ini with one shortcut of each kind, and their targets: a
# program that records the folder it is started in (a file), a folder, a web address and a
# path that does not exist. The keys stand in an order the list's sort changes.
given_shortcuts() {
  mkdir -p "$WINEPREFIX/drive_c/Apps/rec" "$WINEPREFIX/drive_c/Apps/Folder"
  cp "$TOVR_BUILD/win64/recordcwd.exe" "$WINEPREFIX/drive_c/Apps/rec/"
  printf '[Option]\r\nSortMenu=%s\r\n[Apps]\r\nFolder=C:\\Apps\\Folder\r\n记录程序=C:\\Apps\\rec\\recordcwd.exe\r\nsite=http://www.tovrane.example/\r\ngone=C:\\Nowhere\\gone.exe\r\n' "$1" |
    iconv -f utf-8 -t gbk >"$E2E_APP_DIR/Config.ini"
}

# given_forty_shortcuts: a month's Config.ini: 20 programs, 10 folders, 6 web addresses and 4
# programs on a share that does not answer.
given_forty_shortcuts() {
  local i lines=
  mkdir -p "$WINEPREFIX/drive_c/Apps/p"
  for i in $(seq -w 1 20); do
    cp "$TOVR_BUILD/win64/recordcwd.exe" "$WINEPREFIX/drive_c/Apps/p/程序$i.exe"
    lines+="程序$i=C:\\Apps\\p\\程序$i.exe\r\n"
  done
  for i in $(seq -w 1 10); do
    mkdir -p "$WINEPREFIX/drive_c/Data/文件夹$i"
    lines+="文件夹$i=C:\\Data\\文件夹$i\r\n"
  done
  for i in $(seq -w 1 6); do lines+="网站$i=https://www.tovrane.example/$i\r\n"; done
  for i in $(seq -w 1 4); do lines+="共享$i=\\\\192.0.2.1\\share\\tool$i.exe\r\n"; done
  printf "[Option]\r\nGreeting=Thank\r\n[Apps]\r\n$lines" | iconv -f utf-8 -t gbk >"$E2E_APP_DIR/Config.ini"
}

# top_entries DUMP: the menu's lines above the first fixed item (the separator shortcutsSeparatorItem), captions
# only, submenu items indented.
top_entries() { awk -F'\t' '$1 == "-" { exit } { print $1 }' "$1"; }

# open_menu_after_startup DUMP: opens the tray menu with the shortcut entries in. A click while
# the start-up sequence runs opens the menu when it ends; a menu without entries (a slow
# machine's click lost on the way) is closed and opened again, for up to 15 s.
open_menu_after_startup() {
  local i
  for i in $(seq 1 30); do
    open_tray_menu "$1" || return 1
    [ -n "$(top_entries "$1")" ] && return 0
    close_menu
    sleep 0.5
  done
  return 0
}

# choose_entry N: in the open tray menu, moves down N items and chooses that one.
choose_entry() {
  local i
  for i in $(seq 1 "$1"); do probe key '#32768' 0x28; done  # VK_DOWN
  probe key '#32768' 0x0D                                      # VK_RETURN
  probe gone '#32768' 5000 || fail "the menu stayed open"
}

# icon_rows PNG: in a picture of the open tray menu, the number of icons in the icon column
# (16 pixels wide, 19 pixels from the menu's left edge on Wine's menus) above the first
# separator. The most common colour of the column is the menu's background.
icon_rows() {
  convert "$1" -crop 16x10000+19+0 +repage txt:- | awk -F'[ :]+' '
    NR > 1 { split($1, p, ","); y = p[2]; c = $0; sub(/.*#/, "", c); c = substr(c, 1, 6)
             colour[NR] = c; row[NR] = y; count[c]++; if (y > maxy) maxy = y }
    END {
      for (c in count) if (count[c] > best) { best = count[c]; bg = c }
      for (i in colour) if (colour[i] != bg) ink[row[i]] = 1
      # Runs of rows with ink below the border: an icon is a tall run, a separator a thin one.
      for (y = 3; y <= maxy + 1; y++) {
        if (y in ink) { len++; continue }
        if (len >= 8) icons++
        else if (len > 0) break
        len = 0
      }
      print icons + 0
    }'
}

check_shortcut_entries_head_the_tray_menu_in_list_order() {
  export TOVR_DUMP_MENU='C:\menu.txt'
  given_shortcuts 0
  start_tovrane
  local dump=$WINEPREFIX/drive_c/menu.txt
  open_menu_after_startup "$dump" || fail "no tray menu"
  expect_eq "entries" "$(top_entries "$dump")" "$(printf 'gone\nsite\n记录程序\nFolder')"
  # Every entry shows its icon: the four entries above the first separator, four icons.
  local l t r b
  IFS=, read -r l t r b <<<"$(probe rect '#32768')"
  local shot=$TOVR_BUILD/test-logs/e2e-shortcut-menu.png
  import -window root -crop "$((r - l))x$((b - t))+$l+$t" +repage "$shot"
  expect_eq "icons of the entries" "$(icon_rows "$shot")" 4

  # The program entry starts the program in its own folder, with nothing on its command line.
  choose_entry 3
  local record=$WINEPREFIX/drive_c/Apps/rec/recordcwd.txt
  for _ in $(seq 1 100); do [ -s "$record" ] && break; sleep 0.2; done
  [ -s "$record" ] || fail "the program entry did not start the program"
  local cwd line
  cwd=$(tr -d '\r' <"$record" | sed -n 's/^cwd=//p')
  [ "$cwd" = 'C:\Apps\rec' ] || [ "$cwd" = 'C:\Apps\rec\' ] || fail "started in '$cwd', not C:\\Apps\\rec\\"
  line=$(tr -d '\r' <"$record" | sed -n 's/^commandline=//p')
  line=${line#\"C:\\Apps\\rec\\recordcwd.exe\"}
  line=${line#C:\\Apps\\rec\\recordcwd.exe}
  expect_eq "arguments" "$(echo "$line" | tr -d ' ')" ""

  # The missing entry shows the warning and starts nothing.
  open_tray_menu "$dump" || fail "no tray menu the second time"
  choose_entry 1
  local box=
  for _ in $(seq 1 50); do box=$(probe boxes | grep '^错误' || true); [ -n "$box" ] && break; sleep 0.2; done
  echo "$box" | grep -q '目标不存在，请检查后再运行。' || fail "no missing-target message: '$box'"
  probe press 错误 "$SYSTEM_OK" 5000 >/dev/null || fail "cannot close the message"
}

check_shortcut_entries_grouped_by_kind_with_sortmenu() {
  export TOVR_DUMP_MENU='C:\menu.txt'
  given_shortcuts 1
  start_tovrane
  local dump=$WINEPREFIX/drive_c/menu.txt
  open_menu_after_startup "$dump" || fail "no tray menu"
  # The missing target has no entry in the grouped menu.
  expect_eq "groups" "$(top_entries "$dump")" "$(printf '网址\n  site\n文件\n  记录程序\n文件夹\n  Folder')"
  close_menu
}

# Shortcuts to a share that does not answer: listed by their text, without a look at the
# share, so each is a file or a folder in the grouped menu. (Wine answers for a share at once,
# "not found": a look would have made every one a missing target, left out of that menu.)
check_shortcuts_on_an_unreachable_share_are_listed_without_a_look() {
  export TOVR_DUMP_MENU='C:\menu.txt'
  local i
  {
    printf '[Option]\r\nSortMenu=1\r\n[Apps]\r\n'
    for i in $(seq -w 1 29); do printf 'tool%s=\\\\192.0.2.1\\share\\tool%s.exe\r\n' "$i" "$i"; done
    printf 'Docs=\\\\192.0.2.1\\share\\Docs\r\n'
  } >"$E2E_APP_DIR/Config.ini"
  start_tovrane
  local dump=$WINEPREFIX/drive_c/menu.txt
  open_menu_after_startup "$dump" || fail "no tray menu"
  expect_eq "groups" "$(top_entries "$dump" | grep -v '^  ')" "$(printf '网址\n文件\n文件夹')"
  expect_eq "files" "$(top_entries "$dump" | grep -c '^  tool')" 29
  top_entries "$dump" | grep -qx '  Docs' || fail "no folder entry: $(top_entries "$dump" | tail -n 3)"
  close_menu
}

check_saving_after_ticking_the_group_box_rebuilds_the_entries() {
  export TOVR_DUMP_MENU='C:\menu.txt'
  given_shortcuts 0
  start_tovrane
  local dump=$WINEPREFIX/drive_c/menu.txt
  show_main_window
  click_tab 6
  sleep 0.5
  click_control 使用分组菜单
  open_tray_menu "$dump" || fail "no tray menu"
  expect_eq "entries before the save" "$(top_entries "$dump" | head -n 1)" gone
  close_menu
  probe click TKWForm 208 || fail "cannot press saveButton"   # 保存设置
  probe click TKWForm 208 || fail "cannot press saveButton"   # a second save adds nothing twice
  open_tray_menu "$dump" || fail "no tray menu after the save"
  expect_eq "groups after the save" "$(top_entries "$dump")" "$(printf '网址\n  site\n文件\n  记录程序\n文件夹\n  Folder')"
  close_menu
}

# The menu's hotkey (Ctrl+Alt+K when Config.ini does not name one) opens the tray menu at the
# pointer with the shortcut entries, ready for the keyboard: Escape closes it, the arrows and
# Enter start an entry. The key is free again once Tovrane has ended.
check_the_menu_hotkey_opens_the_tray_menu_at_the_pointer() {
  export TOVR_DUMP_MENU='C:\menu.txt'
  given_shortcuts 0
  start_tovrane
  local dump=$WINEPREFIX/drive_c/menu.txt i
  xdotool mousemove 400 300
  # hotkey_menu: presses the key until the menu opens with the entries (the key is held from the
  # settings' load on; the entries come a little later in the start).
  hotkey_menu() {
    for i in $(seq 1 30); do
      rm -f "$dump"
      xdotool keydown ctrl keydown alt key k keyup alt keyup ctrl
      if probe wait '#32768' 2000; then
        [ -n "$(top_entries "$dump" 2>/dev/null)" ] && return 0
        close_menu
      fi
      sleep 0.5
    done
    fail "no menu with the entries after Ctrl+Alt+K"
  }
  hotkey_menu
  expect_eq "entries" "$(top_entries "$dump")" "$(printf 'gone\nsite\n记录程序\nFolder')"
  local l t r b
  IFS=, read -r l t r b <<<"$(probe rect '#32768')"
  near() { [ "$1" -ge $(($2 - 5)) ] && [ "$1" -le $(($2 + 5)) ]; }
  # Its corner at the pointer (it opens upwards where there is no room below).
  near "$l" 400 && { near "$t" 300 || near "$b" 300; } || fail "the menu at $l,$t,$r,$b, not at the pointer 400,300"
  xdotool key Escape
  probe gone '#32768' 3000 || fail "Escape did not close the menu"

  hotkey_menu
  xdotool key Down Down Down Return
  local record=$WINEPREFIX/drive_c/Apps/rec/recordcwd.txt
  for _ in $(seq 1 100); do [ -s "$record" ] && break; sleep 0.2; done
  [ -s "$record" ] || fail "Enter on the program entry did not start it"

  expect_eq "WM_QUERYENDSESSION answer" "$(probe send TKWForm 0x11 0 0)" 1
  wait_exit 15 || fail "Tovrane.exe still running"
  "${TOVR_AS_USER[@]}" wine "$TOVR_BUILD/win64/probe.exe" hotkey 3 0x4B 100 2>/dev/null | grep -q held ||
    fail "Ctrl+Alt+K still held after Tovrane ended"
}

# A hotkey another program holds: named once in a message, and Tovrane runs on without one.
check_a_menu_hotkey_another_program_holds_is_named_once() {
  given_shortcuts 0
  start_empty_desktop
  local held=$TOVR_WINE/hotkey-held.txt
  rm -f "$held"
  # MOD_ALT | MOD_CONTROL, K, for a minute (the probe itself, not its wrapper, whose pipe would
  # hold the line back).
  "${TOVR_AS_USER[@]}" wine "$TOVR_BUILD/win64/probe.exe" hotkey 3 0x4B 60000 >"$held" 2>/dev/null &
  TOVR_STARTED_PIDS+=($!)
  for _ in $(seq 1 50); do grep -q held "$held" 2>/dev/null && break; sleep 0.2; done
  grep -q held "$held" || fail "the helper could not hold Ctrl+Alt+K"
  launch_tovrane
  local box=
  for _ in $(seq 1 50); do box=$(probe boxes | grep '^Tovrane' || true); [ -n "$box" ] && break; sleep 0.2; done
  echo "$box" | grep -q '热键 Ctrl+Alt+K 已被其他程序占用。' || fail "no message for the taken key: '$box'"
  probe press Tovrane "$SYSTEM_OK" 5000 >/dev/null || fail "cannot close the message"
  sleep 2
  [ -z "$(probe boxes)" ] || fail "a second box: $(probe boxes)"
  tovrane_running || fail "Tovrane ended"
}

check_tray_menu_opened_as_the_icon_appears_lists_all_forty_shortcuts_with_their_icons() {
  export TOVR_DUMP_MENU='C:\menu.txt'
  local dump=$WINEPREFIX/drive_c/menu.txt ms start elapsed
  given_forty_shortcuts
  start_empty_desktop
  rm -f "$dump"
  # The probe starts Tovrane and returns the moment the icon's pixels appear; the right click
  # follows at once, while the start-up sequence still runs.
  ms=$(probe launch-tray "$E2E_EXE" 30000) || fail "no tray icon: $ms"
  start=$(date +%s%N)
  xdotool mousemove "$TRAY_X" "$TRAY_Y" click 3
  for _ in $(seq 1 150); do
    [ -s "$dump" ] && probe windows '#32768' | grep -q visible && break
    sleep 0.02
  done
  elapsed=$(( ($(date +%s%N) - start) / 1000000 ))
  [ -s "$dump" ] || fail "no tray menu"
  echo "icon after $ms ms; the menu open $elapsed ms after it"
  [ "$elapsed" -le 1000 ] || fail "the menu opened $elapsed ms after the icon"
  local entries
  entries=$(awk -F'\t' '$1 == "-" { exit } { print }' "$dump")
  expect_eq "shortcut entries" "$(grep -c . <<<"$entries")" 40
  expect_eq "entries with their icon" "$(grep -c $'\ticon' <<<"$entries")" 40
  close_menu
}
