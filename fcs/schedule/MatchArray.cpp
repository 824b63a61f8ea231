#include "fcs/schedule/MatchArray.h"

#include "fcs/schedule/MatchLabels.h"

namespace {
std::unique_ptr<CMatch> makeMatch(int type, const QString& red1, const QString& red2,
                                  const QString& red3, const QString& blue1, const QString& blue2,
                                  const QString& blue3)
{
    auto match = std::make_unique<CMatch>();
    match->m_nType = type;
    match->m_strRed1 = red1;
    match->m_strRed2 = red2;
    match->m_strRed3 = red3;
    match->m_strBlue1 = blue1;
    match->m_strBlue2 = blue2;
    match->m_strBlue3 = blue3;
    return match;
}
}

int CMatchArray::AddMatch(const QString& number, int type, const QString& red1,
                          const QString& red2, const QString& red3, const QString& blue1,
                          const QString& blue2, const QString& blue3, const QString& status)
{
    auto match = makeMatch(type, red1, red2, red3, blue1, blue2, blue3);
    match->m_strNumber = number;
    if (status.compare(m_strHalted, Qt::CaseInsensitive) == 0 && !m_strHalted.isEmpty())
        match->m_nStatus = 2;
    else if (status.compare(m_strPlayed, Qt::CaseInsensitive) == 0 && !m_strPlayed.isEmpty())
        match->m_nStatus = 1;
    m_matches.push_back(std::move(match));
    return GetCount() - 1;
}

CMatch* CMatchArray::GetMatch(int index) const
{
    if (index < 0 || index >= GetCount())
        return nullptr;
    return m_matches[static_cast<size_t>(index)].get();
}

void CMatchArray::SetCurrentIndex(int index)
{
    if (index >= 0 && index < GetCount())
        m_nCurrent = index;
}

int CMatchArray::GetNextIndex() const
{
    if (m_nCurrent == -1)
        return GetCount() > 0 ? 0 : -1;
    if (m_nCurrent < GetCount())
        return m_nCurrent + 1;
    return -1;
}

int CMatchArray::GetCurrentType() const
{
    const CMatch* current = GetCurrentMatch();
    return current ? current->m_nType : 0;
}

void CMatchArray::RemoveAllMatches()
{
    m_matches.clear();
    m_nCurrent = -1;
}

int CMatchArray::RecordActualTeams(int index, int type, const QString& red1, const QString& red2,
                                   const QString& red3, const QString& blue1,
                                   const QString& blue2, const QString& blue3)
{
    auto substitute = makeMatch(type, red1, red2, red3, blue1, blue2, blue3);

    const CMatch* scheduled = GetMatch(index);
    if (!scheduled) {
        substitute->m_strNumber = QString::number(GetCount() + 1);
        m_matches.push_back(std::move(substitute));
        m_nCurrent = GetCount() - 1;
        return m_nCurrent;
    }

    const auto same = [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) == 0;
    };
    if (same(red1, scheduled->m_strRed1) && same(red2, scheduled->m_strRed2)
        && same(red3, scheduled->m_strRed3) && same(blue1, scheduled->m_strBlue1)
        && same(blue2, scheduled->m_strBlue2) && same(blue3, scheduled->m_strBlue3))
        return index;

    // The scheduled match stays as it was; the teams that really played get a
    // match of their own right after it.
    substitute->m_strNumber = SubstituteLabel(scheduled->m_strNumber);
    m_matches.insert(m_matches.begin() + index + 1, std::move(substitute));
    m_nCurrent = index + 1;
    return m_nCurrent;
}

void CMatchArray::SetStatusTexts(const QString& played, const QString& halted)
{
    m_strPlayed = played;
    m_strHalted = halted;
}
