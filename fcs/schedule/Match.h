#pragma once

#include <QString>

// One scheduled match; team numbers are text, an empty one is no team.
struct CMatch {
    QString m_strNumber;
    QString m_strRed1;
    QString m_strRed2;
    QString m_strRed3;
    QString m_strBlue1;
    QString m_strBlue2;
    QString m_strBlue3;
    int m_nType = 0;
    int m_nStatus = 0;

    bool HasAlliancesOfThree() const { return !m_strRed3.isEmpty() || !m_strBlue3.isEmpty(); }
};
