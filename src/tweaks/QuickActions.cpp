#include "tweaks/QuickActions.h"

namespace tovr::tweaks {

void QuickActions::OnScreenSaverItemClicked() {
  const std::optional<bool> active = shell_.ScreenSaverActive();
  if (!active) return;  // the system could not say: nothing to do
  if (*active) {
    shell_.PostToDesktop(kWmSysCommand, kScScreenSave, 0);
  } else {
    messages_.Show(kNoScreenSaverText, kQuickErrorCaption, kNoScreenSaverFlags);
  }
}

void QuickActions::OnDisplayPropertiesItemClicked() {
  shell_.Execute("", "rundll32", "shell32,Control_RunDLL \"desk.cpl\"", "", kSwHide);
}

void QuickActions::OnOpenCdDriveItemClicked() { shell_.SendMciCommand(kOpenCdDoor); }

void QuickActions::OnCloseCdDriveItemClicked() { shell_.SendMciCommand(kCloseCdDoor); }

void QuickActions::Mail(const char* subject) {
  shell_.Execute("open", std::string("mailto:") + kFeedbackAddress + "?subject=" + subject, "", "",
                 kSwShowDefault);
}

void QuickActions::OnMailButtonClicked() { Mail(kMailSubject); }

void QuickActions::OnFeedbackItemClicked() { Mail(kFeedbackSubject); }

void QuickActions::OnHomePageButtonClicked() { shell_.Execute("open", kHomePageUrl, "", "", kSwShowDefault); }

void QuickActions::OnHelpItemClicked() {
  if (HelpFileExists()) {
    shell_.Execute("open", helpPath_, "", "", kSwShowDefault);
  } else {
    messages_.Show(kNoHelpText, kQuickErrorCaption, kNoHelpFlags);
  }
}

}  // namespace tovr::tweaks
