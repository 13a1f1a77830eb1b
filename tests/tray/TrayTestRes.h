// Resources of the tray tests, beside the program's own.
#pragma once

#define IDS_TRAY_TEST_LONG     900  // a 140-character string; no icon, no menu
#define IDR_TRAY_TEST_FLATMENU 901  // a menu without a popup; no string, no icon
#define IDM_TRAY_TEST_FLAT     902
