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

# The tray hint shows the free memory within a few seconds of the start, with no message box
# (Wine's performance data has no Processor object: the load comes from the processor times);
# the page shows the loaded levels; "立即整理内存" with defragmentSizeSlider 2 runs, and the tray hint
# shows the running text until the next tick.
check_memory_hint_levels_and_defragment_now() {
  memory_config $'MemRange=2\r\nMemLimitV=20\r\nCPULimitV=30\r\nMemLimit=1\r\nCPULimit=1\r\n'
  start_tovrane
  local tip
  tip=$(wait_tooltip "$FREE_LINE" 10) || fail "tray hint within a few seconds of the start: '$tip'"
  sleep 3
  expect_eq "message boxes" "$(probe boxes)" ""
  show_main_window
  click_tab 4
  sleep 0.5
  local texts caption
  texts=$(memory_children | cut -f2)
  for caption in "整理0-2MB的内存区域" "当可用物理内存小于 20% 时自动进行内存整理" \
      "当CPU占用率超过 30% 时不自动进行内存整理" "CPU 的占用率" "可用物理内存" "可用交换内存" \
      "可用虚拟内存" "内存整理进度"; do
    grep -qxF "$caption" <<<"$texts" || fail "no caption '$caption' on the memory page"
  done
  expect_eq "defragmentSizeSlider position" "$(probe sendchild TKWForm msctls_trackbar32 0x400 0 0)" 2   # TBM_GETPOS
  local id
  id=$(probe children TKWForm | awk -F'\t' '$3 == "Button" && $4 == "立即整理内存" { print $2; exit }')
  [ -n "$id" ] || fail "no button 立即整理内存 on the memory page"
  # BM_CLICK is sent: it returns when the run (2 MiB) and its closing tick are done.
  probe click TKWForm "$id" || fail "cannot press 立即整理内存"
  tip=$(tray_tooltip)
  expect_eq "tray hint right after the run" "$tip" "Tovrane 正在整理内存..."
  # The gauges: free physical memory (the second) shows a figure, the progress gauge (the
  # last) ran to its end, 4 steps of 4; the button is back.
  local gauges
  gauges=$(memory_children | awk -F'\t' '$1 == "TovrGauge" { print $2 }')
  [[ "$(sed -n 2p <<<"$gauges")" =~ ^[1-9][0-9]*%$ ]] || fail "free physical memory gauge: $gauges"
  expect_eq "progress gauge" "$(tail -n 1 <<<"$gauges")" "100%"
  expect_eq "button after the run" "$(memory_children | awk -F'\t' '$2 == "立即整理内存" { print $3 }')" enabled
  # The next regular tick (3 s after the run) brings the free memory line back.
  tip=$(wait_tooltip "$FREE_LINE" 10) || fail "the running hint stayed: '$tip'"
}
