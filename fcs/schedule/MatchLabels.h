#pragma once

#include <QString>
#include <QStringView>
#include <array>

// Text helpers for match labels, type texts and team numbers.

// The decimal digits at the start of the text (possibly none).
QStringView LeadingDigits(QStringView text);
// The integer of some decimal digits plus one, written in decimal. Works on the
// text itself, so a label of any length never overflows; leading zeros go.
QString IncrementDecimal(QStringView digits);
// The leading decimal digits as an integer (0 when none), saturated at INT_MAX.
int LeadingInteger(QStringView text);

// "Practice", "Qualification", "Not Used", "SemiFinal", "Final" for codes 0-4,
// empty for any other code.
QString MatchTypeText(int type);
// The code of a type text, without regard to case; anything else is 0.
int MatchTypeFromText(const QString& text);

// Team numbers of one to three characters get leading zeros up to four.
QString NormalizeTeamNumber(const QString& text);

// The label of a substitute for a match labelled label: "12" -> "12-SUB",
// "12-SUB" -> "12-SUB2", "12-SUB2x" -> "12-SUB3x".
QString SubstituteLabel(const QString& label);

// The three team numbers of a joined alliance ("1+2+3"): each part runs to the
// next "+"; missing parts are empty and parts past the third are dropped.
std::array<QString, 3> SplitJoinedAlliance(const QString& text);
