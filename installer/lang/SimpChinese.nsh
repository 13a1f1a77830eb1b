; SimpChinese texts of the installer, one LangString per text; every language
; file defines the same names. Include after !define PRODUCT and after
; !insertmacro MUI_LANGUAGE "SimpChinese".
; MSG_CANNOT_WRITE and MSG_IN_USE_DETAIL name the file being installed
; through $R0: set $R0 to the file's name before showing them.

LangString MSG_NEEDS_ADMIN        ${LANG_SIMPCHINESE} "${PRODUCT} 安装程序需要管理员权限。$\r$\n$\r$\n请以管理员身份重新运行安装程序。"
LangString DETAIL_CLOSING         ${LANG_SIMPCHINESE} "正在关闭运行中的 ${PRODUCT}..."
LangString MSG_NOT_CLOSED         ${LANG_SIMPCHINESE} "${PRODUCT} 仍在运行，未能关闭。$\r$\n$\r$\n请通过其通知区域菜单（退出）关闭它，然后选择“重试”。"
LangString DETAIL_NOT_CLOSED      ${LANG_SIMPCHINESE} "${PRODUCT} 未关闭；未做任何更改。"
LangString MSG_CANNOT_WRITE       ${LANG_SIMPCHINESE} "无法写入 $INSTDIR\$R0。"
LangString MSG_IN_USE_DETAIL      ${LANG_SIMPCHINESE} "$R0 正在使用：它将在 Windows 重新启动时被替换。"
LangString MSG_FOLDER_REFUSED     ${LANG_SIMPCHINESE} "无法将 ${PRODUCT} 安装到 $INSTDIR。$\r$\n$\r$\nWindows 只从受保护的文件夹启动 ${PRODUCT}：请选择 $PROGRAMFILES64 中的文件夹。"
LangString MSG_START_PENDING      ${LANG_SIMPCHINESE} "Windows 仍在启动 ${PRODUCT}。如果其图标没有出现在通知区域中，${PRODUCT} 将在你下次登录时启动。"
LangString MSG_START_FAILED       ${LANG_SIMPCHINESE} "现在无法启动 ${PRODUCT}。它将在你下次登录时启动。"
LangString DETAIL_RESTART         ${LANG_SIMPCHINESE} "请重新启动 Windows 以完成安装。"
LangString SEC_SIMULATOR          ${LANG_SIMPCHINESE} "固件模拟器"
LangString DESC_MAIN              ${LANG_SIMPCHINESE} "${PRODUCT} 程序。"
LangString DESC_SIMULATOR         ${LANG_SIMPCHINESE} "为没有平台库 OBRA.dll 的计算机提供的模拟固件。此时 ${PRODUCT} 显示和切换的是模拟的无线设备，而不是计算机的无线设备。"
LangString DETAIL_KEEP_OBRA       ${LANG_SIMPCHINESE} "保留 $INSTDIR 中平台的 OBRA.dll"
LangString DETAIL_USE_SYSTEM_OBRA ${LANG_SIMPCHINESE} "使用 $SYSDIR 中平台的 OBRA.dll"
LangString MSG_OBRA_MISSING       ${LANG_SIMPCHINESE} "缺少平台库 OBRA.dll：它既不在 $SYSDIR 中，也不在 $INSTDIR 中。${PRODUCT} 通过它读取和切换无线设备。$\r$\n$\r$\n请先安装笔记本电脑的平台软件，或选择固件模拟器，以便在没有此库的情况下试用 ${PRODUCT}。"
LangString MSG_UNINSTALL_REBOOT   ${LANG_SIMPCHINESE} "${PRODUCT} 正在另一个会话中使用；其文件将在 Windows 重新启动时删除。$\r$\n$\r$\n是否立即重新启动？"
LangString MSG_REBOOT_FINISH      ${LANG_SIMPCHINESE} "${PRODUCT} 正在另一个会话中使用，因此其部分文件将在 Windows 重新启动时被替换。是否立即重新启动？"
LangString RUN_TEXT               ${LANG_SIMPCHINESE} "立即启动 ${PRODUCT}"
