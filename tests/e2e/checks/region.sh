# The spine again on an English (United States) system: the user's region and code page come
# from the Unix locale (short date M/d/yyyy, code page 1252). Texts, Config.ini in GBK and the
# menus come out as on a Chinese system, and the version file's dates are still read.

here_region=$(dirname "${BASH_SOURCE[0]}")
source "$here_region/lifecycle.sh"
source "$here_region/traymenu.sh"
source "$here_region/settings.sh"
source "$here_region/update.sh"

# in_english_region CHECK: runs CHECK with this check's Wine under en_US.UTF-8, then makes sure
# Wine took the region (Wine rewrites the user's International key from the Unix locale).
in_english_region() {
  export LC_ALL=en_US.UTF-8 LANG=en_US.UTF-8
  SYSTEM_OK=OK SYSTEM_CANCEL=Cancel SYSTEM_FOLDER_CHOOSER='Browse for Folder'
  "$1"
  expect_eq "short date format" "$(reg_data 'HKCU\Control Panel\International' sShortDate)" "M/d/yyyy"
}

check_english_region_first_start() { in_english_region check_first_start_greets_sets_up_and_lives_in_the_tray; }
check_english_region_tray_menu() { in_english_region check_right_click_opens_the_menu_at_the_pointer; }
check_english_region_save() { in_english_region check_save_writes_the_settings_keys_after_the_settings_page; }
check_english_region_update_check_reads_the_version_files_date() {
  in_english_region check_newer_release_rises_at_the_bottom_right_and_downloads
}
