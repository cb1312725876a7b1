#include "shortcuts/ShortcutLauncher.h"

#include "shortcuts/ShortcutEntry.h"
#include "shortcuts/ShortcutList.h"

namespace tovr::shortcuts {

void ShortcutLauncher::RunTarget(const std::string& target) {
  switch (TargetKindOf(files_, target)) {
    case TargetKind::Url:
      shell_.Open(kOpenVerb, target, "", "", kShowDefault);
      break;
    case TargetKind::File:
      shell_.Open(kOpenVerb, target, "", FolderPart(target), kShowDefault);
      break;
    case TargetKind::Folder:
      shell_.Open(kExploreVerb, target, "", FolderPart(target), kShowDefault);
      break;
    case TargetKind::Missing:
      messages_.Show(kMissingTargetMessage, kMissingTargetCaption, kMissingTargetFlags);
      break;
  }
}

void ShortcutLauncher::OnShortcutRowDoubleClicked(const ShortcutList& list) {
  if (const std::optional<std::size_t> row = list.FirstSelected()) RunTarget(list[*row].target);
}

}  // namespace tovr::shortcuts
