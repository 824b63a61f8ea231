#pragma once

#include "fcs/schedule/MatchRecordReader.h"

#include <QString>
#include <functional>

class CMatchArray;
class MatchTable;
class Prompt;

// How many fields share the schedule (1-4) and which one this station runs (0-3).
struct FieldAllocation {
    int fieldCount = 1;
    int field = 0;
};

// Asked once per load, after the header has been accepted.
using FieldAllocationChooser = std::function<FieldAllocation()>;

struct MatchFileContext {
    Prompt& prompt;
    MatchFileSettings& settings;
    FieldAllocationChooser chooseFields; // empty: one field
};

enum class LoadOutcome {
    Unchanged, // nothing read (empty or unreadable file, or a wrong header): table as it was
    Loaded,    // the whole file is in the table
    Stopped,   // a bad line or a read failure stopped it: the rows before it stay
};

// More rows than any event schedules; a larger file stops there.
inline constexpr int kMaxMatchFileRows = 200000;

// Reads a match file into the table, regrouped by the field allocation.
LoadOutcome LoadMatchFile(const QString& path, MatchTable& table, MatchFileContext& context);

// Writes the table's number and four team cells as a five-column file.
bool SaveMatchFile(const QString& path, const MatchTable& table, Prompt& prompt);

// The current row after a load for field w of N: none for field 1 (its earliest
// match is On Deck), else the earliest match of the field's own block, so that
// the main window plays that block next and never passes another field's match.
int CurrentRowAfterLoad(int field, int fieldCount, int rowCount);

// Start-up schedule: loads path for one field into the schedule and makes the
// earliest match current. False when nothing was loaded.
bool LoadScheduleFile(const QString& path, CMatchArray& schedule, Prompt& prompt,
                      MatchFileSettings& settings);
