; The Lumen Drift installer for 64-bit Windows: a per-user install (no administrator rights) into
; %LOCALAPPDATA%\Programs\Lumen Drift, Start-menu shortcuts for the game and the editor, and an
; uninstaller listed among the installed programs. /S installs silently, /D=FOLDER elsewhere.
; scripts/windows runs makensis with VERSION, STAGE (the zip's folder), OUTFILE, ICON and
; UNINSTALL_FILES (the Delete and RMDir lines for exactly the files in STAGE).
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Lumen Drift"
!define MENU "$SMPROGRAMS\Lumen Drift"

Name "Lumen Drift ${VERSION}"
OutFile "${OUTFILE}"
Icon "${ICON}"
UninstallIcon "${ICON}"
InstallDir "$LOCALAPPDATA\Programs\Lumen Drift"
ShowInstDetails nevershow

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Lumen Drift"
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  File /r "${STAGE}\*.*"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; The shortcuts start in the install folder, where the game finds its data and SDL writes
  ; stdout.txt; the folder is the player's own, so that stays writable.
  CreateDirectory "${MENU}"
  CreateShortcut "${MENU}\Lumen Drift.lnk" "$INSTDIR\lumendrift.exe" "" "$INSTDIR\lumendrift.exe" 0
  CreateShortcut "${MENU}\Lumen Drift editor.lnk" "$INSTDIR\lumendrift-editor.exe" "" \
    "$INSTDIR\lumendrift-editor.exe" 0
  CreateShortcut "${MENU}\Uninstall Lumen Drift.lnk" "$INSTDIR\uninstall.exe"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Lumen Drift"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "The Lumen Drift developers"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\lumendrift.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Removes what the installer put there and what SDL wrote beside the game; the folder itself only
; when nothing else is left in it. The player's levels under %APPDATA%\Lumen Drift stay.
Section "Uninstall"
  SetShellVarContext current
!include "${UNINSTALL_FILES}"
  Delete "$INSTDIR\stdout.txt"
  Delete "$INSTDIR\stderr.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  Delete "${MENU}\Lumen Drift.lnk"
  Delete "${MENU}\Lumen Drift editor.lnk"
  Delete "${MENU}\Uninstall Lumen Drift.lnk"
  RMDir "${MENU}"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
