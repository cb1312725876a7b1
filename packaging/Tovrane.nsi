; The per-user installer of Tovrane, built by scripts/package:
;   makensis -DVERSION=2.53 -DARCH=win64|win32 -DEXE=... -DREADME=... -DLICENSE=... -DOUTFILE=...
; No administrator rights: Tovrane goes into the user's own programs folder, where Config.ini
; beside the exe stays writable. A Start-menu shortcut, an entry in "Apps & features", and a
; finish page that offers to start Tovrane. The uninstaller removes the files, the shortcut,
; the entry, and the "Tovr" autorun value where it names this copy.
; Silent: setup.exe /S installs, Uninstall.exe /S removes.
Unicode true
!if "${ARCH}" == "win64"
  Target amd64-unicode
!else
  Target x86-unicode
!endif

!include MUI2.nsh
!include LogicLib.nsh
!include WinMessages.nsh

!define PRODUCT "Tovrane"
!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tovrane"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINST_KEY}" "InstallLocation"
SetCompressor /SOLID lzma
ManifestDPIAware true
ManifestSupportedOS all
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION_QUAD}"
VIFileVersion "${VERSION_QUAD}"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT} ${VERSION} Setup"
VIAddVersionKey /LANG=0 "LegalCopyright" "MIT License"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\Tovrane.exe"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"
!insertmacro MUI_LANGUAGE "English"

; A running Tovrane holds its exe: end it as Windows does at log-off (WM_QUERYENDSESSION),
; which quits without a question and without saving. Waits up to 10 seconds.
!macro CloseTovrane
  FindWindow $0 "TKWForm"
  ${If} $0 <> 0
    SendMessage $0 ${WM_QUERYENDSESSION} 0 0 $1 /TIMEOUT=5000
    StrCpy $2 0
    ${DoWhile} $0 <> 0
      ${IfThen} $2 >= 100 ${|} ${Break} ${|}
      Sleep 100
      IntOp $2 $2 + 1
      FindWindow $0 "TKWForm"
    ${Loop}
  ${EndIf}
!macroend

; The autorun value "Tovr" of the Run key under ROOT, removed when it names this copy's exe.
!macro RemoveAutorun ROOT
  ReadRegStr $0 ${ROOT} "${RUN_KEY}" "Tovr"
  ${If} $0 == "$INSTDIR\Tovrane.exe"
  ${OrIf} $0 == "$\"$INSTDIR\Tovrane.exe$\""
    DeleteRegValue ${ROOT} "${RUN_KEY}" "Tovr"
  ${EndIf}
!macroend

Section "Tovrane"
  SetShellVarContext current
  !insertmacro CloseTovrane
  SetOutPath "$INSTDIR"
  File "/oname=Tovrane.exe" "${EXE}"
  File "/oname=README.txt" "${README}"
  File "/oname=LICENSE.txt" "${LICENSE}"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\Tovrane.exe" "" "$INSTDIR\Tovrane.exe" 0

  WriteRegStr HKCU "${UNINST_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINST_KEY}" "Publisher" "${PRODUCT}"
  WriteRegStr HKCU "${UNINST_KEY}" "DisplayIcon" "$INSTDIR\Tovrane.exe"
  WriteRegStr HKCU "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINST_KEY}" "UninstallString" "$\"$INSTDIR\Uninstall.exe$\""
  WriteRegStr HKCU "${UNINST_KEY}" "QuietUninstallString" "$\"$INSTDIR\Uninstall.exe$\" /S"
  WriteRegDWORD HKCU "${UNINST_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINST_KEY}" "NoRepair" 1
  WriteRegDWORD HKCU "${UNINST_KEY}" "EstimatedSize" ${SIZE_KB}
SectionEnd

Section "Uninstall"
  SetShellVarContext current
  !insertmacro CloseTovrane
  !insertmacro RemoveAutorun HKCU
  !insertmacro RemoveAutorun HKLM
  Delete "$INSTDIR\Tovrane.exe"
  Delete "$INSTDIR\Config.ini"
  Delete "$INSTDIR\IconLayout.ini"
  Delete "$INSTDIR\IconLayout.ini.bak"  ; a damaged file a save kept aside
  Delete "$INSTDIR\tov*.tmp"  ; left by a save that was cut off
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"  ; only when empty: files the user put there stay
  RMDir "$LOCALAPPDATA\Programs"  ; the per-user programs folder, when nothing else is in it
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  DeleteRegKey HKCU "${UNINST_KEY}"
SectionEnd
