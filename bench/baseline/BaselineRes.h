// Resource identifiers of the baseline programs (plain #defines: read by
// windres as well as the compiler).
#ifndef BENCH_BASELINE_RES_H
#define BENCH_BASELINE_RES_H

#define IDD_BASE_PANEL      105

#define IDI_BASE_TRAY_BOTH_ON   138
#define IDI_BASE_TRAY_BOTH_OFF  140
#define IDI_BASE_TRAY_BT_ON     142
#define IDI_BASE_TRAY_WLAN_ON   146

#define IDI_BASE_OSD_BT_ON      130
#define IDI_BASE_OSD_BOTH_ON    131
#define IDI_BASE_OSD_BOTH_OFF   133
#define IDI_BASE_OSD_WLAN_ON    135

#define IDC_BASE_BTN1       1001
#define IDC_BASE_BTN2       1002
#define IDC_BASE_BTN3       1003
#define IDC_BASE_BTN4       1004
#define IDC_BASE_CAPTION    1006

#endif
