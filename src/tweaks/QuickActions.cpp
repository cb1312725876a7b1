#include "tweaks/QuickActions.h"

namespace tovr::tweaks {

void QuickActions::mrsClick() {
  const std::optional<bool> active = shell_.ScreenSaverActive();
  if (!active) return;  // the system could not say: nothing to do
  if (*active) {
    shell_.PostToDesktop(kWmSysCommand, kScScreenSave, 0);
  } else {
    messages_.Show(kNoScreenSaverText, kQuickErrorCaption, kNoScreenSaverFlags);
  }
}

void QuickActions::mospClick() {
  shell_.Execute("", "rundll32", "shell32,Control_RunDLL \"desk.cpl\"", "", kSwHide);
}

void QuickActions::menuopencdClick() { shell_.SendMciCommand(kOpenCdDoor); }

void QuickActions::menuclosecdClick() { shell_.SendMciCommand(kCloseCdDoor); }

void QuickActions::Mail(const char* subject) {
  shell_.Execute("open", std::string("mailto:") + kFeedbackAddress + "?subject=" + subject, "", "",
                 kSwShowDefault);
}

void QuickActions::sbmailClick() { Mail(kMailSubject); }

void QuickActions::N9Click() { Mail(kFeedbackSubject); }

void QuickActions::sbwebClick() { shell_.Execute("open", kHomePageUrl, "", "", kSwShowDefault); }

void QuickActions::m306Click() {
  if (HelpFileExists()) {
    shell_.Execute("open", helpPath_, "", "", kSwShowDefault);
  } else {
    messages_.Show(kNoHelpText, kQuickErrorCaption, kNoHelpFlags);
  }
}

}  // namespace tovr::tweaks
