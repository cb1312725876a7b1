# The tray icon's menu and double-click.

# The tray menu's items as a fresh start shows them: no shortcuts yet, "下载新版本" hidden,
# no window entries under "[设置窗口透明]", no help file beside the program.
expected_tray_menu() {
  cat <<'EOF'
-
显示主界面...
[快速执行]
  立即手动更换壁纸
  隐藏桌面所有图标
  刷新桌面图标
  保存桌面图标位置
  恢复桌面图标位置
  运行屏幕保护程序
  打开"显示属性"
  -
  立即整理内存
  -
  打开光驱
  关闭光驱
[设置窗口透明]
  任务栏
  开始菜单
  -
检查新版本
-
意见或建议
[关于]	icon
  [名称 Tovrane]
  [版本  2.53 测试版]
  作者 林舟
  访问主页
  帮助	disabled
-
关闭
EOF
}

# menu_captions DUMP: the dump's captions with their indentation, and "disabled" marks.
menu_captions() { awk -F'\t' '{ line = $1; for (i = 3; i <= NF; i++) line = line "\t" $i; print line }' "$1"; }

check_right_click_opens_the_menu_at_the_pointer() {
  export TOVR_DUMP_MENU='C:\menu.txt'
  start_tovrane
  press_greeting
  wait_config || fail "no Config.ini"
  local dump=$WINEPREFIX/drive_c/menu.txt
  open_tray_menu "$dump" || fail "right click: no menu"
  expect_eq "tray menu" "$(menu_captions "$dump")" "$(expected_tray_menu)"
  # The menu opens at the pointer, moved only as far as it must to stay above the taskbar
  # and on the screen: the pointer's column is inside it, and it ends at the taskbar's top.
  local l t r b tl tt tr tb
  IFS=, read -r l t r b <<<"$(probe rect '#32768')"
  IFS=, read -r tl tt tr tb <<<"$(probe rect Shell_TrayWnd)"
  [ "$l" -le "$TRAY_X" ] && [ "$TRAY_X" -le "$r" ] && [ "$b" -eq "$tt" ] ||
    fail "the menu ($l,$t,$r,$b) is not at the pointer ($TRAY_X,$TRAY_Y) above the taskbar at $tt"
  close_menu

  # The left button opens it too.
  rm -f "$dump"
  xdotool mousemove "$TRAY_X" "$TRAY_Y" click 1
  for _ in $(seq 1 50); do [ -s "$dump" ] && break; sleep 0.1; done
  [ -s "$dump" ] || fail "left click: no menu"
  probe windows '#32768' | grep -q visible || fail "left click: the menu is not showing"
  close_menu
}

check_double_click_shows_the_shortcut_page() {
  start_tovrane
  press_greeting
  wait_config || fail "no Config.ini"
  show_main_window
  click_tab 6
  sleep 0.5
  expect_eq "active page" "$(probe sendchild TKWForm SysTabControl32 0x130B 0 0)" 6   # TCM_GETCURSEL
  probe post TKWForm 0x10 0 0
  wait_state TKWForm hidden 10 || fail "not hidden"
  # The shell's callback for a double-click on the icon (message 0x800, lParam WM_LBUTTONDBLCLK).
  probe post TovrTrayWindow 0x800 1 0x203
  wait_state TKWForm visible 10 || fail "double-click did not show the window"
  expect_eq "active page" "$(probe sendchild TKWForm SysTabControl32 0x130B 0 0)" 0
  # The show request keeps the page the window had.
  click_tab 3
  probe post TKWForm 0x10 0 0
  wait_state TKWForm hidden 10 || fail "not hidden"
  show_main_window
  expect_eq "active page" "$(probe sendchild TKWForm SysTabControl32 0x130B 0 0)" 3
}
