; Ravo installer: one executable that installs, upgrades and uninstalls the
; program for every user of the machine.
;
; Built by the CMake target `installer` (installer/RavoInstaller.cmake):
;   makensis -DVERSION=1.0.0 -DVERSION_QUAD=1.0.0.0 -DSTAGE_DIR=<folder>
;            -DOUT_FILE=<file> -DICON=<ravo.ico> [-DUI_ACCESS]
;            [-DSIGN_SCRIPT=<sign.sh> -DSIGN_CERT=<cert> -DSIGN_KEY=<key>] Ravo.nsi
; STAGE_DIR holds Ravo.exe, OBRA.dll and ShellStart.exe (already signed when
; signing). UI_ACCESS says that the program's manifest asks for UI access.
; The shipped installer is 32-bit and packs the i686 build. -DTARGET_AMD64
; makes a 64-bit one of the x86_64 test build, for machines that run no
; 32-bit programs: 64-bit stub, Program Files folder and registry view.
;
; Command line of the installer:
;   /S           silent (administrators only; exit code 0 on success)
;   /FORCEOBRA   install the firmware simulator (our OBRA.dll), also where
;                the platform's own library is in the system folder; never
;                over a copy in the install folder that we did not put there
;   /D=<folder>  install folder (last argument); with UI_ACCESS it must lie
;                in a protected folder, or Windows refuses to start the program
; Exit codes: 0 done, 1 cancelled, 2 aborted (the running copy would not
; close, or a file could not be written), 3 install folder not protected,
; 4 platform library missing (and no simulator asked for), 740 not run as an
; administrator, 3010 done, but files in use are replaced at the next restart.

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
!include "Sections.nsh"

!define PRODUCT "Ravo"
!define PUBLISHER "Ravo developers"
!define VERSION_KEY "SOFTWARE\RAVO"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Ravo"
!define MAIN_CLASS "TorvaneClass"
!define CLOSE_EVENT "TorvaneCloseEvent"
!define CLOSE_TIMEOUT_MS 10000
!define ERROR_ELEVATION_REQUIRED 740
!define EXIT_FOLDER_NOT_PROTECTED 3
!define EXIT_NO_PLATFORM_LIBRARY 4
!define ERROR_SUCCESS_REBOOT_REQUIRED 3010
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

; The checks that refuse with a message wait for the pages: NSIS applies the
; language chosen in .onInit only once .onInit has returned. Silent, they
; show no message and run in .onInit.
!define MUI_CUSTOMFUNCTION_GUIINIT CheckRefusals
!define MUI_CUSTOMFUNCTION_UNGUIINIT un.CheckRefusals
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "$(RUN_TEXT)"
!define MUI_FINISHPAGE_RUN_FUNCTION StartProgram
; Shown instead of the start when a file in use waits for the restart.
!define MUI_FINISHPAGE_TEXT_REBOOT "$(MSG_REBOOT_FINISH)"
!define MUI_FINISHPAGE_REBOOTLATER_DEFAULT

; No folder page: the program must live in a protected location.
!insertmacro MUI_PAGE_WELCOME
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE ComponentsLeave
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; English first, the default for every other display language. Installer
; and uninstaller pick the language without asking, by the program's own
; rule (CHOOSE_LANGUAGE); the texts of this script are in lang/<language>.nsh.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "German"
!insertmacro MUI_LANGUAGE "French"
!insertmacro MUI_LANGUAGE "Spanish"
!insertmacro MUI_LANGUAGE "Russian"
!insertmacro MUI_LANGUAGE "Japanese"
!insertmacro MUI_LANGUAGE "SimpChinese"
!include "${__FILEDIR__}\lang\English.nsh"
!include "${__FILEDIR__}\lang\German.nsh"
!include "${__FILEDIR__}\lang\French.nsh"
!include "${__FILEDIR__}\lang\Spanish.nsh"
!include "${__FILEDIR__}\lang\Russian.nsh"
!include "${__FILEDIR__}\lang\Japanese.nsh"
!include "${__FILEDIR__}\lang\SimpChinese.nsh"

; The language the program shows (app/UiLanguage): the translation for the
; user's display language (any variant; Chinese only in the simplified
; script) where the system's ANSI code page writes it (UTF-8 writes all),
; English otherwise. NSIS alone would take a translation of the same primary
; language, Simplified Chinese for Taiwan among them, and name texts the
; program does not show.
!macro CHOOSE_LANGUAGE
  System::Call 'kernel32::GetUserDefaultUILanguage() i .r0'
  System::Call 'kernel32::GetACP() i .r1'
  IntOp $2 $0 & 0x3FF  ; primary language
  IntOp $3 $0 >> 10    ; sublanguage
  IntOp $3 $3 & 0x3F
  StrCpy $4 ${LANG_ENGLISH}
  StrCpy $5 0          ; the ANSI code page that writes the translation
  ${Select} $2
    ${Case} 7          ; German
      StrCpy $4 ${LANG_GERMAN}
      StrCpy $5 1252
    ${Case} 12         ; French
      StrCpy $4 ${LANG_FRENCH}
      StrCpy $5 1252
    ${Case} 10         ; Spanish
      StrCpy $4 ${LANG_SPANISH}
      StrCpy $5 1252
    ${Case} 25         ; Russian
      StrCpy $4 ${LANG_RUSSIAN}
      StrCpy $5 1251
    ${Case} 17         ; Japanese
      StrCpy $4 ${LANG_JAPANESE}
      StrCpy $5 932
    ${Case} 4          ; Chinese: neutral (simplified), China, Singapore
      ${If} $3 = 0
      ${OrIf} $3 = 2
      ${OrIf} $3 = 4
        StrCpy $4 ${LANG_SIMPCHINESE}
        StrCpy $5 936
      ${EndIf}
  ${EndSelect}
  ${If} $1 = $5
  ${OrIf} $1 = 65001
    StrCpy $LANGUAGE $4
  ${Else}
    StrCpy $LANGUAGE ${LANG_ENGLISH}
  ${EndIf}
!macroend

Var OwnObra       ; 1: the OBRA.dll in the install folder is ours, the simulator
Var PlatformObra  ; where the platform's OBRA.dll is: "folder", "system" or ""

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
    MessageBox MB_OK|MB_ICONSTOP "$(MSG_NEEDS_ADMIN)" /SD IDOK
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
  DetailPrint "$(DETAIL_CLOSING)"
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
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(MSG_NOT_CLOSED)" /SD IDCANCEL IDRETRY retry
    DetailPrint "$(DETAIL_NOT_CLOSED)"
    SetErrorLevel 2
    Abort
  ${EndIf}
FunctionEnd
!macroend
!insertmacro CLOSE_RUNNING_COPY ""
!insertmacro CLOSE_RUNNING_COPY "un."

; Puts one staged file into $INSTDIR. A file there that is in use (by a copy
; running in another user's session, which CloseRunningCopy cannot reach)
; cannot be overwritten: the new one is written beside it and replaces it at
; the next restart, which sets the reboot flag.
!macro INSTALL_FILE NAME
  StrCpy $R0 "${NAME}"  ; named in the messages
  SetOverwrite try
  ClearErrors
  File "${STAGE_DIR}/${NAME}"
  ${If} ${Errors}
    ClearErrors
    File "/oname=${NAME}.new" "${STAGE_DIR}/${NAME}"
    ${IfNot} ${Errors}
      Rename /REBOOTOK "$INSTDIR\${NAME}.new" "$INSTDIR\${NAME}"
    ${EndIf}
    ${If} ${Errors}
      MessageBox MB_OK|MB_ICONSTOP "$(MSG_CANNOT_WRITE)" /SD IDOK
      Abort
    ${EndIf}
    DetailPrint "$(MSG_IN_USE_DETAIL)"
  ${EndIf}
  SetOverwrite on
!macroend

; Windows grants UI access only to a program in a protected folder. Of
; those, only the Program Files folders are the same for a 32-bit installer
; and for Windows: the system folder it would write to is SysWOW64 on 64-bit
; Windows, while the Run entry and the shell would start the program from
; System32. Sets $0 to 1 when the full path $1 lies within ROOT, ROOT itself
; excluded (NSIS compares strings case-insensitively).
!macro IF_BELOW ROOT
  StrLen $2 "${ROOT}"
  StrCpy $3 $1 $2
  ${If} $3 == "${ROOT}"
    StrCpy $3 $1 1 $2
    IntOp $2 $2 + 1
    StrCpy $4 $1 1 $2
    ${If} $3 == "\"
    ${AndIf} $4 != ""
    ${AndIf} $4 != "\"
      StrCpy $0 1
    ${EndIf}
  ${EndIf}
!macroend

; One spelling of the install folder ("..\" resolved, short names such as
; PROGRA~1 expanded), for the checks and for the recorded install location
; that the uninstaller compares with its own folder. Only folders that exist
; have long names to look up: the part that does not exist yet is kept.
Function NormaliseInstallFolder
  StrCpy $1 ""
  System::Call 'kernel32::GetFullPathNameW(w "$INSTDIR", i ${NSIS_MAX_STRLEN}, w .r1, p 0) i .r0'
  ${If} $0 <> 0
    StrCpy $INSTDIR $1
  ${EndIf}
  StrCpy $1 $INSTDIR  ; the part looked up
  StrCpy $2 ""        ; the part after it
  ${Do}
    System::Call 'kernel32::GetLongPathNameW(w r1, w .r3, i ${NSIS_MAX_STRLEN}) i .r0'
    ${If} $0 <> 0
    ${AndIf} $0 < ${NSIS_MAX_STRLEN}
      StrCpy $INSTDIR "$3$2"
      Return
    ${EndIf}
    ${GetParent} $1 $4
    StrLen $5 $4
    ${IfThen} $5 < 3 ${|} Return ${|}  ; no folder of it exists
    StrCpy $6 $1 "" $5  ; what $1 adds to its parent: "\Ravo"
    StrCpy $2 "$6$2"
    StrCpy $1 $4
  ${Loop}
FunctionEnd

; Refuses an install folder outside the Program Files folders when the
; program asks for UI access: a message, and exit code 3.
Function CheckInstallFolder
!ifdef UI_ACCESS
  StrCpy $1 $INSTDIR
  StrCpy $0 0
  !insertmacro IF_BELOW "$PROGRAMFILES32"
  !insertmacro IF_BELOW "$PROGRAMFILES64"
  ${If} $0 = 0
    MessageBox MB_OK|MB_ICONSTOP "$(MSG_FOLDER_REFUSED)" /SD IDOK
    SetErrorLevel ${EXIT_FOLDER_NOT_PROTECTED}
    Quit
  ${EndIf}
!endif
FunctionEnd

; Where OBRA.dll is now. The program binds it by the normal DLL search: its
; own folder first, then the system folder. The platform's library is the
; one in the system folder; a copy in the install folder that we did not
; put there counts as the platform's too. The "OwnObra" mark speaks only
; for the folder of the recorded installation.
Function FindObra
  StrCpy $OwnObra 0
  StrCpy $PlatformObra ""
  Call IsOwnObraHere
  ${If} ${FileExists} "$INSTDIR\OBRA.dll"
    ${If} $0 = 1
      StrCpy $OwnObra 1
    ${Else}
      StrCpy $PlatformObra "folder"
    ${EndIf}
  ${EndIf}
  ${If} $PlatformObra == ""
  ${AndIf} ${FileExists} "$SYSDIR\OBRA.dll"
    StrCpy $PlatformObra "system"
  ${EndIf}
FunctionEnd

; Sets $0 to 1 when the OBRA.dll in $INSTDIR is the simulator that an
; installation of ours put there: marked so, for this very folder.
!macro IS_OWN_OBRA_HERE UN
Function ${UN}IsOwnObraHere
  ReadRegDWORD $0 HKLM "${UNINST_KEY}" "OwnObra"
  ReadRegStr $1 HKLM "${UNINST_KEY}" "InstallLocation"
  ${If} $0 <> 1
  ${OrIf} $1 != $INSTDIR
    StrCpy $0 0
  ${EndIf}
FunctionEnd
!macroend
!insertmacro IS_OWN_OBRA_HERE ""
!insertmacro IS_OWN_OBRA_HERE "un."

; Started from this elevated installer, the program would run elevated, and
; the user's own programs could not signal its named objects. ShellStart.exe
; has the desktop's shell start it instead, with the user's normal rights.
; Where no shell answers, the Run entry starts it at the next logon.
Function StartProgram
  InitPluginsDir
  File "/oname=$PLUGINSDIR\ShellStart.exe" "${STAGE_DIR}/ShellStart.exe"
  StrCpy $0 1
  ExecWait '"$PLUGINSDIR\ShellStart.exe" "$INSTDIR\Ravo.exe"' $0
  ; 0 started, 3 still with a busy shell, which may start it yet.
  ${If} $0 = 3
    MessageBox MB_OK|MB_ICONINFORMATION "$(MSG_START_PENDING)"
  ${ElseIf} $0 <> 0
    MessageBox MB_OK|MB_ICONINFORMATION "$(MSG_START_FAILED)"
  ${EndIf}
FunctionEnd

Section "${PRODUCT}" SecMain
  SectionIn RO
  Call CloseRunningCopy
  SetOutPath "$INSTDIR"
  !insertmacro INSTALL_FILE "Ravo.exe"
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
  ${If} ${RebootFlag}
    DetailPrint "$(DETAIL_RESTART)"
    SetErrorLevel ${ERROR_SUCCESS_REBOOT_REQUIRED}
  ${EndIf}
SectionEnd

; Installed by the main section's InstallObra, once the running copy has
; closed.
Section /o "$(SEC_SIMULATOR)" SecSimulator
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecMain} "$(DESC_MAIN)"
  !insertmacro MUI_DESCRIPTION_TEXT ${SecSimulator} "$(DESC_SIMULATOR)"
!insertmacro MUI_FUNCTION_DESCRIPTION_END

; OBRA.dll: the platform's library is kept wherever it is; the simulator
; goes into the install folder only when its component is chosen, and an
; own copy that is no longer chosen is removed.
Function InstallObra
  ${If} $PlatformObra == "folder"
    DetailPrint "$(DETAIL_KEEP_OBRA)"
    StrCpy $0 0
  ${ElseIf} ${SectionIsSelected} ${SecSimulator}
    !insertmacro INSTALL_FILE "OBRA.dll"
    StrCpy $0 1
  ${Else}
    DetailPrint "$(DETAIL_USE_SYSTEM_OBRA)"
    ${If} $OwnObra = 1
      Delete /REBOOTOK "$INSTDIR\OBRA.dll"
    ${EndIf}
    StrCpy $0 0
  ${EndIf}
  WriteRegDWORD HKLM "${UNINST_KEY}" "OwnObra" $0
FunctionEnd

; Without the platform's library and without the simulator the program has
; no firmware to talk to. Says so and sets $0 to 1 then.
Function ReportMissingObra
  StrCpy $0 0
  ${If} $PlatformObra == ""
  ${AndIfNot} ${SectionIsSelected} ${SecSimulator}
    MessageBox MB_OK|MB_ICONSTOP "$(MSG_OBRA_MISSING)" /SD IDOK
    StrCpy $0 1
  ${EndIf}
FunctionEnd

Function ComponentsLeave
  Call ReportMissingObra
  ${If} $0 = 1
    Abort
  ${EndIf}
FunctionEnd

Function CheckRefusals
  !insertmacro REQUIRE_ADMIN
  Call CheckInstallFolder
FunctionEnd

Function un.CheckRefusals
  !insertmacro REQUIRE_ADMIN
FunctionEnd

Function .onInit
  !insertmacro CHOOSE_LANGUAGE
  SetRegView ${REG_VIEW}
  Call NormaliseInstallFolder
  ${If} ${Silent}
    Call CheckRefusals
  ${EndIf}
  Call FindObra
  ; The simulator is chosen by /FORCEOBRA, and kept by an upgrade that has
  ; it in place while the platform's library is still missing.
  ${GetParameters} $1
  ClearErrors
  ${GetOptions} $1 "/FORCEOBRA" $2
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${SecSimulator}
  ${ElseIf} $OwnObra = 1
  ${AndIf} $PlatformObra == ""
    !insertmacro SelectSection ${SecSimulator}
  ${EndIf}
  ; Silent, nothing asks again: install nothing and exit with code 4.
  ${If} ${Silent}
    Call ReportMissingObra
    ${If} $0 = 1
      SetErrorLevel ${EXIT_NO_PLATFORM_LIBRARY}
      Quit
    ${EndIf}
  ${EndIf}
FunctionEnd

Function un.onInit
  !insertmacro CHOOSE_LANGUAGE
  SetRegView ${REG_VIEW}
  ${If} ${Silent}
    Call un.CheckRefusals
  ${EndIf}
FunctionEnd

Section "Uninstall"
  Call un.CloseRunningCopy
  ; Files in use (by a copy in another session) go at the next restart.
  Delete /REBOOTOK "$INSTDIR\Ravo.exe"
  Call un.IsOwnObraHere
  ${If} $0 = 1
    Delete /REBOOTOK "$INSTDIR\OBRA.dll"
  ${EndIf}
  Delete "$INSTDIR\uninst.exe"
  ; Only when empty: a platform OBRA.dll in it stays. The folder waits for
  ; the restart when its files do.
  ${If} ${RebootFlag}
    RMDir /REBOOTOK "$INSTDIR"
  ${Else}
    RMDir "$INSTDIR"
  ${EndIf}

  DeleteRegValue HKLM "${RUN_KEY}" "${PRODUCT}"
  DeleteRegKey HKLM "${VERSION_KEY}"
  DeleteRegKey HKLM "${UNINST_KEY}"
  ${If} ${RebootFlag}
    SetErrorLevel ${ERROR_SUCCESS_REBOOT_REQUIRED}
    MessageBox MB_YESNO|MB_ICONINFORMATION "$(MSG_UNINSTALL_REBOOT)" /SD IDNO IDNO +2
    Reboot
  ${EndIf}
SectionEnd
