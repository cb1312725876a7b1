# Quick actions: the screen saver without one set, the help item and button following
# help.chm, and the feedback mail through the registered mail handler (a recording program of
# the tests stands in for the mail program).

# choose_item CAPTION: the tray item's command as the menu sends it. The menu is opened (and
# closed) first: it gets new command ids each time it is built.
choose_item() {
  open_menu_dump
  local id
  id=$(menu_line "$1" | cut -f2)
  [ -n "$id" ] || fail "no item $1 in the tray menu"
  probe post TKWForm 0x111 "$id" 0
}
open_menu_dump() {
  open_tray_menu "$WINEPREFIX/drive_c/menu.txt" || fail "the tray menu did not open"
  close_menu
}
menu_line() { awk -F'\t' -v c="$1" '{ sub(/^ +/, "") } $1 == c { print; exit }' "$WINEPREFIX/drive_c/menu.txt"; }

# first_start_help_states: a first start; HELP_STATES then holds the help item's and the side
# button helpButton's (id 207) states, as the user meets them.
first_start_help_states() {
  export TOVR_DUMP_MENU='C:\menu.txt'
  start_tovrane
  press_greeting
  wait_config || fail "no Config.ini"
  open_menu_dump
  show_main_window
  local item=enabled
  [[ "$(menu_line 帮助)" == *$'\t'disabled* ]] && item=disabled
  HELP_STATES="$item $(probe children TKWForm | awk -F'\t' '$2 == 207 { print $6; exit }')"
}

check_quick_actions_screen_saver_help_missing_and_feedback_mail() {
  mkdir -p "$WINEPREFIX/drive_c/Apps/mailer"
  cp "$TOVR_BUILD/win64/recordcwd.exe" "$WINEPREFIX/drive_c/Apps/mailer/"
  wine reg add 'HKCR\mailto' /v 'URL Protocol' /t REG_SZ /d '' /f >/dev/null 2>&1
  wine reg add 'HKCR\mailto\shell\open\command' /ve /t REG_SZ \
    /d '"C:\Apps\mailer\recordcwd.exe" "%1"' /f >/dev/null 2>&1
  first_start_help_states
  expect_eq "help item and button without help.chm" "$HELP_STATES" "disabled disabled"

  # No screen saver set (Wine reports the X server's, on by default; put back at the end).
  probe screensaver 0 || fail "cannot switch the screen saver off"
  trap 'probe screensaver 1; e2e_end' EXIT
  local box=
  choose_item 运行屏幕保护程序
  for _ in $(seq 1 50); do box=$(probe boxes | grep '^错误' || true); [ -n "$box" ] && break; sleep 0.2; done
  echo "$box" | grep -q '当前没有设定屏幕保护程序。' || fail "no screen saver message: '$box'"
  screenshot "$TOVR_BUILD/test-logs/e2e-quick-actions-no-screen-saver.png"
  probe press 错误 "$SYSTEM_OK" 5000 >/dev/null || fail "cannot close the message"

  # The feedback item: the mail handler gets the feedback subject unchanged.
  choose_item 意见或建议
  local record=$WINEPREFIX/drive_c/Apps/mailer/recordcwd.txt line
  for _ in $(seq 1 100); do [ -s "$record" ] && break; sleep 0.2; done
  line=$(tr -d '\r' <"$record" | sed -n 's/^commandline=//p')
  [[ "$line" == *' "mailto:tovrane@tovrane.example?subject=Tovrane 意见或建议"' ]] ||
    fail "mail handler command line: '$line'"
}

check_quick_actions_help_present_enables_item_and_button() {
  echo help >"$E2E_APP_DIR/help.chm"
  first_start_help_states
  expect_eq "help item and button with help.chm" "$HELP_STATES" "enabled enabled"
}
