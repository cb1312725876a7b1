# The memory page: the tray hint with the free memory, the defragmentation on demand with its
# running hint, and the page's captions from the loaded levels.

# memory_config LINES: Config.ini (no first-run greeting) with these [Option] lines.
memory_config() {
  printf '[Option]\r\nGreeting=Thank\r\n%s' "$1" >"$E2E_APP_DIR/Config.ini"
}

# wait_tooltip PATTERN SECONDS: hovers over the tray icon until its tooltip matches the
# extended regular expression; prints the last tooltip seen.
wait_tooltip() {
  local tip= i
  for i in $(seq 1 "$2"); do
    tip=$(tray_tooltip || true)
    grep -qE "$1" <<<"$tip" && { echo "$tip"; return 0; }
    sleep 0.5
  done
  echo "$tip"
  return 1
}

# memory_children: the main window's children on the memory page: class, text, enabled.
memory_children() { probe children TKWForm | awk -F'\t' '{ print $3 "\t" $4 "\t" $6 }'; }

FREE_LINE='^Tovrane  可用内存：[0-9]+ %$'

check_tray_hint_shows_free_memory_after_start() {
  memory_config ''
  start_tovrane
  tray_shows_icon || fail "no icon in the tray"
  local tip
  tip=$(wait_tooltip "$FREE_LINE" 10) || fail "tray hint within a few seconds: '$tip'"
  # Wine's performance data has no Processor object: the load comes from the processor times,
  # without a message box.
  sleep 4
  expect_eq "message boxes" "$(probe boxes)" ""
}

check_defragment_now_shows_the_running_hint_until_the_next_tick() {
  memory_config $'MemRange=2\r\n'
  start_tovrane
  wait_tooltip "$FREE_LINE" 10 >/dev/null || fail "no free memory line before the run"
  show_main_window
  click_tab 4
  sleep 0.5
  local id
  id=$(probe children TKWForm | awk -F'\t' '$3 == "Button" && $4 == "立即整理内存" { print $2; exit }')
  [ -n "$id" ] || fail "no button 立即整理内存 on the memory page"
  # BM_CLICK is sent: it returns when the run (2 MiB) and its closing tick are done.
  probe click TKWForm "$id" || fail "cannot press 立即整理内存"
  local tip
  tip=$(tray_tooltip)
  expect_eq "tray hint right after the run" "$tip" "Tovrane 正在整理内存..."
  # The progress gauge ran to its end (4 steps of 4), and the button is back.
  expect_eq "gauges" "$(memory_children | awk -F'\t' '$1 == "TovrGauge" { print $2 }' | tail -n 1)" "100%"
  expect_eq "button after the run" "$(memory_children | awk -F'\t' '$2 == "立即整理内存" { print $3 }')" enabled
  # The next regular tick (3 s after the run) brings the free memory line back.
  tip=$(wait_tooltip "$FREE_LINE" 10) || fail "the running hint stayed: '$tip'"
}

check_memory_page_captions_show_the_loaded_levels() {
  memory_config $'MemRange=64\r\nMemLimitV=20\r\nCPULimitV=30\r\nMemLimit=1\r\nCPULimit=1\r\n'
  start_tovrane
  show_main_window
  click_tab 4
  sleep 0.5
  local texts
  texts=$(memory_children | cut -f2)
  local caption
  for caption in "整理0-64MB的内存区域" "当可用物理内存小于 20% 时自动进行内存整理" \
      "当CPU占用率超过 30% 时不自动进行内存整理" "CPU 的占用率" "可用物理内存" "可用交换内存" \
      "可用虚拟内存" "内存整理进度"; do
    grep -qxF "$caption" <<<"$texts" || fail "no caption '$caption' on the memory page"
  done
  expect_eq "MemLevel position" "$(probe sendchild TKWForm msctls_trackbar32 0x400 0 0)" 64   # TBM_GETPOS
  # The monitor's gauges show figures: free physical memory is never 0 % here.
  local physical
  physical=$(memory_children | awk -F'\t' '$1 == "TovrGauge" { print $2 }' | sed -n 2p)
  [[ "$physical" =~ ^[0-9]+%$ ]] && [ "$physical" != "0%" ] || fail "free physical memory gauge: '$physical'"
}
