; The installer of korvprint: makensis -DVERSION=x.y.z -DSTAGE=dir -DOUTFILE=file [-DAMD64]
; Installs into a folder the user picks (C:\KORVELAN beside the host program by default),
; optionally starts the service at logon, and registers an uninstaller that stops the
; running service first and removes only what was installed.
Unicode true
!ifdef AMD64
Target amd64-unicode
!endif
!include "FileFunc.nsh"

Name "Printer for Korvelane ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "C:\KORVELAN"
RequestExecutionLevel user
ShowInstDetails show

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\korvprint"
!define SHORTCUT "$SMSTARTUP\Printer for Korvelane.lnk"

Page components
Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Printer for Korvelane" SecProgram
  SectionIn RO
  SetOutPath "$INSTDIR"
  File "${STAGE}\korvprint.exe"
  File "${STAGE}\README.txt"
  File "${STAGE}\LICENSE.txt"
  File "${STAGE}\VOZAZAD.TST"
  ; A sample profile only where there is none: the user's settings stay as they are.
  IfFileExists "$INSTDIR\VOZAZAD.INI" +2
  File "${STAGE}\VOZAZAD.INI"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Printer for Korvelane"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\korvprint.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Start at logon" SecStartup
  SetShellVarContext current
  CreateShortCut "${SHORTCUT}" "$INSTDIR\korvprint.exe" "" "$INSTDIR\korvprint.exe" 0
SectionEnd

Function .onInit
  ; /NOSTARTUP leaves the logon shortcut out (for silent installs).
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/NOSTARTUP" $1
  IfErrors +2
  SectionSetFlags ${SecStartup} 0
FunctionEnd

Section "Uninstall"
  ; A running service is stopped first: a one-byte DISABLE in its spool folder, taken
  ; within a second when it runs. Not taken in 15 s: no service ran; the file goes again.
  IfFileExists "$INSTDIR\WINPRINT\*.*" 0 stopped
  IfFileExists "$INSTDIR\WINPRINT\DISABLE" waiting
  FileOpen $0 "$INSTDIR\WINPRINT\DISABLE" w
  FileWrite $0 "x"
  FileClose $0
  waiting:
  StrCpy $1 0
  wait_taken:
    IfFileExists "$INSTDIR\WINPRINT\DISABLE" 0 stopped
    IntOp $1 $1 + 1
    IntCmp $1 150 gave_up
    Sleep 100
    Goto wait_taken
  gave_up:
    Delete "$INSTDIR\WINPRINT\DISABLE"
  stopped:
  ; The program may still be ending: its file is deleted once it is free.
  StrCpy $1 0
  delete_program:
    ClearErrors
    Delete "$INSTDIR\korvprint.exe"
    IfErrors 0 deleted
    IntOp $1 $1 + 1
    IntCmp $1 150 deleted
    Sleep 100
    Goto delete_program
  deleted:
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\VOZAZAD.TST"
  SetShellVarContext current
  Delete "${SHORTCUT}"
  Delete "$INSTDIR\uninstall.exe"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ; Only when empty: VOZAZAD.INI, the log and jobs still waiting stay where they are.
  RMDir "$INSTDIR\WINPRINT"
  RMDir "$INSTDIR"
SectionEnd
