#pragma once

#include "measure/MeasureHost.h"
#include "platform/window/CWnd.h"

// A measurement's surroundings in the main dialog: its default button (id 1) and a result box
// owned by the dialog. Clock, pause and workload stay the real ones.
class DialogMeasureHost : public MeasureHost {
public:
    explicit DialogMeasureHost(const CWnd& dialog) : m_dialog(dialog) {}

    void SetButton(const CString& caption, bool enabled) override;
    void ShowResult(const CString& text, const CString& caption) override;

private:
    const CWnd& m_dialog;
};
