# The save button: the settings page's keys are written only once that page has been shown.

SAVE_BUTTON_ID=208  # the side button saveButton (保存设置); see kIdSaveButton in src/app/win32/MainLayout.h

# save: presses saveButton. The click is sent, so the save has run when the probe returns; it must
# not have shown an error box.
save() {
  probe click TKWForm "$SAVE_BUTTON_ID" || fail "cannot press saveButton"
  local boxes
  boxes=$(probe boxes)
  [ -z "$boxes" ] || fail "a box after the save: $boxes"
}

check_save_writes_the_settings_keys_after_the_settings_page() {
  start_tovrane
  press_greeting
  wait_config || fail "no Config.ini"
  show_main_window

  # Settings page never shown: the A keys are written, the S keys are not.
  save
  expect_eq "IconR" "$(config_value IconR)" 384          # half the 768-pixel screen
  expect_eq "AutoRefIcon" "$(config_value AutoRefIcon)" 1
  expect_eq "Greeting" "$(config_value Greeting)" Thank
  local key
  for key in Transparent transparence TBTransparent MUTransparent transTaskBar transMenu SortMenu AutoUpdate; do
    [ -z "$(config_value "$key")" ] || fail "$key written before the settings page was shown"
  done

  # Showing the settings page once makes every save write them.
  click_tab 6
  sleep 1
  save
  expect_eq "Transparent" "$(config_value Transparent)" 0
  expect_eq "transparence" "$(config_value transparence)" 200
  expect_eq "TBTransparent" "$(config_value TBTransparent)" 0
  expect_eq "MUTransparent" "$(config_value MUTransparent)" 0
  expect_eq "transTaskBar" "$(config_value transTaskBar)" 200
  expect_eq "transMenu" "$(config_value transMenu)" 200
  expect_eq "SortMenu" "$(config_value SortMenu)" 0
  expect_eq "AutoUpdate" "$(config_value AutoUpdate)" 1
  # The key is written with the spelling the save uses.
  config_text | grep -q '^transparence=200$' || fail "transparence not spelt as the save writes it"
  # autoRunBox stays ticked: the save keeps the Run value.
  expect_eq "Run value Tovr" "$(run_value Tovr)" 'C:\Tovrane\Tovrane.exe'

  # Unticking autoRunBox (随Windows启动自动运行) and saving removes our own Run value.
  click_control 随Windows启动自动运行
  save
  expect_eq "Run value Tovr after unticking autoRunBox" "$(run_value Tovr)" ""
}
