; Japanese texts of the installer, one LangString per text; every language
; file defines the same names. Include after !define PRODUCT and after
; !insertmacro MUI_LANGUAGE "Japanese".
; MSG_CANNOT_WRITE and MSG_IN_USE_DETAIL name the file being installed
; through $R0: set $R0 to the file's name before showing them.

LangString MSG_NEEDS_ADMIN        ${LANG_JAPANESE} "${PRODUCT} のセットアップには管理者権限が必要です。$\r$\n$\r$\n管理者として実行し直してください。"
LangString DETAIL_CLOSING         ${LANG_JAPANESE} "実行中の ${PRODUCT} を終了しています..."
LangString MSG_NOT_CLOSED         ${LANG_JAPANESE} "${PRODUCT} はまだ実行中で、終了しませんでした。$\r$\n$\r$\n通知領域のメニュー ([終了]) から ${PRODUCT} を終了してから、[再試行] を選んでください。"
LangString DETAIL_NOT_CLOSED      ${LANG_JAPANESE} "${PRODUCT} が終了しなかったため、何も変更していません。"
LangString MSG_CANNOT_WRITE       ${LANG_JAPANESE} "$INSTDIR\$R0 に書き込めません。"
LangString MSG_IN_USE_DETAIL      ${LANG_JAPANESE} "$R0 は使用中です。Windows の再起動時に置き換えられます。"
LangString MSG_FOLDER_REFUSED     ${LANG_JAPANESE} "${PRODUCT} を $INSTDIR にインストールすることはできません。$\r$\n$\r$\nWindows は保護されたフォルダーにある ${PRODUCT} しか起動しません。$PROGRAMFILES64 内のフォルダーを選んでください。"
LangString MSG_START_PENDING      ${LANG_JAPANESE} "Windows は ${PRODUCT} をまだ起動しています。通知領域にアイコンが表示されない場合、${PRODUCT} は次回のサインイン時に起動します。"
LangString MSG_START_FAILED       ${LANG_JAPANESE} "${PRODUCT} を今は起動できませんでした。次回のサインイン時に起動します。"
LangString DETAIL_RESTART         ${LANG_JAPANESE} "インストールを完了するには、Windows を再起動してください。"
LangString SEC_SIMULATOR          ${LANG_JAPANESE} "ファームウェア シミュレーター"
LangString DESC_MAIN              ${LANG_JAPANESE} "${PRODUCT} のプログラムです。"
LangString DESC_SIMULATOR         ${LANG_JAPANESE} "プラットフォーム ライブラリ OBRA.dll のないコンピューター向けの模擬ファームウェアです。この場合、${PRODUCT} はコンピューターの無線ではなく、模擬の無線を表示して切り替えます。"
LangString DETAIL_KEEP_OBRA       ${LANG_JAPANESE} "$INSTDIR にあるプラットフォームの OBRA.dll をそのまま使います"
LangString DETAIL_USE_SYSTEM_OBRA ${LANG_JAPANESE} "$SYSDIR にあるプラットフォームの OBRA.dll を使います"
LangString MSG_OBRA_MISSING       ${LANG_JAPANESE} "プラットフォーム ライブラリ OBRA.dll が見つかりません。$SYSDIR にも $INSTDIR にもありません。${PRODUCT} はこのライブラリを通じて無線の状態を読み取り、切り替えます。$\r$\n$\r$\n先にノート PC のプラットフォーム ソフトウェアをインストールするか、ファームウェア シミュレーターを選んで、このライブラリなしで ${PRODUCT} をお試しください。"
LangString MSG_UNINSTALL_REBOOT   ${LANG_JAPANESE} "${PRODUCT} は別のセッションで使用中です。ファイルは Windows の再起動時に削除されます。$\r$\n$\r$\n今すぐ再起動しますか?"
LangString MSG_REBOOT_FINISH      ${LANG_JAPANESE} "${PRODUCT} は別のセッションで使用中のため、一部のファイルは Windows の再起動時に置き換えられます。今すぐ再起動しますか?"
LangString RUN_TEXT               ${LANG_JAPANESE} "${PRODUCT} を今すぐ起動する"
