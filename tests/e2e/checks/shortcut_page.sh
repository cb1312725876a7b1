# The shortcut page with a row of each kind: the list view's rows, columns and styles seen from
# outside, and a screenshot of the page (build/screenshots/shortcut-page.png).

# given_shortcut_rows: a Config.ini with a file, a folder, a web address and a missing path.
given_shortcut_rows() {
  mkdir -p "$WINEPREFIX/drive_c/Apps/Folder"
  cp "$TOVR_BUILD/win64/probe.exe" "$WINEPREFIX/drive_c/Apps/tool.exe"
  printf '[Apps]\r\n工具=C:\\Apps\\tool.exe\r\n文件夹一=C:\\Apps\\Folder\r\n站点=http://www.tovrane.example/\r\ngone=C:\\Nowhere\\gone.exe\r\n' |
    iconv -f utf-8 -t gbk >"$E2E_APP_DIR/Config.ini"
}

# list_message MSG [WPARAM]: the shortcut list view's answer to a message that needs no memory.
list_message() { probe sendchild TKWForm SysListView32 "$1" "${2:-0}" 0; }

check_shortcut_page_shows_a_row_of_each_kind() {
  given_shortcut_rows
  start_tovrane
  show_main_window
  click_tab 0
  sleep 0.7
  # The first list view of the window is the shortcut page's, visible on this page.
  probe children TKWForm | awk -F'\t' '$3 == "SysListView32" { print $5; exit }' | grep -qx 'visible' ||
    fail "the shortcut list view is not visible: $(probe children TKWForm | grep SysListView32 | head -n 1)"
  expect_eq "rows" "$(list_message 0x1004)" 4                         # LVM_GETITEMCOUNT
  expect_eq "name column" "$(list_message 0x101D 0)" 120              # LVM_GETCOLUMNWIDTH
  expect_eq "target column" "$(list_message 0x101D 1)" 230
  expect_eq "type column" "$(list_message 0x101D 2)" 50
  local ex
  ex=$(list_message 0x1037)                                           # LVM_GETEXTENDEDLISTVIEWSTYLE
  expect_eq "grid lines" "$(( ex & 0x1 ))" 1
  expect_eq "full-row selection" "$(( ex & 0x20 ))" 32
  local images
  images=$(list_message 0x1002 1)                                     # LVM_GETIMAGELIST, LVSIL_SMALL
  [ -n "$images" ] && [ "$images" != 0 ] || fail "no small-icon list on the list view"
  mkdir -p "$TOVR_BUILD/screenshots"
  window_shot "$TOVR_BUILD/screenshots/shortcut-page.png"
  [ -s "$TOVR_BUILD/screenshots/shortcut-page.png" ] || fail "no screenshot"
}
