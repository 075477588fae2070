#pragma once
// Resource ids of TevaroPlayerDSP.dll (shared by the .rc file and the code).
#define IDR_CLASS_REGISTRATION 101
#define IDS_PLUGIN_NAME 102
#define IDS_PLUGIN_DESCRIPTION 103
#define IDS_PAGE_TITLE 104
#define IDS_PAGE_DOCSTRING 106
#define IDD_DSP_PAGE 108
#define IDB_DSP_PAGE_PICTURE 204
