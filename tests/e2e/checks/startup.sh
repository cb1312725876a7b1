# The startup page against the real registry: rows from the Run and NeverRun keys of both roots;
# unticking and ticking moves a value between Run and NeverRun at the save; what the list does
# not hold (a REG_DWORD value, a subkey, the expandable type of a string) survives.

STARTUP_LIST_ID=304  # startupList: kIdStartupList in src/app/win32/MainLayout.h; saveButton is 208
KEYS='SOFTWARE\Microsoft\Windows\CurrentVersion'

# reg_add ARGS: `reg add` in the 64-bit view, where 64-bit programs register (with Wine's 32-bit
# support installed, `wine reg` is the 32-bit reg.exe, which writes under WOW6432Node).
reg_add() { timeout 60 wine reg add "$@" /reg:64 /f >/dev/null 2>&1 || fail "reg add $*"; }

# startup_rows: "check<TAB>name<TAB>command<TAB>location" per row of startupList (check: 1 unticked,
# 2 ticked); click_check NAME: a real click on that row's check box; save_startup: saveButton, no box.
startup_rows() { probe listrows TKWForm "$STARTUP_LIST_ID" | cut -f2-5; }
click_check() {
  local point
  point=$(probe listrows TKWForm "$STARTUP_LIST_ID" | awk -F'\t' -v n="$1" '$3 == n { print $6; exit }')
  [ -n "$point" ] || fail "no row $1"
  xdotool mousemove "${point%,*}" "${point#*,}" click 1
  sleep 0.5
}
save_startup() {
  probe click TKWForm 208 || fail "cannot press saveButton"
  [ -z "$(probe boxes)" ] || fail "a box after the save: $(probe boxes)"
}

check_startup_page_moves_entries_and_keeps_what_it_does_not_list() {
  printf '[Option]\r\nGreeting=Thank\r\n' >"$E2E_APP_DIR/Config.ini"
  mkdir -p "$WINEPREFIX/drive_c/Apps"  # programs that exist give their rows icons
  cp "$TOVR_BUILD/win64/probe.exe" "$WINEPREFIX/drive_c/Apps/tool.exe"
  cp "$TOVR_BUILD/win64/probe.exe" "$WINEPREFIX/drive_c/Apps/alpha.exe"
  reg_add "HKLM\\$KEYS\\Run" /v 全局工具 /d 'C:\Apps\tool.exe /min'
  reg_add "HKLM\\$KEYS\\NeverRun" /v Parked /d 'C:\Apps\parked.exe'
  reg_add "HKCU\\$KEYS\\Run" /v Alpha /d 'C:\Apps\alpha.exe -s'
  reg_add "HKCU\\$KEYS\\Run" /v Beta /t REG_EXPAND_SZ /d '%SystemRoot%\notepad.exe'
  reg_add "HKCU\\$KEYS\\Run\\Sub" /v Inner /d kept
  reg_add "HKCU\\$KEYS\\Run" /v zzCounter /t REG_DWORD /d 7  # not a string: the load stops here

  start_tovrane
  local box
  box=$(probe boxes)
  [ -n "$box" ] || { sleep 2; box=$(probe boxes); }
  [[ "$box" == Tovrane$'\t'*"Invalid data type for 'zzCounter'."* ]] || fail "start-up error box: $box"
  probe press Tovrane "$SYSTEM_OK" 5000 >/dev/null || fail "cannot close the error box"
  show_main_window
  click_tab 3
  sleep 0.7
  expect_eq "rows" "$(startup_rows)" "$(printf '%s\n' $'2\tAlpha\tC:\\Apps\\alpha.exe -s\t当前用户' \
    $'2\tBeta\t%SystemRoot%\\notepad.exe\t当前用户' $'1\tParked\tC:\\Apps\\parked.exe\t所有用户' \
    $'2\t全局工具\tC:\\Apps\\tool.exe /min\t所有用户')"
  mkdir -p "$TOVR_BUILD/screenshots"
  window_shot "$TOVR_BUILD/screenshots/startup-page.png"

  click_check Alpha
  expect_eq "Alpha's tick" "$(startup_rows | awk -F'\t' '$2 == "Alpha" { print $1 }')" 1
  save_startup
  expect_eq "Alpha in Run" "$(reg_value "HKCU\\$KEYS\\Run" Alpha)" ""
  expect_eq "Alpha in NeverRun" "$(reg_value "HKCU\\$KEYS\\NeverRun" Alpha)" 'REG_SZ C:\Apps\alpha.exe -s'
  click_check Alpha
  save_startup
  expect_eq "Alpha back in Run" "$(reg_value "HKCU\\$KEYS\\Run" Alpha)" 'REG_SZ C:\Apps\alpha.exe -s'
  expect_eq "Alpha in NeverRun" "$(reg_value "HKCU\\$KEYS\\NeverRun" Alpha)" ""

  # Renamed in place (LVM_EDITLABELW on row 1, Beta), the value is renamed at the save.
  probe sendid TKWForm "$STARTUP_LIST_ID" 0x1076 1 0 >/dev/null || fail "no label edit"
  sleep 0.5
  xdotool key ctrl+a type Gamma
  xdotool key Return
  sleep 0.5
  expect_eq "renamed row" "$(startup_rows | cut -f2 | paste -sd,)" "Alpha,Gamma,Parked,全局工具"
  save_startup
  expect_eq "Beta" "$(reg_value "HKCU\\$KEYS\\Run" Beta)" ""
  expect_eq "Gamma" "$(reg_value "HKCU\\$KEYS\\Run" Gamma)" 'REG_EXPAND_SZ %SystemRoot%\notepad.exe'

  expect_eq "REG_DWORD" "$(reg_value "HKCU\\$KEYS\\Run" zzCounter)" "REG_DWORD 0x7"
  expect_eq "subkey value" "$(reg_value "HKCU\\$KEYS\\Run\\Sub" Inner)" "REG_SZ kept"
  expect_eq "all-users parked" "$(reg_value "HKLM\\$KEYS\\NeverRun" Parked)" 'REG_SZ C:\Apps\parked.exe'
}

# The rows Windows starts on Windows 10: a 64-bit and a 32-bit all-users entry, a current-user
# entry switched off in Task Manager (StartupApproved 03...), a shortcut in the user's Startup
# folder and one in all users' folder switched off too; the ticks are switched where Windows
# keeps them.
check_startup_page_agrees_with_what_windows_starts() {
  printf '[Option]\r\nGreeting=Thank\r\n' >"$E2E_APP_DIR/Config.ini"
  reg_add 'HKCU\Software\Wine' /v Version /d win10  # what winecfg's version choice writes
  local approved="$KEYS\\Explorer\\StartupApproved" wow="SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion"
  local app
  mkdir -p "$WINEPREFIX/drive_c/Apps"
  for app in sys64 sys32 quiet notes sync; do cp "$TOVR_BUILD/win64/probe.exe" "$WINEPREFIX/drive_c/Apps/$app.exe"; done
  reg_add "HKLM\\$KEYS\\Run" /v Sys64 /d 'C:\Apps\sys64.exe'
  timeout 60 wine reg add "HKLM\\$KEYS\\Run" /v Sys32 /d 'C:\Apps\sys32.exe' /reg:32 /f >/dev/null 2>&1 ||
    fail "reg add in the 32-bit view"
  reg_add "HKCU\\$KEYS\\Run" /v Quiet /d 'C:\Apps\quiet.exe'
  reg_add "HKCU\\$approved\\Run" /v Quiet /t REG_BINARY /d 030000000102030405060708
  reg_add "HKLM\\$approved\\StartupFolder" /v Sync.lnk /t REG_BINARY /d 030000000102030405060708
  local user common
  user=$(ls -d "$WINEPREFIX"/drive_c/users/*/AppData/Roaming/Microsoft/Windows/Start\ Menu/Programs/StartUp |
    grep -v /Public/ | head -n 1)
  common="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/StartUp"
  [ -d "$user" ] && [ -d "$common" ] || fail "no Startup folders: '$user', '$common'"
  start_empty_desktop  # the shell's link object wants a desktop
  probe link 'C:\Apps\notes.exe' "$(winepath -w "$user")\\Notes.lnk" || fail "no Notes.lnk"
  probe link 'C:\Apps\sync.exe' "$(winepath -w "$common")\\Sync.lnk" || fail "no Sync.lnk"
  launch_tovrane
  show_main_window
  click_tab 3
  sleep 0.7
  expect_eq "rows" "$(startup_rows)" "$(printf '%s\n' \
    $'2\tNotes.lnk\tC:\\Apps\\notes.exe\t当前用户（启动文件夹）' $'1\tQuiet\tC:\\Apps\\quiet.exe\t当前用户' \
    $'1\tSync.lnk\tC:\\Apps\\sync.exe\t所有用户（启动文件夹）' $'2\tSys32\tC:\\Apps\\sys32.exe\t所有用户（32位）' \
    $'2\tSys64\tC:\\Apps\\sys64.exe\t所有用户')"
  mkdir -p "$TOVR_BUILD/screenshots"
  window_shot "$TOVR_BUILD/screenshots/startup-sources.png"

  click_check Quiet
  click_check Sys32
  click_check Notes.lnk
  save_startup
  expect_eq "Quiet switched on" "$(reg_value "HKCU\\$approved\\Run" Quiet)" "REG_BINARY 020000000000000000000000"
  expect_eq "Quiet in Run" "$(reg_value "HKCU\\$KEYS\\Run" Quiet)" 'REG_SZ C:\Apps\quiet.exe'
  expect_eq "Sys32 in Run" "$(reg_value "HKLM\\$wow\\Run" Sys32)" ""
  expect_eq "Sys32 in NeverRun" "$(reg_value "HKLM\\$wow\\NeverRun" Sys32)" 'REG_SZ C:\Apps\sys32.exe'
  [[ "$(reg_value "HKCU\\$approved\\StartupFolder" Notes.lnk)" == "REG_BINARY 03000000"* ]] ||
    fail "Notes.lnk not switched off: $(reg_value "HKCU\\$approved\\StartupFolder" Notes.lnk)"
  [ -f "$user/Notes.lnk" ] || fail "Notes.lnk was removed"
  expect_eq "Sys64 untouched" "$(reg_value "HKLM\\$KEYS\\Run" Sys64)" 'REG_SZ C:\Apps\sys64.exe'
}
