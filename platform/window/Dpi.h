#pragma once

#include <windows.h>

// The dots per inch a window is drawn at: what sizes given in pixels at 96 DPI are scaled by.
UINT WindowDpi(HWND hWnd);
// A system metric (such as SM_CXICON) as it is at dpi.
int SystemMetricForDpi(int index, UINT dpi);
