# The desktop shortcut buttons below the shortcut list: export onto the all-users desktop,
# import from both desktops, and delete the user's desktop links after the question. The
# user's desktop is pointed at a folder of the prefix (Wine links the real one to a shared
# home folder). Wine's shell rewrites "Shell Folders" from "User Shell Folders", so both are set.


# wait_file PATH: up to 10 s for the file to appear.
wait_file() {
  local i
  for i in $(seq 1 50); do [ -e "$1" ] && return 0; sleep 0.2; done
  return 1
}

# restart_tovrane: ends the program and the desktop, then starts both again.
restart_tovrane() {
  local pid
  for pid in "${TOVR_STARTED_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  TOVR_STARTED_PIDS=()
  timeout 20 wineserver -k >/dev/null 2>&1 || true
  timeout 20 wineserver -w >/dev/null 2>&1 || true
  start_tovrane
}

check_desktop_links_export_import_and_delete() {
  local user=$WINEPREFIX/drive_c/UserDesk common
  mkdir -p "$user" "$WINEPREFIX/drive_c/Apps"
  local key
  for key in 'Shell Folders' 'User Shell Folders'; do
    wine reg add "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\$key" \
      /v Desktop /t REG_SZ /d 'C:\UserDesk' /f >/dev/null 2>&1
  done
  common=$WINEPREFIX/drive_c/users/Public/Desktop
  mkdir -p "$common"
  cp "$TOVR_BUILD/win64/probe.exe" "$WINEPREFIX/drive_c/Apps/mail.exe"
  cp "$TOVR_BUILD/win64/probe.exe" "$WINEPREFIX/drive_c/Apps/tool.exe"
  printf '[Apps]\r\n邮件=C:\\Apps\\mail.exe\r\n工具=C:\\Apps\\tool.exe\r\n' |
    iconv -f utf-8 -t gbk >"$E2E_APP_DIR/Config.ini"

  # Export: one link per row on the all-users desktop, made by the shell link object.
  start_tovrane
  show_main_window
  click_tab 0
  sleep 0.5
  click_control 全部导出
  wait_file "$common/邮件.lnk" || fail "no exported 邮件.lnk"
  wait_file "$common/工具.lnk" || fail "no exported 工具.lnk"
  [ -z "$(ls "$user")" ] || fail "the export wrote to the user's desktop: $(ls "$user")"

  # Import into an empty list: the user's desktop first, so the link on both desktops is
  # taken from there and refused from the all-users desktop by its name.
  cp "$common/邮件.lnk" "$user/"
  echo notes >"$user/notes.txt"
  printf '[Apps]\r\n' >"$E2E_APP_DIR/Config.ini"
  restart_tovrane
  show_main_window
  click_tab 0
  sleep 0.5
  click_control 全部导入 &
  pressing=$!
  local box=
  for _ in $(seq 1 50); do box=$(probe boxes || true); echo "$box" | grep -q '^错误' && break; sleep 0.2; done
  echo "$box" | grep -q '名称 mail 已经存在' || fail "no name-taken message: '$box' rows $(probe sendchild TKWForm SysListView32 0x1004 0 0)"
  probe press 错误 "$SYSTEM_OK" 5000 >/dev/null || fail "cannot close the message"
  wait "$pressing" || true
  expect_eq "rows" "$(probe sendchild TKWForm SysListView32 0x1004 0 0)" 2   # LVM_GETITEMCOUNT
  probe click TKWForm 208 || fail "cannot press saveButton"
  for _ in $(seq 1 50); do config_text | grep -q '^tool=' && break; sleep 0.2; done
  config_text | grep -qx 'mail=C:\\Apps\\mail.exe' || fail "no mail row saved: $(config_text)"
  config_text | grep -qx 'tool=C:\\Apps\\tool.exe' || fail "no tool row saved: $(config_text)"

  # Delete all: No deletes nothing; Yes deletes only the user's desktop links. The user's
  # desktop must still be the prefix's own folder.
  expect_eq "the user's desktop" \
    "$(reg_data 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders' Desktop)" 'C:\UserDesk'
  click_control 全部删除 &
  pressing=$!
  probe press 确认 '否(&N)' 10000 >/dev/null || fail "no question (No)"
  wait "$pressing" || true
  sleep 0.5
  [ -e "$user/邮件.lnk" ] || fail "No deleted a link"
  click_control 全部删除 &
  pressing=$!
  probe press 确认 '是(&Y)' 10000 >/dev/null || fail "no question (Yes)"
  wait "$pressing" || true
  for _ in $(seq 1 25); do [ -e "$user/邮件.lnk" ] || break; sleep 0.2; done
  [ ! -e "$user/邮件.lnk" ] || fail "Yes left the user's link"
  [ -e "$user/notes.txt" ] || fail "Yes deleted another file"
  [ -e "$common/邮件.lnk" ] && [ -e "$common/工具.lnk" ] || fail "the all-users desktop was touched"
}
