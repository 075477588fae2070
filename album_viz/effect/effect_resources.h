#pragma once
// Resource ids of CoverDrift.dll, shared by its .rc and its code.
#define IDS_COVERDRIFT_TITLE 101
#define IDS_COVERDRIFT_DESCRIPTION 105
#define IDR_COVERDRIFT_REGISTRY 104
#define IDD_COVERDRIFT_ABOUT 106
#define IDC_COVERDRIFT_ABOUT_TEXT 1000
