#pragma once

#include <windows.h>

#include "platform/window/CDialog.h"
#include "resources/resource.h"
#include "score/ArrScore.h"

// The main window: one button that measures, and the About box and the list of the data file
// in the system menu. It owns the score table for its whole life.
class CKivDlg : public CDialog {
public:
    // Loads the score table (with its message boxes) before any window exists.
    explicit CKivDlg(HWND parent = nullptr);

    // Measures, shows the result and restores the button.
    void MeasurePower();
    // The index of the first row of the table above value, or its size.
    int FindRank(double value) const;

protected:
    BOOL OnInitDialog() override;
    // The default button and Enter measure; they never end the dialog.
    void OnOK() override { MeasurePower(); }
    bool OnSysCommand(UINT id, LPARAM lParam) override;
    bool OnPaint() override;
    HICON OnQueryDragIcon() override { return GetWindowIcon(); }

private:
    ArrScore m_scores;
};
