#pragma once

#include "fcs/app/MatchLog.h"

class TeamEntry;

// A position's result row: the record copied, the entry's figures read now.
MatchLogRow BuildMatchLogRow(const MatchLogRecord& record, const TeamEntry& entry);
