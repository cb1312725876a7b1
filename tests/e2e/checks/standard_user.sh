# Tovrane unpacked into C:\Program Files\Tovrane, a folder root owns, and run by an ordinary
# Unix user: Wine refuses that user every write there, as Windows refuses a user without
# administrator rights. The settings go to the user's application-data folder, and stay there.

check_read_only_program_folder_keeps_the_settings_in_the_users_folder() {
  as_ordinary_user
  local moved="$WINEPREFIX/drive_c/users/$TOVR_WINE_USER/AppData/Roaming/Tovrane/Config.ini"
  moved_text() { iconv -f gbk -t utf-8 "$moved" | tr -d '\r'; }
  start_tovrane

  # The first start says once where the settings go, greets, and records the greeting there.
  local box=
  for _ in $(seq 1 100); do box=$(probe boxes | grep '^Tovrane' || true); [ -n "$box" ] && break; sleep 0.2; done
  expect_eq "the note" "$box" "Tovrane	$SYSTEM_OK	Tovrane 所在的文件夹不能写入，设置将保存在：C:\\users\\$TOVR_WINE_USER\\AppData\\Roaming\\Tovrane\\Config.ini"
  probe press Tovrane "$SYSTEM_OK" 5000 >/dev/null || fail "cannot close the note"
  press_greeting
  for _ in $(seq 1 100); do [ -f "$moved" ] && break; sleep 0.1; done
  expect_eq "Config.ini" "$(moved_text)" $'[Option]\nGreeting=Thank'
  expect_eq "the program folder" "$(ls "$E2E_APP_DIR")" Tovrane.exe

  # A save writes there without a word: the settings page's grouped-menu box, ticked.
  show_main_window
  click_tab 6
  sleep 0.5
  click_control 使用分组菜单
  probe click TKWForm 208 || fail "cannot press 保存设置"
  expect_eq "boxes after the save" "$(probe boxes)" ""
  moved_text | grep -qx 'SortMenu=1' || fail "SortMenu not saved: $(moved_text)"

  # The next start finds the file there: no note, no greeting, the box ticked.
  expect_eq "WM_QUERYENDSESSION answer" "$(probe send TKWForm 0x11 0 0)" 1
  probe gone TKWForm 15000 || fail "Tovrane did not end"
  launch_tovrane
  sleep 3
  expect_eq "boxes on the next start" "$(probe boxes)" ""
  show_main_window
  expect_eq "使用分组菜单 after the restart" "$(probe sendid TKWForm "$(control_id 使用分组菜单)" 0xF0 0 0)" 1  # BM_GETCHECK
  expect_eq "the program folder" "$(ls "$E2E_APP_DIR")" Tovrane.exe
}
