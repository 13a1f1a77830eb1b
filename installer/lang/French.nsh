; French texts of the installer, one LangString per text; every language
; file defines the same names. Include after !define PRODUCT and after
; !insertmacro MUI_LANGUAGE "French".
; MSG_CANNOT_WRITE and MSG_IN_USE_DETAIL name the file being installed
; through $R0: set $R0 to the file's name before showing them.

LangString MSG_NEEDS_ADMIN        ${LANG_FRENCH} "Le programme d'installation de ${PRODUCT} nécessite des droits d'administrateur.$\r$\n$\r$\nExécutez-le de nouveau en tant qu'administrateur."
LangString DETAIL_CLOSING         ${LANG_FRENCH} "Fermeture de ${PRODUCT} en cours d'exécution..."
LangString MSG_NOT_CLOSED         ${LANG_FRENCH} "${PRODUCT} est toujours en cours d'exécution et ne s'est pas fermé.$\r$\n$\r$\nFermez-le depuis son menu dans la zone de notification (Quitter), puis choisissez Réessayer."
LangString DETAIL_NOT_CLOSED      ${LANG_FRENCH} "${PRODUCT} ne s'est pas fermé ; aucune modification n'a été effectuée."
LangString MSG_CANNOT_WRITE       ${LANG_FRENCH} "Impossible d'écrire $INSTDIR\$R0."
LangString MSG_IN_USE_DETAIL      ${LANG_FRENCH} "$R0 est en cours d'utilisation : il sera remplacé au redémarrage de Windows."
LangString MSG_FOLDER_REFUSED     ${LANG_FRENCH} "${PRODUCT} ne peut pas être installé dans $INSTDIR.$\r$\n$\r$\nWindows ne démarre ${PRODUCT} qu'à partir d'un dossier protégé : choisissez un dossier dans $PROGRAMFILES64."
LangString MSG_START_PENDING      ${LANG_FRENCH} "Windows est encore en train de démarrer ${PRODUCT}. Si son icône n'apparaît pas dans la zone de notification, ${PRODUCT} démarrera à votre prochaine ouverture de session."
LangString MSG_START_FAILED       ${LANG_FRENCH} "${PRODUCT} n'a pas pu être démarré maintenant. Il démarrera à votre prochaine ouverture de session."
LangString DETAIL_RESTART         ${LANG_FRENCH} "Redémarrez Windows pour terminer l'installation."
LangString SEC_SIMULATOR          ${LANG_FRENCH} "Simulateur de microprogramme"
LangString DESC_MAIN              ${LANG_FRENCH} "Le programme ${PRODUCT}."
LangString DESC_SIMULATOR         ${LANG_FRENCH} "Un microprogramme simulé pour les ordinateurs sans la bibliothèque de plateforme OBRA.dll. ${PRODUCT} affiche et commute alors des modules radio simulés, et non ceux de l'ordinateur."
LangString DETAIL_KEEP_OBRA       ${LANG_FRENCH} "Conservation de l'OBRA.dll de la plateforme dans $INSTDIR"
LangString DETAIL_USE_SYSTEM_OBRA ${LANG_FRENCH} "Utilisation de l'OBRA.dll de la plateforme dans $SYSDIR"
LangString MSG_OBRA_MISSING       ${LANG_FRENCH} "La bibliothèque de plateforme OBRA.dll est introuvable : elle n'est ni dans $SYSDIR ni dans $INSTDIR. ${PRODUCT} lit et commute les modules radio par son intermédiaire.$\r$\n$\r$\nInstallez d'abord le logiciel de plateforme de l'ordinateur portable, ou choisissez le simulateur de microprogramme pour essayer ${PRODUCT} sans elle."
LangString MSG_UNINSTALL_REBOOT   ${LANG_FRENCH} "${PRODUCT} est utilisé dans une autre session ; ses fichiers seront supprimés au redémarrage de Windows.$\r$\n$\r$\nRedémarrer maintenant ?"
LangString MSG_REBOOT_FINISH      ${LANG_FRENCH} "${PRODUCT} est utilisé dans une autre session : certains de ses fichiers seront remplacés au redémarrage de Windows. Redémarrer maintenant ?"
LangString RUN_TEXT               ${LANG_FRENCH} "Démarrer ${PRODUCT} maintenant"
