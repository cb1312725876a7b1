# The wallpaper changer: the change at start, by the tray command and by the minute timer; the
# wallpaper page with its list and a JPEG preview (build/screenshots/wallpaper-page.png); a row
# dragged to another place and the animated page written by the save.

WALLPAPER_LIST_ID=305   # kIdWallpaperList in src/app/win32/MainLayout.h
SAVE_BUTTON_ID=208              # the side button saveButton (保存设置)
RECORD_KEY='Software\Microsoft\Internet Explorer\Desktop\General'

# given_pictures [OPTION_LINES]: three JPEG pictures in C:\Pics and a Config.ini listing them.
given_pictures() {
  mkdir -p "$WINEPREFIX/drive_c/Pics"
  local n colours=(blue-gold darkgreen-skyblue purple-orange)
  for n in 1 2 3; do
    convert -size 480x320 "gradient:${colours[$((n - 1))]}" -swirl $((n * 90)) -quality 90 \
      "$WINEPREFIX/drive_c/Pics/$n.jpg"
  done
  printf '[Option]\r\n%b[Pics]\r\n0=C:\\Pics\\1.jpg\r\n1=C:\\Pics\\2.jpg\r\n2=C:\\Pics\\3.jpg\r\n' "${1:-}" |
    iconv -f utf-8 -t gbk >"$E2E_APP_DIR/Config.ini"
}

# wait_record PATH SECONDS: the recorded current wallpaper becomes PATH.
wait_record() {
  local i
  for i in $(seq 1 "$2"); do
    [ "$(reg_data "HKCU\\$RECORD_KEY" Wallpaper)" = "$1" ] && return 0
    sleep 1
  done
  return 1
}

# tray_command CAPTION: chooses a tray menu item by its caption (the menu dump gives its id;
# TOVR_DUMP_MENU must have been set before the program started).
tray_command() {
  local dump=$WINEPREFIX/drive_c/menu.txt id
  open_tray_menu "$dump" || fail "no tray menu"
  id=$(awk -F'\t' -v c="$1" '{ sub(/^ +/, "", $1) } $1 == c { print $2; exit }' "$dump")
  close_menu
  [ -n "$id" ] || fail "no tray item $1"
  probe post TKWForm 0x111 "$id" 0   # WM_COMMAND, as choosing the item sends it
}

check_wallpaper_changes_at_start_by_the_tray_and_by_the_timer() {
  export TOVR_DUMP_MENU='C:\menu.txt'
  given_pictures 'RunChange=1\r\nAutoChange=1\r\nInterval=1\r\n'
  local started=$SECONDS
  start_tovrane
  # No current wallpaper recorded: the change at start goes on from row 0, to row 1.
  wait_record 'C:\Pics\2.jpg' 30 || fail "no change at start: '$(reg_data "HKCU\\$RECORD_KEY" Wallpaper)'"
  # This Windows (Wine's default, Windows 10) has no Active Desktop: the classic way.
  expect_eq "desktop wallpaper" "$(reg_data 'HKCU\Control Panel\Desktop' Wallpaper)" 'C:\Pics\2.jpg'
  expect_eq "tiled" "$(reg_data 'HKCU\Control Panel\Desktop' TileWallPaper)" 0

  # The page shows the list with the current wallpaper selected and previewed.
  show_main_window
  click_tab 1
  sleep 1
  expect_eq "rows" "$(probe sendid TKWForm $WALLPAPER_LIST_ID 0x1004 0 0)" 3          # LVM_GETITEMCOUNT
  expect_eq "column width" "$(probe sendid TKWForm $WALLPAPER_LIST_ID 0x101D 0 0)" 370  # LVM_GETCOLUMNWIDTH
  expect_eq "selected rows" "$(probe sendid TKWForm $WALLPAPER_LIST_ID 0x1032 0 0)" 1  # LVM_GETSELECTEDCOUNT
  expect_eq "selected row" "$(probe sendid TKWForm $WALLPAPER_LIST_ID 0x100C -1 2)" 1   # LVM_GETNEXTITEM, LVNI_SELECTED
  local ex
  ex=$(probe sendid TKWForm $WALLPAPER_LIST_ID 0x1037 0 0)                            # extended styles
  expect_eq "grid lines and whole rows" "$(( ex & 0x21 ))" 33
  mkdir -p "$TOVR_BUILD/screenshots"
  window_shot "$TOVR_BUILD/screenshots/wallpaper-page.png"
  [ -s "$TOVR_BUILD/screenshots/wallpaper-page.png" ] || fail "no screenshot"
  probe post TKWForm 0x10 0 0   # closed without saving
  wait_state TKWForm hidden 10 || fail "not hidden"

  tray_command '立即手动更换壁纸'
  wait_record 'C:\Pics\3.jpg' 20 || fail "no change by the tray command: '$(reg_data "HKCU\\$RECORD_KEY" Wallpaper)'"
  expect_eq "DynamicDesk" "$(config_value DynamicDesk)" 0

  # The minute timer started with the program: its first tick wraps to row 0.
  local left=$(( 100 - (SECONDS - started) ))
  wait_record 'C:\Pics\1.jpg' "$left" ||
    fail "no change by the timer within 100 s of the start: '$(reg_data "HKCU\\$RECORD_KEY" Wallpaper)'"
  [ $(( SECONDS - started )) -ge 55 ] || fail "the timer changed it after $(( SECONDS - started )) s"
}

# drag_row_to_the_end N: a real drag of row N of the wallpaper list below its last row.
drag_row_to_the_end() {
  local l t r b x y d
  IFS=, read -r l t r b <<<"$(probe children TKWForm | awk -F'\t' -v id=$WALLPAPER_LIST_ID '$2 == id { print $7; exit }')"
  x=$((l + 60)) y=$((t + 2 + 20 + 18 * $1 + 9))   # below the 20-pixel header, rows of 18 pixels
  xdotool mousemove $x $y click 1
  sleep 1  # not a double-click
  xdotool mousemove $x $y mousedown 1
  for d in 5 10 20 30 40 50 60; do xdotool mousemove $x $((y + d)); sleep 0.1; done
  xdotool mouseup 1
  sleep 0.3
}

# The expected animated page for the pictures in the order 1, 3, 2, transition 12, 5 minutes,
# 1024 x 768.
expected_page() {
  printf '%s\r\n' '<html><head></head><body onload=ChangePic()>' \
    '<script language="javascript">var Pics=new Array();' \
    'Pics[1]="file:///C:/Pics/1.jpg";' 'Pics[2]="file:///C:/Pics/3.jpg";' 'Pics[3]="file:///C:/Pics/2.jpg";' \
    'var i=0;function ChangePic()' '{i++;mh1.src=Pics[i];if (i==3) i=0;' \
    'mh.filters.revealTrans.transition=12;' \
    'mh.filters.revealTrans.Duration=2;mh.filters.revealTrans.Apply();mh.filters.revealTrans.Play();' \
    'setTimeout("ChangePic()",300000);}' \
    '</script><p><div  id="mh" style="filter:revealTrans(Duration=1.0,Transition=12); position:absolute; left:0; top:0">' \
    '<p align="center"><img id="mh1" border="0" src="" width="1024" height="768" >' \
    '</p></div></body></html>'
}

check_dragging_a_row_and_saving_with_the_animation_writes_the_page() {
  # Windows XP, whose Active Desktop shows HTML pages.
  timeout 60 wine reg add 'HKCU\Software\Wine' /v Version /d winxp64 /f >/dev/null 2>&1
  given_pictures 'DynaIndex=12\r\nInterval=5\r\n'
  start_tovrane
  show_main_window
  click_tab 1
  sleep 0.5
  drag_row_to_the_end 1
  click_control 使用壁纸转换动画
  probe click TKWForm "$SAVE_BUTTON_ID" || fail "cannot press saveButton"
  [ -z "$(probe boxes)" ] || fail "a box after the save: $(probe boxes)"
  local page=$WINEPREFIX/drive_c/windows/TovrWall.htm
  [ -f "$page" ] || fail "no TovrWall.htm"
  cmp -s "$page" <(expected_page) || fail "TovrWall.htm differs: $(diff <(expected_page) "$page" | head -n 5)"
  expect_eq "recorded wallpaper" "$(reg_data "HKCU\\$RECORD_KEY" Wallpaper)" 'C:\windows\TovrWall.htm'
  expect_eq "DynamicDesk" "$(config_value DynamicDesk)" 1
  expect_eq "DynaIndex" "$(config_value DynaIndex)" 12
  expect_eq "[Pics] in the dragged order" "$(config_text | sed -n '/^\[Pics\]/,$p')" \
    "$(printf '[Pics]\n0=C:\\Pics\\1.jpg\n1=C:\\Pics\\3.jpg\n2=C:\\Pics\\2.jpg')"
}
