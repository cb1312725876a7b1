# Twenty starts of Tovrane.exe at the same moment: one copy runs, the others ask and end.

check_twenty_simultaneous_starts_leave_one_instance() {
  printf '[Option]\r\nGreeting=Thank\r\nIconStyle=0\r\n' >"$E2E_APP_DIR/Config.ini"
  local before
  before=$(md5sum <"$E2E_APP_DIR/Config.ini")
  start_empty_desktop
  local pids=() i
  for i in $(seq 1 20); do
    wine "$E2E_EXE" >>"$TOVR_WINE/wine.log" 2>&1 &
    pids+=($!)
  done
  TOVR_STARTED_PIDS+=("${pids[@]}")

  # The copy that got the mutex starts up; each of the other 19 asks.
  wait_window TKWForm 90 || fail "no main window"
  local asking=0
  for i in $(seq 1 360); do
    asking=$(probe boxes | grep -c '^注意' || true)
    [ "$asking" -ge 19 ] && break
    sleep 0.25
  done
  expect_eq "copies asking" "$asking" 19
  # Ten answer No, nine Yes: the running copy shows its main window.
  for i in $(seq 1 19); do
    if [ "$i" -le 10 ]; then probe press 注意 '否(&N)' 10000 >/dev/null || fail "cannot answer No ($i)"
    else probe press 注意 '是(&Y)' 10000 >/dev/null || fail "cannot answer Yes ($i)"; fi
  done
  wait_state TKWForm visible 10 || fail "the running copy did not show its main window"

  # The 19 end with exit code 0; exactly one copy, one main window and one tray icon remain.
  local ended=0 zero=0 status pid
  for i in $(seq 1 120); do
    ended=0
    for pid in "${pids[@]}"; do kill -0 "$pid" 2>/dev/null || ended=$((ended + 1)); done
    [ "$ended" -ge 19 ] && break
    sleep 0.25
  done
  expect_eq "copies that ended" "$ended" 19
  for pid in "${pids[@]}"; do
    kill -0 "$pid" 2>/dev/null && continue
    wait "$pid"; status=$?
    [ "$status" -eq 0 ] && zero=$((zero + 1))
  done
  expect_eq "copies that ended with exit code 0" "$zero" 19
  expect_eq "running copies" "$(tovrane_pids | wc -l)" 1
  expect_eq "main windows" "$(probe windows TKWForm | wc -l)" 1
  tray_shows_one_icon || fail "not exactly one tray icon"
  [ -z "$(probe boxes)" ] || fail "a box is left: $(probe boxes)"
  # Nothing was written: Config.ini as it was, no other file beside the exe.
  expect_eq "Config.ini" "$(md5sum <"$E2E_APP_DIR/Config.ini")" "$before"
  expect_eq "files beside the exe" "$(ls "$E2E_APP_DIR" | tr '\n' ' ')" "Config.ini Tovrane.exe "
}
