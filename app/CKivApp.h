#pragma once

#include "platform/window/CWinApp.h"

// The application: runs the main dialog once, then ends.
class CKivApp : public CWinApp {
public:
    BOOL InitInstance() override;
};
