#pragma once

#include "fcs/schedule/Match.h"

#include <memory>
#include <vector>

// The program's one schedule with its current match and On Deck rule.
class CMatchArray {
public:
    int AddMatch(const QString& number, int type, const QString& red1, const QString& red2,
                 const QString& red3, const QString& blue1, const QString& blue2,
                 const QString& blue3, const QString& status);
    int GetCount() const { return static_cast<int>(m_matches.size()); }
    CMatch* GetMatch(int index) const;
    int GetCurrentIndex() const { return m_nCurrent; }
    void SetCurrentIndex(int index);
    int GetNextIndex() const;
    int GetCurrentType() const;
    void RemoveAllMatches();
    int RecordActualTeams(int index, int type, const QString& red1, const QString& red2,
                          const QString& red3, const QString& blue1, const QString& blue2,
                          const QString& blue3);

    CMatch* GetCurrentMatch() const { return GetMatch(m_nCurrent); }
    void SetStatusTexts(const QString& played, const QString& halted);

    QString m_strPlayed;
    QString m_strHalted;

private:
    std::vector<std::unique_ptr<CMatch>> m_matches;
    int m_nCurrent = -1;
};
