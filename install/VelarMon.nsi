; VelarMon setup.
;
; Puts the program into the program folder and makes a Start-menu shortcut
; that starts it in the user's data folder: the program opens its database by
; the bare name "velarmon" in its current folder and saves downloads into
; "Images" and "Moves" there, so that folder must be the user's own and
; writable. On first install the database is made there. The uninstaller
; removes the program and its shortcuts and leaves the data folder alone.
;
;   makensis -INPUTCHARSET UTF8 -DPROGRAM=<velarmon.exe> -DCREATEDB=<velarmon-createdb.exe>
;            -DSCHEMA=<schema.sql in code page 1251> -DOUTFILE=<VelarMon-setup.exe> VelarMon.nsi

Unicode true
SetCompressor /SOLID lzma

!include "MUI2.nsh"
!include "LogicLib.nsh"

!ifndef PROGRAM
  !error "PROGRAM must be defined"
!endif
!ifndef CREATEDB
  !error "CREATEDB must be defined"
!endif
!ifndef SCHEMA
  !error "SCHEMA must be defined"
!endif
!ifndef OUTFILE
  !error "OUTFILE must be defined"
!endif

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\VelarMon"
!define DATA_DIR "$APPDATA\VelarMon"
!define MENU_DIR "$SMPROGRAMS\VelarMon"

Name "VelarMon"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES32\VelarMon"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
ShowInstDetails show
ShowUninstDetails show

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

Section "VelarMon"
  ; The data folder and the shortcuts belong to the user who installs.
  SetShellVarContext current

  SetOutPath "$INSTDIR"
  File "/oname=velarmon.exe" "${PROGRAM}"
  File "/oname=velarmon-createdb.exe" "${CREATEDB}"
  File "/oname=schema.sql" "${SCHEMA}"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "VelarMon"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\velarmon.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1

  ; The database is made only where there is none: a user's data stays.
  ; The tool runs with the data folder as its current folder, as the program
  ; does, since the driver finds the bare name there.
  CreateDirectory "${DATA_DIR}"
  SetOutPath "${DATA_DIR}"
  ${IfNot} ${FileExists} "${DATA_DIR}\velarmon.mdb"
    DetailPrint "Создание базы данных в папке ${DATA_DIR}"
    nsExec::ExecToLog '"$INSTDIR\velarmon-createdb.exe" "${DATA_DIR}" "$INSTDIR\schema.sql"'
    Pop $0
    ${If} $0 != 0
      MessageBox MB_OK|MB_ICONSTOP "Не удалось создать базу данных в папке ${DATA_DIR}.$\nПричина указана в списке выполненных действий установки." /SD IDOK
      SetErrorLevel 2
      Abort
    ${EndIf}
  ${Else}
    DetailPrint "База данных уже есть и сохранена: ${DATA_DIR}\velarmon.mdb"
  ${EndIf}

  ; A shortcut's working folder is the output folder at its creation.
  CreateDirectory "${MENU_DIR}"
  CreateShortcut "${MENU_DIR}\VelarMon.lnk" "$INSTDIR\velarmon.exe"
  CreateShortcut "${MENU_DIR}\Удалить VelarMon.lnk" "$INSTDIR\uninstall.exe"
SectionEnd

Function StartProgram
  SetOutPath "${DATA_DIR}"
  Exec '"$INSTDIR\velarmon.exe"'
FunctionEnd

Section "Uninstall"
  SetShellVarContext current
  Delete "${MENU_DIR}\VelarMon.lnk"
  Delete "${MENU_DIR}\Удалить VelarMon.lnk"
  RMDir "${MENU_DIR}"

  Delete "$INSTDIR\velarmon.exe"
  Delete "$INSTDIR\velarmon-createdb.exe"
  Delete "$INSTDIR\schema.sql"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"

  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  ; The data folder (database, "Images", "Moves") is the user's and stays.
SectionEnd
