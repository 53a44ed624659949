/* Resource ids of the program, shared by the resource script and the code.
   Plain #defines only: the resource compiler reads this file too. */
#pragma once

/* Icons and bitmaps */
/* 126 is the program's icon, its frame menu and its frame title string. */
#define IDR_MAINFRAME 126
#define IDI_SPARE_1 101
#define IDI_SPARE_2 102
#define IDB_PICTURE 118

/* The main dialog and its controls */
#define IDD_BONUS_DIALOG 132
#define IDC_HELP_BUTTON 57670
#define IDC_MOREINFO 1010
#define IDC_INSTALL 1006
#define IDC_CLOSE 1007
#define IDC_CAPSULELIST 1004
#define IDC_LOGO 1013
#define IDC_TITLE 1009
#define IDC_NOTE 1003
#define IDC_DISKSPACE 1008
#define IDC_DESCRIPTION 1002
#define IDC_INTRO 1011
#define IDC_DISKSPACE_LABEL 1016
#define IDC_PICTURE 1012

/* The tray frame, its menus and the secondary dialogs */

// Frame resource: window title string, menu and icon of the hidden frame;
// also the program's own icon.
// The tray icon's id, its menu resource and (absent) initial tooltip string.
#define IDR_TRAYICON 3
// Spare tray icons with tooltip strings of the same ids.

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
