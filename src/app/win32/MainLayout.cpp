#include "app/win32/MainLayout.h"

#include "app/MainForm.h"

namespace tovr::app::win32 {

namespace {

// Check boxes and labels are one line of the 12-pixel font: 20 pixels tall; spin edits and
// edit fields 20, track bars 28. Widths leave room for the caption plus the check mark.
constexpr ControlPlace kPlaces[] = {
    // TSWP: the wallpaper list at the top; the options below it at the left, the preview at
    // the right. CB and L2 sit indented under CA.
    {"CA", kPageWallpaper, {8, 160, 104, 20}},
    {"SPInt", kPageWallpaper, {114, 160, 52, 20}},
    {"L1", kPageWallpaper, {170, 163, 30, 16}},
    {"L2", kPageWallpaper, {24, 186, 150, 16}},
    {"CR", kPageWallpaper, {8, 232, 178, 20}},
    {"Cn", kPageWallpaper, {8, 256, 178, 20}},
    {"CB", kPageWallpaper, {24, 206, 124, 20}},
    {"CBB", kPageWallpaper, {150, 205, 112, 240}},

    // TSicon: caption colours, refresh, hiding, then the arrangement.
    {"L5", kPageIcon, {8, 11, 92, 16}},
    {"PnlFC", kPageIcon, {104, 8, 40, 20}},
    {"LBLFC", kPageIcon, {152, 11, 130, 16}},
    {"L6", kPageIcon, {8, 37, 92, 16}},
    {"PnlBC", kPageIcon, {104, 34, 40, 20}},
    {"LBLBC", kPageIcon, {152, 37, 130, 16}},
    {"C4", kPageIcon, {290, 34, 110, 20}},
    {"CheckBox2", kPageIcon, {8, 62, 240, 20}},
    {"SpinEdit4", kPageIcon, {252, 62, 60, 20}},
    {"CKHideIcon", kPageIcon, {8, 88, 180, 20}},
    {"R0", kPageIcon, {8, 124, 200, 20}},
    {"R1", kPageIcon, {8, 148, 150, 20}},
    {"R2", kPageIcon, {208, 148, 150, 20}},
    {"R3", kPageIcon, {8, 172, 150, 20}},
    {"R4", kPageIcon, {208, 172, 150, 20}},
    {"R5", kPageIcon, {8, 196, 200, 20}},
    {"L3", kPageIcon, {26, 225, 30, 16}},
    {"SpinEdit1", kPageIcon, {58, 222, 64, 20}},
    {"L4", kPageIcon, {136, 225, 44, 16}},
    {"SpinEdit2", kPageIcon, {182, 222, 64, 20}},
    {"Label11", kPageIcon, {260, 225, 30, 16}},
    {"SpinEdit7", kPageIcon, {292, 222, 52, 20}},

    // TSmemory: the defragmenter's area and the automatic trigger; the gauges come below.
    {"LInfo", kPageMemory, {8, 10, 300, 16}},
    {"MemLevel", kPageMemory, {8, 28, 397, 28}},
    {"Dinfo", kPageMemory, {8, 64, 397, 20}},
    {"DLevel", kPageMemory, {8, 86, 397, 28}},
    {"CInfo", kPageMemory, {8, 122, 397, 20}},
    {"CPULevel", kPageMemory, {8, 144, 397, 28}},

    // TSTrans: taskbar and Start menu; the window list comes below.
    {"CTT", kPageTrans, {8, 10, 150, 20}},
    {"SpinEdit5", kPageTrans, {166, 10, 60, 20}},
    {"CTM", kPageTrans, {8, 36, 150, 20}},
    {"SpinEdit6", kPageTrans, {166, 36, 60, 20}},

    // TSSet: the program's own options, then the three system toggles.
    {"CT", kPageSet, {8, 10, 290, 20}},
    {"SpinEdit3", kPageSet, {302, 10, 60, 20}},
    {"CS", kPageSet, {8, 36, 120, 20}},
    {"chkupdate", kPageSet, {8, 62, 120, 20}},
    {"chkP", kPageSet, {8, 88, 120, 20}},
    {"lblproxy", kPageSet, {26, 117, 64, 16}},
    {"edtpx", kPageSet, {92, 114, 150, 20}},
    {"lblport", kPageSet, {254, 117, 28, 16}},
    {"edtpr", kPageSet, {284, 114, 60, 20}},
    {"CE", kPageSet, {8, 150, 290, 20}},
    {"CKExitSave", kPageSet, {8, 176, 320, 20}},
    {"CW", kPageSet, {8, 202, 180, 20}},
    {"CKAMICON", kPageSet, {8, 228, 120, 20}},

    // Side panel (Panel1-relative); Panel2's four buttons are Panel2-relative.
    {"Panel2", kSidePanel, {0, 28, 29, 100}},
    {"bN", kSidePanel, {3, 0, kImageButtonSize, kImageButtonSize}, kIdbN},
    {"bd", kSidePanel, {3, 25, kImageButtonSize, kImageButtonSize}, kIdbd},
    {"bC", kSidePanel, {3, 50, kImageButtonSize, kImageButtonSize}, kIdbC},
    {"bR", kSidePanel, {3, 75, kImageButtonSize, kImageButtonSize}, kIdbR},
    {"sbweb", kSidePanel, {3, 142, kImageButtonSize, kImageButtonSize}, kIdsbweb},
    {"sbmail", kSidePanel, {3, 167, kImageButtonSize, kImageButtonSize}, kIdsbmail},
    {"btnhelp", kSidePanel, {3, 192, kImageButtonSize, kImageButtonSize}, kIdbtnhelp},
    {"bOK", kSidePanel, {3, 283, kImageButtonSize, kImageButtonSize}, kIdbOK},
    {"bCC", kSidePanel, {3, 308, kImageButtonSize, kImageButtonSize}, kIdbCC},

    // TSshortcut: the desktop shortcut row between the list and PnlUrl (appended, so the
    // other controls keep their ids).
    {"LblDesktop", kPageShortcut, {4, 247, 104, 16}},
    {"bin", kPageShortcut, {112, 243, 72, 23}},
    {"bdel", kPageShortcut, {188, 243, 72, 23}},
    {"SpeedButton1", kPageShortcut, {264, 243, 72, 23}},

    // TSTrans: the two labels on the system, then around the window list (appended).
    {"LblNeeds", kPageTrans, {262, 13, 145, 16}},
    {"LblSystems", kPageTrans, {262, 39, 145, 16}},
    {"SBRF", kPageTrans, {305, 206, 100, 23}},
    {"Label10", kPageTrans, {8, 212, 180, 16}},
    {"Label7", kPageTrans, {190, 212, 40, 16}},
    {"SBTF", kPageTrans, {305, 242, 100, 23}},
    // TSmemory: below the sliders, the monitor's gauges with their labels, then the progress
    // gauge and Button2 (appended, so the other controls keep their ids).
    {"LGauge3", kPageMemory, {8, 185, 84, 16}},
    {"Gauge3", kPageMemory, {96, 184, 309, 16}},
    {"LGauge1", kPageMemory, {8, 207, 84, 16}},
    {"Gauge1", kPageMemory, {96, 206, 309, 16}},
    {"LGauge2", kPageMemory, {8, 229, 84, 16}},
    {"Gauge2", kPageMemory, {96, 228, 309, 16}},
    {"LGauge4", kPageMemory, {8, 251, 84, 16}},
    {"Gauge4", kPageMemory, {96, 250, 309, 16}},
    {"LGauge5", kPageMemory, {8, 275, 84, 16}},
    {"Gauge5", kPageMemory, {96, 274, 200, 16}},
    {"Button2", kPageMemory, {305, 270, 100, 24}},
    // TSicon: restoring the icons' positions after a change of resolution (appended).
    {"autoRestoreLayout", kPageIcon, {208, 88, 196, 20}},
    // TSSet: the menu's hotkey (appended).
    {"menuHotKeyLabel", kPageSet, {8, 257, 130, 16}},
    {"menuHotKey", kPageSet, {140, 254, 150, 20}},
};

}  // namespace

std::span<const ControlPlace> MainLayout() { return kPlaces; }

const ControlPlace* FindPlace(std::string_view name) {
  for (const ControlPlace& p : kPlaces) {
    if (p.name == name) return &p;
  }
  return nullptr;
}

int ControlId(std::string_view name) {
  const ControlPlace* p = FindPlace(name);
  if (!p) return 0;
  return p->id != 0 ? p->id : kFirstControlId + static_cast<int>(p - kPlaces);
}

}  // namespace tovr::app::win32
