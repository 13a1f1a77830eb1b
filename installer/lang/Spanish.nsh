; Spanish texts of the installer, one LangString per text; every language
; file defines the same names. Include after !define PRODUCT and after
; !insertmacro MUI_LANGUAGE "Spanish".
; MSG_CANNOT_WRITE and MSG_IN_USE_DETAIL name the file being installed
; through $R0: set $R0 to the file's name before showing them.

LangString MSG_NEEDS_ADMIN        ${LANG_SPANISH} "El programa de instalación de ${PRODUCT} necesita permisos de administrador.$\r$\n$\r$\nVuelva a ejecutarlo como administrador."
LangString DETAIL_CLOSING         ${LANG_SPANISH} "Cerrando ${PRODUCT}, que está en ejecución..."
LangString MSG_NOT_CLOSED         ${LANG_SPANISH} "${PRODUCT} sigue en ejecución y no se ha cerrado.$\r$\n$\r$\nCiérrelo desde su menú en el área de notificación (Salir) y, a continuación, elija Reintentar."
LangString DETAIL_NOT_CLOSED      ${LANG_SPANISH} "${PRODUCT} no se ha cerrado; no se ha cambiado nada."
LangString MSG_CANNOT_WRITE       ${LANG_SPANISH} "No se puede escribir $INSTDIR\$R0."
LangString MSG_IN_USE_DETAIL      ${LANG_SPANISH} "$R0 está en uso: se reemplazará cuando se reinicie Windows."
LangString MSG_FOLDER_REFUSED     ${LANG_SPANISH} "${PRODUCT} no se puede instalar en $INSTDIR.$\r$\n$\r$\nWindows solo inicia ${PRODUCT} desde una carpeta protegida: elija una carpeta dentro de $PROGRAMFILES64."
LangString MSG_START_PENDING      ${LANG_SPANISH} "Windows todavía está iniciando ${PRODUCT}. Si su icono no aparece en el área de notificación, ${PRODUCT} se iniciará la próxima vez que inicie sesión."
LangString MSG_START_FAILED       ${LANG_SPANISH} "No se ha podido iniciar ${PRODUCT} ahora. Se iniciará la próxima vez que inicie sesión."
LangString DETAIL_RESTART         ${LANG_SPANISH} "Reinicie Windows para finalizar la instalación."
LangString SEC_SIMULATOR          ${LANG_SPANISH} "Simulador de firmware"
LangString DESC_MAIN              ${LANG_SPANISH} "El programa ${PRODUCT}."
LangString DESC_SIMULATOR         ${LANG_SPANISH} "Un firmware simulado para equipos sin la biblioteca de plataforma OBRA.dll. ${PRODUCT} muestra entonces módulos de radio simulados y los activa o desactiva, no los del equipo."
LangString DETAIL_KEEP_OBRA       ${LANG_SPANISH} "Se conserva el archivo OBRA.dll de la plataforma en $INSTDIR"
LangString DETAIL_USE_SYSTEM_OBRA ${LANG_SPANISH} "Se usa el archivo OBRA.dll de la plataforma en $SYSDIR"
LangString MSG_OBRA_MISSING       ${LANG_SPANISH} "Falta la biblioteca de plataforma OBRA.dll: no está ni en $SYSDIR ni en $INSTDIR. ${PRODUCT} lee y activa o desactiva los módulos de radio a través de ella.$\r$\n$\r$\nInstale primero el software de plataforma del portátil o elija el simulador de firmware para probar ${PRODUCT} sin ella."
LangString MSG_UNINSTALL_REBOOT   ${LANG_SPANISH} "${PRODUCT} está en uso en otra sesión; sus archivos se quitarán cuando se reinicie Windows.$\r$\n$\r$\n¿Desea reiniciar ahora?"
LangString MSG_REBOOT_FINISH      ${LANG_SPANISH} "${PRODUCT} está en uso en otra sesión, por lo que algunos de sus archivos se reemplazarán cuando se reinicie Windows. ¿Desea reiniciar ahora?"
LangString RUN_TEXT               ${LANG_SPANISH} "Iniciar ${PRODUCT} ahora"
