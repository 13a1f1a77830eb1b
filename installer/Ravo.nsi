; Ravo installer: one executable that installs, upgrades and uninstalls the
; program for every user of the machine.
;
; Built by the CMake target `installer` (installer/RavoInstaller.cmake):
;   makensis -DVERSION=1.0.0 -DVERSION_QUAD=1.0.0.0 -DSTAGE_DIR=<folder>
;            -DOUT_FILE=<file> -DICON=<ravo.ico> [-DSIGN_SCRIPT=<sign.sh>
;            -DSIGN_CERT=<cert> -DSIGN_KEY=<key>] Ravo.nsi
; STAGE_DIR holds Ravo.exe and OBRA.dll (already signed when signing).
; The shipped installer is 32-bit and packs the i686 build. -DTARGET_AMD64
; makes a 64-bit one of the x86_64 test build, for machines that run no
; 32-bit programs: 64-bit stub, Program Files folder and registry view.
;
; Command line of the installer:
;   /S           silent (administrators only; exit code 0 on success)
;   /FORCEOBRA   install our OBRA.dll even where the platform's own library
;                is in the system folder (for testers); never over a copy
;                in the install folder that we did not put there
;   /D=<folder>  install folder (last argument); it must be a protected
;                location, or the platform refuses the program's UI access
; Exit codes: 0 done, 1 cancelled, 2 aborted (the running copy would not
; close), 740 not run as an administrator.

!ifdef TARGET_AMD64
  Target amd64-unicode
  !define PROGRAM_FILES "$PROGRAMFILES64"
  !define REG_VIEW 64
!else
  Unicode true
  !define PROGRAM_FILES "$PROGRAMFILES"
  !define REG_VIEW 32
!endif
!ifndef VERSION | VERSION_QUAD | STAGE_DIR | OUT_FILE | ICON
  !error "VERSION, VERSION_QUAD, STAGE_DIR, OUT_FILE and ICON must be defined"
!endif

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"

!define PRODUCT "Ravo"
!define PUBLISHER "Ravo developers"
!define VERSION_KEY "SOFTWARE\RAVO"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Ravo"
!define MAIN_CLASS "TorvaneClass"
!define CLOSE_EVENT "TorvaneCloseEvent"
!define CLOSE_TIMEOUT_MS 10000
!define ERROR_ELEVATION_REQUIRED 740
!define SYNCHRONIZE 0x00100000
!define EVENT_MODIFY_STATE 0x0002

Name "${PRODUCT}"
OutFile "${OUT_FILE}"
InstallDir "${PROGRAM_FILES}\${PRODUCT}"
InstallDirRegKey HKLM "${UNINST_KEY}" "InstallLocation"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
BrandingText "${PRODUCT} ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION_QUAD}"
VIFileVersion "${VERSION_QUAD}"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${PUBLISHER}"

; Signing: the uninstaller before it is packed in, the installer once written.
!ifdef SIGN_SCRIPT
  !uninstfinalize 'sh "${SIGN_SCRIPT}" "${SIGN_CERT}" "${SIGN_KEY}" "%1"' = 0
  !finalize 'sh "${SIGN_SCRIPT}" "${SIGN_CERT}" "${SIGN_KEY}" "%1"' = 0
!endif

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Start ${PRODUCT} now"
!define MUI_FINISHPAGE_RUN_FUNCTION StartProgram

; No folder page: the program must live in a protected location.
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Var ForceObra

; Both installer and uninstaller refuse to run without administrator rights:
; a message (none when silent) and exit code 740. ACCOUNT_TYPE_FOR_TEST
; replaces the account check in test builds only.
!macro REQUIRE_ADMIN
  !ifdef ACCOUNT_TYPE_FOR_TEST
    StrCpy $0 "${ACCOUNT_TYPE_FOR_TEST}"
  !else
    UserInfo::GetAccountType
    Pop $0
  !endif
  ${If} $0 != "Admin"
    MessageBox MB_OK|MB_ICONSTOP \
      "${PRODUCT} Setup needs administrator rights.$\r$\n$\r$\nRun it again as an administrator." \
      /SD IDOK
    SetErrorLevel ${ERROR_ELEVATION_REQUIRED}
    Quit
  ${EndIf}
!macroend

; Asks a running copy to close the documented way ("Ravo.exe Close") and
; waits, at most CLOSE_TIMEOUT_MS, for its process to end. When the program
; cannot be started for that, its close event is signalled directly, which
; is all that "Close" does. Aborts when the copy is still running then (after
; a Retry/Cancel question when not silent).
!macro CLOSE_RUNNING_COPY UN
Function ${UN}CloseRunningCopy
  retry:
  FindWindow $0 "${MAIN_CLASS}"
  ${If} $0 = 0
  ${OrIfNot} ${FileExists} "$INSTDIR\Ravo.exe"
    Return
  ${EndIf}
  DetailPrint "Closing the running ${PRODUCT}..."
  System::Call 'user32::GetWindowThreadProcessId(p r0, *i .r1)'
  System::Call 'kernel32::OpenProcess(i ${SYNCHRONIZE}, i 0, i r1) p .r2'
  ClearErrors
  ExecShellWait "open" "$INSTDIR\Ravo.exe" "Close" SW_HIDE
  ${If} ${Errors}
    System::Call 'kernel32::OpenEventW(i ${EVENT_MODIFY_STATE}, i 0, w "${CLOSE_EVENT}") p .r3'
    ${If} $3 P<> 0
      System::Call 'kernel32::SetEvent(p r3)'
      System::Call 'kernel32::CloseHandle(p r3)'
    ${EndIf}
  ${EndIf}
  ; Wait for the process, or for the window when the process cannot be opened.
  StrCpy $3 0
  ${Do}
    ${If} $2 P<> 0
      System::Call 'kernel32::WaitForSingleObject(p r2, i 250) i .r4'
      ${IfThen} $4 = 0 ${|} ${Break} ${|}
    ${Else}
      FindWindow $4 "${MAIN_CLASS}"
      ${IfThen} $4 = 0 ${|} ${Break} ${|}
      Sleep 250
    ${EndIf}
    IntOp $3 $3 + 250
  ${LoopUntil} $3 >= ${CLOSE_TIMEOUT_MS}
  ${If} $2 P<> 0
    System::Call 'kernel32::CloseHandle(p r2)'
  ${EndIf}
  ${If} $3 >= ${CLOSE_TIMEOUT_MS}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
      "${PRODUCT} is still running and did not close.$\r$\n$\r$\nClose it from its tray menu (Exit), then choose Retry." \
      /SD IDCANCEL IDRETRY retry
    DetailPrint "${PRODUCT} did not close; nothing was changed."
    SetErrorLevel 2
    Abort
  ${EndIf}
FunctionEnd
!macroend
!insertmacro CLOSE_RUNNING_COPY ""
!insertmacro CLOSE_RUNNING_COPY "un."

; OBRA.dll. The program binds it by the normal DLL search: its own folder
; first, then the system folder. The platform's library is the one in the
; system folder; a copy in the install folder that we did not put there (no
; "OwnObra" mark) is treated as the platform's too. Ours goes into the
; install folder only where neither exists, or with /FORCEOBRA where only the
; system folder has one; an own copy left from an earlier install is removed
; when the platform's library has since appeared.
Function InstallObra
  ReadRegDWORD $0 HKLM "${UNINST_KEY}" "OwnObra"
  ${If} $0 <> 1
    StrCpy $0 0
  ${EndIf}
  ${If} $0 = 0
  ${AndIf} ${FileExists} "$INSTDIR\OBRA.dll"
    DetailPrint "Keeping the platform's OBRA.dll in $INSTDIR"
  ${ElseIf} $ForceObra = 1
  ${OrIfNot} ${FileExists} "$SYSDIR\OBRA.dll"
    File "${STAGE_DIR}/OBRA.dll"
    StrCpy $0 1
  ${Else}
    DetailPrint "Using the platform's OBRA.dll in $SYSDIR"
    ${If} $0 = 1
      Delete "$INSTDIR\OBRA.dll"
      StrCpy $0 0
    ${EndIf}
  ${EndIf}
  WriteRegDWORD HKLM "${UNINST_KEY}" "OwnObra" $0
FunctionEnd

Function .onInit
  SetRegView ${REG_VIEW}
  !insertmacro REQUIRE_ADMIN
  StrCpy $ForceObra 0
  ${GetParameters} $1
  ClearErrors
  ${GetOptions} $1 "/FORCEOBRA" $2
  ${IfNot} ${Errors}
    StrCpy $ForceObra 1
  ${EndIf}
FunctionEnd

; Started from an elevated installer, the program runs elevated until the
; next logon, when the Run entry starts it normally.
Function StartProgram
  ExecShell "open" "$INSTDIR\Ravo.exe"
FunctionEnd

Section "${PRODUCT}" SecMain
  SectionIn RO
  Call CloseRunningCopy
  SetOutPath "$INSTDIR"
  File "${STAGE_DIR}/Ravo.exe"
  WriteUninstaller "$INSTDIR\uninst.exe"

  WriteRegStr HKLM "${UNINST_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINST_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayIcon" "$INSTDIR\Ravo.exe,0"
  WriteRegStr HKLM "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINST_KEY}" "UninstallString" '"$INSTDIR\uninst.exe"'
  WriteRegStr HKLM "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\uninst.exe" /S'
  WriteRegDWORD HKLM "${UNINST_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINST_KEY}" "NoRepair" 1
  Call InstallObra
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINST_KEY}" "EstimatedSize" $0

  WriteRegStr HKLM "${VERSION_KEY}" "Version" "${VERSION}"
  WriteRegStr HKLM "${RUN_KEY}" "${PRODUCT}" '"$INSTDIR\Ravo.exe"'
SectionEnd

Function un.onInit
  SetRegView ${REG_VIEW}
  !insertmacro REQUIRE_ADMIN
FunctionEnd

Section "Uninstall"
  Call un.CloseRunningCopy
  Delete "$INSTDIR\Ravo.exe"
  ReadRegDWORD $0 HKLM "${UNINST_KEY}" "OwnObra"
  ${If} $0 = 1
    Delete "$INSTDIR\OBRA.dll"
  ${EndIf}
  Delete "$INSTDIR\uninst.exe"
  ; Only when empty: a platform OBRA.dll in it stays.
  RMDir "$INSTDIR"

  DeleteRegValue HKLM "${RUN_KEY}" "${PRODUCT}"
  DeleteRegKey HKLM "${VERSION_KEY}"
  DeleteRegKey HKLM "${UNINST_KEY}"
SectionEnd
