; Russian texts of the installer, one LangString per text; every language
; file defines the same names. Include after !define PRODUCT and after
; !insertmacro MUI_LANGUAGE "Russian".
; MSG_CANNOT_WRITE and MSG_IN_USE_DETAIL name the file being installed
; through $R0: set $R0 to the file's name before showing them.

LangString MSG_NEEDS_ADMIN        ${LANG_RUSSIAN} "Программе установки ${PRODUCT} требуются права администратора.$\r$\n$\r$\nЗапустите ее снова от имени администратора."
LangString DETAIL_CLOSING         ${LANG_RUSSIAN} "Закрытие запущенной программы ${PRODUCT}..."
LangString MSG_NOT_CLOSED         ${LANG_RUSSIAN} "Программа ${PRODUCT} все еще работает и не закрылась.$\r$\n$\r$\nЗакройте ее из меню в области уведомлений (Выход), затем нажмите «Повторить»."
LangString DETAIL_NOT_CLOSED      ${LANG_RUSSIAN} "Программа ${PRODUCT} не закрылась; ничего не изменено."
LangString MSG_CANNOT_WRITE       ${LANG_RUSSIAN} "Не удается записать $INSTDIR\$R0."
LangString MSG_IN_USE_DETAIL      ${LANG_RUSSIAN} "$R0 используется: файл будет заменен при перезагрузке Windows."
LangString MSG_FOLDER_REFUSED     ${LANG_RUSSIAN} "Программу ${PRODUCT} нельзя установить в $INSTDIR.$\r$\n$\r$\nWindows запускает ${PRODUCT} только из защищенной папки: выберите папку внутри $PROGRAMFILES64."
LangString MSG_START_PENDING      ${LANG_RUSSIAN} "Windows еще запускает ${PRODUCT}. Если значок программы не появится в области уведомлений, ${PRODUCT} запустится при следующем входе в систему."
LangString MSG_START_FAILED       ${LANG_RUSSIAN} "Не удалось запустить ${PRODUCT} сейчас. Программа запустится при следующем входе в систему."
LangString DETAIL_RESTART         ${LANG_RUSSIAN} "Перезагрузите Windows, чтобы завершить установку."
LangString SEC_SIMULATOR          ${LANG_RUSSIAN} "Симулятор микропрограммы"
LangString DESC_MAIN              ${LANG_RUSSIAN} "Программа ${PRODUCT}."
LangString DESC_SIMULATOR         ${LANG_RUSSIAN} "Имитация микропрограммы для компьютеров без библиотеки платформы OBRA.dll. В этом случае ${PRODUCT} показывает и переключает имитируемые радиомодули, а не модули компьютера."
LangString DETAIL_KEEP_OBRA       ${LANG_RUSSIAN} "Сохраняется OBRA.dll платформы в $INSTDIR"
LangString DETAIL_USE_SYSTEM_OBRA ${LANG_RUSSIAN} "Используется OBRA.dll платформы в $SYSDIR"
LangString MSG_OBRA_MISSING       ${LANG_RUSSIAN} "Отсутствует библиотека платформы OBRA.dll: ее нет ни в $SYSDIR, ни в $INSTDIR. Через нее ${PRODUCT} считывает состояние радиомодулей и переключает их.$\r$\n$\r$\nСначала установите программное обеспечение платформы ноутбука или выберите симулятор микропрограммы, чтобы опробовать ${PRODUCT} без нее."
LangString MSG_UNINSTALL_REBOOT   ${LANG_RUSSIAN} "Программа ${PRODUCT} используется в другом сеансе; ее файлы будут удалены при перезагрузке Windows.$\r$\n$\r$\nПерезагрузить сейчас?"
LangString MSG_REBOOT_FINISH      ${LANG_RUSSIAN} "Программа ${PRODUCT} используется в другом сеансе, поэтому некоторые ее файлы будут заменены при перезагрузке Windows. Перезагрузить сейчас?"
LangString RUN_TEXT               ${LANG_RUSSIAN} "Запустить ${PRODUCT} сейчас"
