#pragma once

#include <QString>
#include <functional>

class CMatchArray;
struct CMatch;

// The main window's texts for the current match and the On Deck match.
struct MatchCaptions {
    QString current;     // "Match 12" or "No Active Match"
    QString onDeckTitle; // "Match 13" or "No Matches Remaining"
    QString redLine;     // "0001,0002" (three teams when there is a third); empty without a match
    QString blueLine;
    QString redLabel; // "Red:" when the red line is not empty
    QString blueLabel;
};

MatchCaptions ComputeMatchCaptions(const CMatchArray& schedule);

// Load On Deck: a current match that was neither played nor halted is handed
// to skipped first; then the next match becomes current (after the last match
// the current one stays).
void AdvanceToOnDeck(CMatchArray& schedule, const std::function<void(const CMatch&)>& skipped);
