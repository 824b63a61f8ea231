#include "fcs/schedule/MatchCaptions.h"

#include "fcs/resources/StringTable.h"
#include "fcs/schedule/MatchArray.h"

namespace {
constexpr int kMatchTitle = 212;
constexpr int kNoActiveMatch = 213;
constexpr int kNone = 214;
constexpr int kTwoTeams = 215;
constexpr int kNoMatchesRemaining = 216;
constexpr int kRedLabel = 260;
constexpr int kBlueLabel = 261;
constexpr int kThreeTeams = 417;

QString teamLine(const QString& team1, const QString& team2, const QString& team3)
{
    const auto shown = [](const QString& team) { return team.isEmpty() ? Str(kNone) : team; };
    if (!team3.isEmpty())
        return FormatMessage(kThreeTeams, {shown(team1), shown(team2), shown(team3)});
    return FormatMessage(kTwoTeams, {shown(team1), shown(team2)});
}
}

MatchCaptions ComputeMatchCaptions(const CMatchArray& schedule)
{
    MatchCaptions captions;
    const CMatch* current = schedule.GetMatch(schedule.GetCurrentIndex());
    captions.current = current ? FormatMessage(kMatchTitle, {current->m_strNumber}) : Str(kNoActiveMatch);

    if (const CMatch* next = schedule.GetMatch(schedule.GetNextIndex())) {
        captions.onDeckTitle = FormatMessage(kMatchTitle, {next->m_strNumber});
        captions.redLine = teamLine(next->m_strRed1, next->m_strRed2, next->m_strRed3);
        captions.blueLine = teamLine(next->m_strBlue1, next->m_strBlue2, next->m_strBlue3);
    } else {
        captions.onDeckTitle = Str(kNoMatchesRemaining);
    }
    if (!captions.redLine.isEmpty())
        captions.redLabel = Str(kRedLabel);
    if (!captions.blueLine.isEmpty())
        captions.blueLabel = Str(kBlueLabel);
    return captions;
}

void AdvanceToOnDeck(CMatchArray& schedule, const std::function<void(const CMatch&)>& skipped)
{
    if (const CMatch* current = schedule.GetMatch(schedule.GetCurrentIndex());
        current && current->m_nStatus == 0 && skipped)
        skipped(*current);
    schedule.SetCurrentIndex(schedule.GetNextIndex());
}
