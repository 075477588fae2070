#pragma once
// Resource ids of Panelkit.dll (shared by the .rc file and the code). The control bitmaps take
// the consecutive ids of the control table (panel/model/panel_layout.h).
#define IDS_PANEL_NAME 102
#define IDS_PANEL_DESCRIPTION 103
#define IDD_CONTROL_PANEL 106
#define IDD_DSP_INACTIVE 164
#define IDD_QUALITY_WARNING 180
#define IDR_PANEL_REGISTRATION 201
#define IDD_CONNECTION_FAILED 445
#define IDB_DIALOG_PICTURE 446

// Template 106
#define IDC_PRESET_ROCK_POP 1000
#define IDC_PRESET_CLASSIC 1001
#define IDC_PRESET_JAZZ 1002
#define IDC_PRESET_MOVIE 1003
#define IDC_PRESET_NEUTRAL 1004
#define IDC_SURROUND_SWITCH 1005
#define IDC_INFO 1006
#define IDC_AUTO 1007
#define IDC_LEVEL_MIN 1008
#define IDC_LEVEL_MAX 1009
#define IDC_LEVEL_MID 1010
#define IDC_STATUS_DISPLAY 1011

// Templates 180 and 445
#define IDC_DONT_SHOW_AGAIN 1039
#define IDC_HOMEPAGE_ADDRESS 1040
