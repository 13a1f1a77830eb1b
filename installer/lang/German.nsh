; German texts of the installer, one LangString per text; every language
; file defines the same names. Include after !define PRODUCT and after
; !insertmacro MUI_LANGUAGE "German".
; MSG_CANNOT_WRITE and MSG_IN_USE_DETAIL name the file being installed
; through $R0: set $R0 to the file's name before showing them.

LangString MSG_NEEDS_ADMIN        ${LANG_GERMAN} "Das ${PRODUCT}-Setup benötigt Administratorrechte.$\r$\n$\r$\nFühren Sie es erneut als Administrator aus."
LangString DETAIL_CLOSING         ${LANG_GERMAN} "Das laufende ${PRODUCT} wird beendet..."
LangString MSG_NOT_CLOSED         ${LANG_GERMAN} "${PRODUCT} wird noch ausgeführt und wurde nicht beendet.$\r$\n$\r$\nBeenden Sie es über sein Menü im Infobereich (Beenden), und wählen Sie dann „Wiederholen“."
LangString DETAIL_NOT_CLOSED      ${LANG_GERMAN} "${PRODUCT} wurde nicht beendet; es wurde nichts geändert."
LangString MSG_CANNOT_WRITE       ${LANG_GERMAN} "$INSTDIR\$R0 kann nicht geschrieben werden."
LangString MSG_IN_USE_DETAIL      ${LANG_GERMAN} "$R0 wird verwendet: Die Datei wird beim Neustart von Windows ersetzt."
LangString MSG_FOLDER_REFUSED     ${LANG_GERMAN} "${PRODUCT} kann nicht in $INSTDIR installiert werden.$\r$\n$\r$\nWindows startet ${PRODUCT} nur aus einem geschützten Ordner: Wählen Sie einen Ordner innerhalb von $PROGRAMFILES64."
LangString MSG_START_PENDING      ${LANG_GERMAN} "Windows startet ${PRODUCT} noch. Wenn das Symbol nicht im Infobereich erscheint, startet ${PRODUCT} bei Ihrer nächsten Anmeldung."
LangString MSG_START_FAILED       ${LANG_GERMAN} "${PRODUCT} konnte jetzt nicht gestartet werden. Das Programm startet bei Ihrer nächsten Anmeldung."
LangString DETAIL_RESTART         ${LANG_GERMAN} "Starten Sie Windows neu, um die Installation abzuschließen."
LangString SEC_SIMULATOR          ${LANG_GERMAN} "Firmware-Simulator"
LangString DESC_MAIN              ${LANG_GERMAN} "Das Programm ${PRODUCT}."
LangString DESC_SIMULATOR         ${LANG_GERMAN} "Eine simulierte Firmware für Computer ohne die Plattformbibliothek OBRA.dll. ${PRODUCT} zeigt und schaltet dann simulierte Funkmodule, nicht die des Computers."
LangString DETAIL_KEEP_OBRA       ${LANG_GERMAN} "Die OBRA.dll der Plattform in $INSTDIR wird beibehalten"
LangString DETAIL_USE_SYSTEM_OBRA ${LANG_GERMAN} "Die OBRA.dll der Plattform in $SYSDIR wird verwendet"
LangString MSG_OBRA_MISSING       ${LANG_GERMAN} "Die Plattformbibliothek OBRA.dll fehlt: Sie befindet sich weder in $SYSDIR noch in $INSTDIR. ${PRODUCT} liest und schaltet die Funkmodule über diese Bibliothek.$\r$\n$\r$\nInstallieren Sie zuerst die Plattformsoftware des Notebooks, oder wählen Sie den Firmware-Simulator, um ${PRODUCT} ohne sie auszuprobieren."
LangString MSG_UNINSTALL_REBOOT   ${LANG_GERMAN} "${PRODUCT} wird in einer anderen Sitzung verwendet; die Dateien werden beim Neustart von Windows entfernt.$\r$\n$\r$\nJetzt neu starten?"
LangString MSG_REBOOT_FINISH      ${LANG_GERMAN} "${PRODUCT} wird in einer anderen Sitzung verwendet, daher werden einige Dateien beim Neustart von Windows ersetzt. Jetzt neu starten?"
LangString RUN_TEXT               ${LANG_GERMAN} "${PRODUCT} jetzt starten"
