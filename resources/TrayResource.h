// Resource and command ids of the tray frame, its menus and the secondary
// dialogs. Plain macros: the resource script includes this file as well.
#pragma once

// Frame resource: window title string, menu and icon of the hidden frame;
// also the program's own icon.
#define IDR_MAINFRAME 126
// The tray icon's id, its menu resource and (absent) initial tooltip string.
#define IDR_TRAYICON 3
// Spare tray icons with tooltip strings of the same ids.
#define IDI_TRAY_SPARE1 101
#define IDI_TRAY_SPARE2 102

// Dialog templates and their controls.
#define IDD_ABOUTBOX 100
#define IDC_ABOUT_ICON 1015
#define IDD_ORDER 121
#define IDC_ORDER_TREE 1024
#define IDC_ORDER_TEXT 1026
#define IDC_ORDER_ICON 1027
#define IDD_DISABLE_TRAY_ICON 108
#define IDC_SHOW_NEXT_TIME 1000
#define IDC_DISABLE_NO 1001
#define IDC_DISABLE_ICON 1014

// Commands of the frame and the tray menu.
#define ID_TOGGLE_ICON 32020
#define ID_VIEW_CLEAR 32021
#define ID_VIEW_NOTIFICATIONS 32022
#define ID_TRAY_OPEN 32023
#define ID_APP_QUIT 32024
#define ID_DISABLE_TRAY_ICON 32027
#define ID_APP_ABOUT 57664
#define ID_APP_EXIT 57665
#define ID_VIEW_STATUS_BAR 59393

// Child windows of the frame.
#define IDW_STATUS_BAR 59393
#define IDW_PANE_FIRST 59648
