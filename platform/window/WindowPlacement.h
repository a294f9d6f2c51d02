#pragma once

#include <windows.h>

// Centres a top-level window on its owner, or in its monitor's work area when it has no visible
// owner, keeping it inside the work area of that monitor. Its size stays.
void CentreWindow(HWND hWnd);
