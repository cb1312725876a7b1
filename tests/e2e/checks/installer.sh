# The release's 64-bit installer: a silent per-user install, Tovrane started from its Start-menu
# shortcut, and a silent uninstall that leaves nothing behind. scripts/package makes the
# installer; this check runs it first when dist/ has none newer than the build's exe.

# The files of the prefix's drive C: (Wine's temporary folders left out).
drive_c_listing() {
  (cd "$WINEPREFIX/drive_c" && find . -path '*/Temp' -prune -o -print | LC_ALL=C sort)
}

check_installer_installs_starts_and_uninstalls_cleanly() {
  local setup
  setup=$(ls "$TOVR_ROOT"/dist/Tovrane-*-win64-setup.exe 2>/dev/null | head -n 1)
  if [ -z "$setup" ] || [ "$setup" -ot "$TOVR_BUILD/win64/Tovrane.exe" ]; then
    "$TOVR_ROOT/scripts/package" >"$TOVR_BUILD/test-logs/package.log" 2>&1 || fail "scripts/package failed"
    setup=$(ls "$TOVR_ROOT"/dist/Tovrane-*-win64-setup.exe | head -n 1)
  fi
  local version
  version=$(basename "$setup" | sed 's/^Tovrane-\(.*\)-win64-setup\.exe$/\1/')
  start_empty_desktop
  local appdata programs
  appdata=$(timeout 60 wine cmd /c 'echo %LOCALAPPDATA%' | tr -d '\r')
  programs=$(timeout 60 wine cmd /c 'echo %APPDATA%' | tr -d '\r')'\Microsoft\Windows\Start Menu\Programs'
  local dir_win="$appdata\\Programs\\Tovrane"
  local dir lnk
  dir=$(winepath -u "$dir_win" 2>/dev/null)
  lnk=$(winepath -u "$programs\\Tovrane.lnk" 2>/dev/null)
  local uninst_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tovrane'
  local before
  before=$(drive_c_listing)

  timeout 120 wine "$setup" /S || fail "the silent install failed"
  expect_eq "installed files" "$(ls "$dir" | tr '\n' ' ')" "LICENSE.txt README.txt Tovrane.exe Uninstall.exe "
  cmp -s "$dir/Tovrane.exe" "$TOVR_BUILD/win64/Tovrane.exe" || fail "the installed exe is not the build's"
  [ -f "$lnk" ] || fail "no Start-menu shortcut at $lnk"
  expect_eq "uninstall entry" "$(reg_value "$uninst_key" DisplayVersion)" "REG_SZ $version"

  # Started from the shortcut, Tovrane runs from its folder: first-run greeting, Config.ini
  # beside the exe, autorun set to the installed exe, its icon in the tray.
  wine start "$programs\\Tovrane.lnk" >>"$TOVR_WINE/wine.log" 2>&1
  wait_window TKWForm 60 || fail "the installed Tovrane did not start"
  press_greeting
  for _ in $(seq 1 100); do [ -f "$dir/Config.ini" ] && break; sleep 0.1; done
  [ -f "$dir/Config.ini" ] || fail "no Config.ini beside the installed exe"
  expect_eq "Run value Tovr" "$(run_value Tovr)" "$dir_win\\Tovrane.exe"
  tray_shows_icon || fail "no tray icon"
  # Saved icon positions and a damaged file the last save kept aside.
  printf '\xff\xfe' >"$dir/IconLayout.ini"
  printf 'x' >"$dir/IconLayout.ini.bak"

  # The uninstaller ends the running Tovrane and removes everything.
  timeout 60 wine "$dir_win\\Uninstall.exe" /S || fail "the silent uninstall failed"
  for _ in $(seq 1 120); do [ -d "$dir" ] || break; sleep 0.25; done
  [ ! -d "$dir" ] || fail "left in the install folder: $(ls "$dir")"
  probe gone TKWForm 10000 || fail "Tovrane still runs"
  tray_is_empty || fail "the tray icon stayed"
  [ ! -e "$lnk" ] || fail "the Start-menu shortcut stayed"
  expect_eq "uninstall key" "$(probe reg "$uninst_key")" ""
  expect_eq "Run value Tovr" "$(run_value Tovr)" ""
  expect_eq "files on drive C: after the uninstall" "$(diff <(echo "$before") <(drive_c_listing) | grep '^[<>]' || true)" ""
}
