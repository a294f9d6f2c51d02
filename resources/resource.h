// Resource ids of kiv.exe, shared by the C++ sources and kiv.rc.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// About box
#define IDD_ABOUTBOX 100
#define IDR_ABOUTICON 129

// Main dialog
#define IDD_MAIN 102
#define IDR_MAINFRAME 128
#define IDS_ABOUTBOX 101
#define IDS_SHOWLIST 102
#define IDM_ABOUTBOX 0x0010
#define IDM_SHOWLIST 0x0011

// List dialog
#define IDD_LIST 130
#define IDC_LIST 1000
