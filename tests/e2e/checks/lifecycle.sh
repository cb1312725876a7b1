# Start-up and the ways the program ends.

check_starts_hidden_and_ends_on_queryendsession() {
  start_tovrane
  local line
  line=$(probe windows TKWForm)
  [[ "$line" == *$'\thidden\t'* ]] || fail "TKWForm should be hidden: $line"
  # WM_QUERYENDSESSION: Windows may go on ending (1), and the program ends by itself.
  expect_eq "WM_QUERYENDSESSION answer" "$(probe send TKWForm 0x11 0 0)" 1
  wait_exit 15 || fail "Tovrane.exe still running after WM_QUERYENDSESSION"
  probe gone TKWForm 5000 || fail "TKWForm window still exists"
}

check_ends_on_close() {
  start_tovrane
  probe post TKWForm 0x10 0 0 || fail "posting WM_CLOSE failed"
  wait_exit 15 || fail "Tovrane.exe still running after WM_CLOSE"
}
