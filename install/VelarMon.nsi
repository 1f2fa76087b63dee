; VelarMon setup.
;
; Installs the program for the whole machine: the program folder under
; Program Files (x86), the Add/Remove entry under HKLM and the Start-menu
; shortcuts for all users. It makes no database: each user's database is made
; by the program itself, at its first start, in that user's Documents\VelarMon
; (with "Images" and "Moves" beside it). So nothing here depends on whose
; password elevated the setup, and the uninstaller never meets a data folder.
;
;   makensis -INPUTCHARSET UTF8 -DPROGRAM=<velarmon.exe> -DVERSION=<x.y.z>
;            -DOUTFILE=<VelarMon-setup.exe> VelarMon.nsi

Unicode true
SetCompressor /SOLID lzma

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"

!ifndef PROGRAM
  !error "PROGRAM must be defined"
!endif
!ifndef VERSION
  !error "VERSION must be defined"
!endif
!ifndef OUTFILE
  !error "OUTFILE must be defined"
!endif

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\VelarMon"
!define MENU_DIR "$SMPROGRAMS\VelarMon"
; The program's frame class: its single-instance check looks for it too.
!define FRAME_CLASS "KORT_MDI_application"

Name "VelarMon"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES32\VelarMon"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1049 "ProductName" "VelarMon"
VIAddVersionKey /LANG=1049 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1049 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1049 "FileDescription" "Установка VelarMon"
VIAddVersionKey /LANG=1049 "CompanyName" "VelarMon"
VIAddVersionKey /LANG=1049 "LegalCopyright" "VelarMon"

; makensis reads paths from the script's folder.
!define MUI_ICON "../res/velarmon.ico"
!define MUI_UNICON "../res/velarmon.ico"
!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_FUNCTION StartProgram
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Russian"

; Refuses to go on while the program runs: its files could not be replaced
; or removed. Exit code 3 in a silent run.
!macro RefuseWhileRunning what
  FindWindow $0 "${FRAME_CLASS}"
  ${If} $0 != 0
    MessageBox MB_OK|MB_ICONSTOP "Программа VelarMon запущена. Закройте её и повторите ${what}." /SD IDOK
    SetErrorLevel 3
    Quit
  ${EndIf}
!macroend

Function .onInit
  SetShellVarContext all
  !insertmacro RefuseWhileRunning "установку"
FunctionEnd

Function un.onInit
  SetShellVarContext all
  !insertmacro RefuseWhileRunning "удаление"
FunctionEnd

; Takes away everything this setup puts in place, for a run that failed
; half-way: no program without its entry, no entry without its program.
; Users' data folders are not the setup's and are not touched.
!macro RemoveInstalled un
Function ${un}RemoveInstalled
  Delete "${MENU_DIR}\VelarMon.lnk"
  Delete "${MENU_DIR}\Удалить VelarMon.lnk"
  RMDir "${MENU_DIR}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  Delete "$INSTDIR\velarmon.exe"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
FunctionEnd
!macroend
!insertmacro RemoveInstalled ""
!insertmacro RemoveInstalled "un."

; Stops a failed step: everything goes, the run ends with exit code 2.
!macro FailIfErrors text
  ${If} ${Errors}
    DetailPrint "${text}"
    Call RemoveInstalled
    MessageBox MB_OK|MB_ICONSTOP "${text}$\nVelarMon не установлен." /SD IDOK
    SetErrorLevel 2
    Abort
  ${EndIf}
!macroend

Section "VelarMon"
  ClearErrors
  SetOutPath "$INSTDIR"
  ; A file that cannot be written is skipped in a silent run and raises
  ; the error flag; asked, the user may also stop the run (.onInstFailed).
  File "/oname=velarmon.exe" "${PROGRAM}"
  !insertmacro FailIfErrors "Не удалось записать $INSTDIR\velarmon.exe."
  WriteUninstaller "$INSTDIR\uninstall.exe"
  !insertmacro FailIfErrors "Не удалось записать $INSTDIR\uninstall.exe."

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "VelarMon"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "VelarMon"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\velarmon.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  !insertmacro FailIfErrors "Не удалось записать раздел реестра HKLM\${UNINSTALL_KEY}."
  ; In kilobytes, as Add/Remove shows it.
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  ClearErrors
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
  !insertmacro FailIfErrors "Не удалось записать раздел реестра HKLM\${UNINSTALL_KEY}."

  ; The shortcut starts in the program folder; the program finds its
  ; user's data folder itself.
  CreateDirectory "${MENU_DIR}"
  CreateShortcut "${MENU_DIR}\VelarMon.lnk" "$INSTDIR\velarmon.exe"
  CreateShortcut "${MENU_DIR}\Удалить VelarMon.lnk" "$INSTDIR\uninstall.exe"
  !insertmacro FailIfErrors "Не удалось создать ярлыки в папке ${MENU_DIR}."
SectionEnd

Function .onInstFailed
  Call RemoveInstalled
FunctionEnd

; The setup runs elevated; the program must run as the user who sits at the
; desktop, with that user's documents. The shell that owns the desktop starts
; it when asked through explorer.exe.
Function StartProgram
  Exec '"$WINDIR\explorer.exe" "$INSTDIR\velarmon.exe"'
FunctionEnd

Section "Uninstall"
  Call un.RemoveInstalled
  ; Each user's data folder (Documents\VelarMon) is theirs and stays.
SectionEnd
