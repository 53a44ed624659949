/* Resource ids of the program, shared by the resource script and the code.
   Plain #defines only: the resource compiler reads this file too. */
#pragma once

/* Icons and bitmaps */
#define IDI_APP 126
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
