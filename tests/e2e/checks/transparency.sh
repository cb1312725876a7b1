# Window transparency: the saved alphas applied at start-up, the taskbar opaque again after
# unticking, a window of the test made translucent from the tray submenu, and the window list
# on its page (build/screenshots/transparency-page.png).

# layered_alpha CLASS: "layered ALPHA" of the first window of CLASS, as GetLayeredWindowAttributes
# reads it from outside, or "plain" without the layered style.
layered_alpha() {
  local line ex
  line=$(probe windows "$1" | head -n 1)
  ex=$(cut -f5 <<<"$line")
  [ -n "$ex" ] || fail "no window of class $1"
  if (( ex & 0x80000 )); then echo "layered $(cut -f6 <<<"$line")"; else echo plain; fi
}


check_saved_alphas_apply_at_start_up_and_unticking_makes_the_taskbar_opaque() {
  printf '[Option]\r\nGreeting=Thank\r\nTransparent=1\r\nTransparence=150\r\nTBTransparent=1\r\ntransTaskBar=90\r\n' \
    >"$E2E_APP_DIR/Config.ini"
  start_tovrane
  sleep 1
  expect_eq "main window" "$(layered_alpha TKWForm)" "layered 150"
  expect_eq "taskbar" "$(layered_alpha Shell_TrayWnd)" "layered 90"

  show_main_window
  click_tab 5
  sleep 0.5
  local taskbar_box
  taskbar_box=$(control_id 任务栏半透明效果)
  [ -n "$taskbar_box" ] || fail "no translucentTaskbarBox box"
  probe click TKWForm "$taskbar_box" || fail "cannot untick translucentTaskbarBox"
  # Opaque again, the taskbar loses the layered style Tovrane gave it.
  expect_eq "taskbar after unticking" "$(layered_alpha Shell_TrayWnd)" plain
}

check_a_window_chosen_from_the_tray_submenu_gets_the_slider_alpha() {
  export TOVR_DUMP_MENU='C:\menu.txt'
  printf '[Option]\r\nGreeting=Thank\r\n' >"$E2E_APP_DIR/Config.ini"
  start_tovrane
  # Two windows of the test; the second is above the first in the Z order. The list leaves out
  # its lowest window (on Windows the desktop), here the first.
  local n=0 title
  for title in 记事本 测试窗口; do
    n=$((n + 1))
    wine "$TOVR_BUILD/win64/probe.exe" window "TovrHelper$n" "$title" 240000 >>"$TOVR_WINE/wine.log" 2>&1 &
    TOVR_STARTED_PIDS+=($!)
    wait_window "TovrHelper$n" 30 || fail "no helper window $title"
  done

  # Showing the page lists the windows; applyChosenWindowAlphaButton without a line asks for one.
  show_main_window
  click_tab 5
  sleep 0.7
  local lines
  lines=$(probe sendchild TKWForm ListBox 0x18B 0 0)               # LB_GETCOUNT of windowList
  [ "$lines" -ge 2 ] || fail "the window list shows $lines lines"
  mkdir -p "$TOVR_BUILD/screenshots"
  window_shot "$TOVR_BUILD/screenshots/transparency-page.png"
  probe click TKWForm "$(control_id 设置窗口透明)" &               # returns when the box closes
  local click=$! box=
  for _ in $(seq 1 50); do box=$(probe boxes | grep '^错误' || true); [ -n "$box" ] && break; sleep 0.2; done
  [[ "$box" == *$'\t'请选择要透明的窗口。* ]] || fail "no box for applyChosenWindowAlphaButton without a selection: '$box'"
  probe press 错误 "$SYSTEM_OK" 10000 >/dev/null || fail "cannot close the box"
  wait "$click" || true

  # A click on chosenWindowAlphaSlider's channel right of the thumb moves it by its page size; chosenWindowAlphaValueLabel follows.
  local t r b
  IFS=, read -r _ t r b < <(probe children TKWForm |
    awk -F'\t' '$3 == "msctls_trackbar32" && $5 == "visible" { print $7; exit }')
  xdotool mousemove $(( r - 20 )) $(( (t + b) / 2 )) click 1
  sleep 0.5
  [ -n "$(control_id 205)" ] || fail "chosenWindowAlphaValueLabel does not show 205"

  local dump=$WINEPREFIX/drive_c/menu.txt id
  open_tray_menu "$dump" || fail "no tray menu"
  close_menu
  id=$(awk -F'\t' '$1 == "  测试窗口" { print $2; exit }' "$dump")
  [ -n "$id" ] || fail "no entry for the helper window"
  expect_eq "helper before" "$(layered_alpha TovrHelper2)" plain
  probe post TKWForm 0x111 "$id" 0                                 # WM_COMMAND, as the menu sends it
  sleep 0.5
  expect_eq "helper after" "$(layered_alpha TovrHelper2)" "layered 205"
}
