; English texts of the installer, one LangString per text; every language
; file defines the same names. Include after !define PRODUCT and after
; !insertmacro MUI_LANGUAGE "English".
; MSG_CANNOT_WRITE and MSG_IN_USE_DETAIL name the file being installed
; through $R0: set $R0 to the file's name before showing them.

LangString MSG_NEEDS_ADMIN        ${LANG_ENGLISH} "${PRODUCT} Setup needs administrator rights.$\r$\n$\r$\nRun it again as an administrator."
LangString DETAIL_CLOSING         ${LANG_ENGLISH} "Closing the running ${PRODUCT}..."
LangString MSG_NOT_CLOSED         ${LANG_ENGLISH} "${PRODUCT} is still running and did not close.$\r$\n$\r$\nClose it from its tray menu (Exit), then choose Retry."
LangString DETAIL_NOT_CLOSED      ${LANG_ENGLISH} "${PRODUCT} did not close; nothing was changed."
LangString MSG_CANNOT_WRITE       ${LANG_ENGLISH} "$INSTDIR\$R0 cannot be written."
LangString MSG_IN_USE_DETAIL      ${LANG_ENGLISH} "$R0 is in use: it is replaced when Windows restarts."
LangString MSG_FOLDER_REFUSED     ${LANG_ENGLISH} "${PRODUCT} cannot be installed in $INSTDIR.$\r$\n$\r$\nWindows starts ${PRODUCT} only from a protected folder: choose a folder within $PROGRAMFILES64."
LangString MSG_START_PENDING      ${LANG_ENGLISH} "Windows is still starting ${PRODUCT}. If its icon does not appear in the notification area, ${PRODUCT} starts at your next logon."
LangString MSG_START_FAILED       ${LANG_ENGLISH} "${PRODUCT} could not be started now. It starts at your next logon."
LangString DETAIL_RESTART         ${LANG_ENGLISH} "Restart Windows to finish the installation."
LangString SEC_SIMULATOR          ${LANG_ENGLISH} "Firmware simulator"
LangString DESC_MAIN              ${LANG_ENGLISH} "The ${PRODUCT} program."
LangString DESC_SIMULATOR         ${LANG_ENGLISH} "A simulated firmware for machines without the platform library OBRA.dll. ${PRODUCT} then shows and switches simulated radios, not the machine's."
LangString DETAIL_KEEP_OBRA       ${LANG_ENGLISH} "Keeping the platform's OBRA.dll in $INSTDIR"
LangString DETAIL_USE_SYSTEM_OBRA ${LANG_ENGLISH} "Using the platform's OBRA.dll in $SYSDIR"
LangString MSG_OBRA_MISSING       ${LANG_ENGLISH} "The platform library OBRA.dll is missing: it is neither in $SYSDIR nor in $INSTDIR. ${PRODUCT} reads and switches the radios through it.$\r$\n$\r$\nInstall the notebook's platform software first, or choose the firmware simulator to try ${PRODUCT} without it."
LangString MSG_UNINSTALL_REBOOT   ${LANG_ENGLISH} "${PRODUCT} is in use in another session; its files are removed when Windows restarts.$\r$\n$\r$\nRestart now?"
LangString MSG_REBOOT_FINISH      ${LANG_ENGLISH} "${PRODUCT} is in use in another session, so some of its files are replaced when Windows restarts. Restart now?"
LangString RUN_TEXT               ${LANG_ENGLISH} "Start ${PRODUCT} now"
