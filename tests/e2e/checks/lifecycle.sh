# Start-up, the second instance, hiding to the tray and the ways the program ends.

# The greeting box of a first run, pressed; Config.ini is written right after it.
first_run() {
  press_greeting
  wait_config || fail "no Config.ini after the first start"
}

check_first_start_greets_sets_up_and_lives_in_the_tray() {
  start_tovrane
  local box
  box=$(probe boxes | grep '^欢迎使用Tovrane' || true)
  [ -n "$box" ] || { sleep 2; box=$(probe boxes | grep '^欢迎使用Tovrane' || true); }
  [[ "$box" == *"这是您第一次运行 Tovrane 。"* ]] || fail "greeting text: $box"
  [[ "$box" == *"Tovrane 已经设置为随Windows启动自动运行。"* ]] || fail "greeting text: $box"
  [[ "$box" == *"请点击系统托盘处的图标来打开主界面。"* ]] || fail "greeting text: $box"
  first_run
  # The first load leaves only the first-run marker.
  expect_eq "Config.ini" "$(config_text)" $'[Option]\nGreeting=Thank'
  expect_eq "Run value Tovr" "$(run_value Tovr)" 'C:\Tovrane\Tovrane.exe'
  expect_eq "main window" "$(window_state TKWForm)" hidden
  # The owner window carries the application title and never a taskbar button.
  local owner
  owner=$(probe windows TovrApplication | head -n 1)
  expect_eq "owner title" "$(cut -f3 <<<"$owner")" Tovrane
  (( $(cut -f5 <<<"$owner") & 0x80 )) || fail "owner window is not a tool window: $owner"
  tray_shows_icon || fail "no icon in the tray"
  # "Tovrane" until the memory monitor's first tick (3 s after the start) puts in its line.
  local tip
  tip=$(tray_tooltip)
  [[ "$tip" =~ ^Tovrane(\ \ 可用内存：[0-9]+\ %)?$ ]] || fail "tray tooltip: got '$tip'"

  # A second start (after the first ended) shows no greeting and changes nothing.
  expect_eq "WM_QUERYENDSESSION answer" "$(probe send TKWForm 0x11 0 0)" 1
  wait_exit 15 || fail "Tovrane.exe still running"
  tray_is_empty || fail "the tray icon stayed"
  launch_tovrane
  sleep 3
  [ -z "$(probe boxes)" ] || fail "a box on the second start: $(probe boxes)"
  expect_eq "Config.ini after the second start" "$(config_text)" $'[Option]\nGreeting=Thank'
  tray_shows_icon || fail "no icon in the tray on the second start"
}

check_second_instance_asks_and_shows_the_first() {
  start_tovrane
  first_run
  local first
  first=$(tovrane_pids)

  # No: nothing changes, the second copy ends.
  start_second_tovrane
  probe press 注意 '否(&N)' 20000 >/dev/null || fail "no question from the second instance"
  sleep 1
  expect_eq "main window after No" "$(window_state TKWForm)" hidden

  # Yes: the first copy shows its main window; the second ends without a window of its own.
  start_second_tovrane
  local box
  for _ in $(seq 1 80); do
    box=$(probe boxes | grep '^注意' || true)
    [ -n "$box" ] && break
    sleep 0.25
  done
  [[ "$box" == *"Tovrane正在运行！"*"是否打开Tovrane主窗口？"* ]] || fail "question text: $box"
  probe press 注意 '是(&Y)' 5000 >/dev/null || fail "cannot answer Yes"
  wait_state TKWForm visible 10 || fail "the first instance's window did not show"
  # In front, with the keyboard focus on one of its controls.
  sleep 0.5
  local focus
  focus=$(probe focus)
  [ "${focus%%	*}" = TKWForm ] && [ "${focus#*	}" != - ] || fail "foreground and focus: $focus"
  for _ in $(seq 1 40); do
    [ "$(tovrane_pids)" = "$first" ] && break
    sleep 0.25
  done
  expect_eq "running copies" "$(tovrane_pids)" "$first"
  expect_eq "main windows" "$(probe windows TKWForm | wc -l)" 1
}

check_close_and_minimise_hide_to_the_tray() {
  start_tovrane
  first_run
  show_main_window
  probe post TKWForm 0x10 0 0                # WM_CLOSE
  wait_state TKWForm hidden 10 || fail "WM_CLOSE did not hide the window"
  tovrane_running || fail "WM_CLOSE ended the program"
  show_main_window
  probe post TKWForm 0x112 0xF060 0          # the title bar's close button
  wait_state TKWForm hidden 10 || fail "SC_CLOSE did not hide the window"
  show_main_window
  probe post TKWForm 0x112 0xF020 0          # the minimise button
  wait_state TKWForm hidden 10 || fail "minimising did not hide the window"
  tovrane_running || fail "the program ended"
  tray_shows_icon || fail "no tray icon"
}

check_menu_close_asks_and_quits() {
  export TOVR_DUMP_MENU='C:\menu.txt'
  start_tovrane
  first_run
  local dump=$WINEPREFIX/drive_c/menu.txt
  # "关闭" is the menu's last item: Up from the top wraps round to it, Enter chooses it.
  open_tray_menu "$dump" || fail "the tray menu did not open"
  probe key '#32768' 0x26 && probe key '#32768' 0x0D
  probe press 关闭 '否(&N)' 10000 >/dev/null || fail "no question after 关闭"
  sleep 1
  tovrane_running || fail "No ended the program"

  # The same item by its command, as the menu sends it.
  open_tray_menu "$dump" || fail "the tray menu did not open again"
  close_menu
  local id box
  id=$(awk -F'\t' '$1 == "关闭" { print $2 }' "$dump")
  [ -n "$id" ] || fail "no 关闭 in the menu dump"
  probe post TKWForm 0x111 "$id" 0
  for _ in $(seq 1 40); do
    box=$(probe boxes | grep '^关闭' || true)
    [ -n "$box" ] && break
    sleep 0.25
  done
  [[ "$box" == *"确实要退出 Tovrane 吗？"* ]] || fail "quit question: $box"
  probe press 关闭 '是(&Y)' 5000 >/dev/null || fail "cannot answer Yes"
  wait_exit 15 || fail "Tovrane.exe still running after Yes"
  tray_is_empty || fail "the tray icon stayed after quitting"
}

check_queryendsession_ends_without_question_or_write() {
  start_tovrane
  first_run
  show_main_window
  click_tab 6                                 # the settings page: a save would now write more
  sleep 1
  local before
  before=$(md5sum <"$E2E_APP_DIR/Config.ini")
  expect_eq "WM_QUERYENDSESSION answer" "$(probe send TKWForm 0x11 0 0)" 1
  wait_exit 15 || fail "Tovrane.exe still running after WM_QUERYENDSESSION"
  probe gone TKWForm 5000 || fail "TKWForm window still exists"
  expect_eq "Config.ini" "$(md5sum <"$E2E_APP_DIR/Config.ini")" "$before"
  tray_is_empty || fail "the tray icon stayed"
}
