// Resource identifiers shared by the resource script and the code.
// Read by rc.exe and windres as well as the C++ compiler: plain #defines only.
#ifndef RAVO_RESOURCE_H
#define RAVO_RESOURCE_H

// Dialog templates
#define IDD_ABOUTBOX        100
#define IDD_RADIO_SELECT    105
#define IDD_SWITCH_OFF      106

// Program name, application icon, tray icon id and tray menu
#define IDR_MAINFRAME       128

// State ids: a string and an icon share each number.
// On-screen display family, 64 x 64 icons
#define IDR_OSD_BT_ON       130
#define IDR_OSD_BOTH_ON     131
#define IDR_OSD_BT_OFF      132
#define IDR_OSD_BOTH_OFF    133
#define IDR_OSD_WLAN_OFF    134
#define IDR_OSD_WLAN_ON     135
// Notification-area family, 16 x 16 icons
#define IDR_TRAY_BOTH_ON    138
#define IDR_TRAY_BOTH_OFF   140
#define IDR_TRAY_BT_ON      142
#define IDR_TRAY_BT_OFF     144
#define IDR_TRAY_WLAN_ON    146
#define IDR_TRAY_WLAN_OFF   148

// Dialog controls
#define IDC_BTN1            1001
#define IDC_BTN2            1002
#define IDC_BTN3            1003
#define IDC_BTN4            1004
#define IDC_BTN5            1005
#define IDC_CHOICE_TEXT     1006
#define IDC_VERSION         1007

// Commands
#define ID_OPTION           32771
#ifndef ID_APP_ABOUT
#define ID_APP_ABOUT        0xE140
#endif
#ifndef ID_APP_EXIT
#define ID_APP_EXIT         0xE141
#endif

// The framework's application-title string
#ifndef AFX_IDS_APP_TITLE
#define AFX_IDS_APP_TITLE   0xE000
#endif

#ifndef IDC_STATIC
#define IDC_STATIC          (-1)
#endif

#endif
