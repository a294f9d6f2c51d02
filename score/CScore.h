#pragma once

#include "platform/runtime/CString.h"

// One reference row: a label and the power it stands for.
struct CScore {
    CScore() = default;
    CScore(const CString& name, double power) : m_strName(name), m_dPower(power) {}

    CString m_strName;
    double m_dPower = 0.0;
};
