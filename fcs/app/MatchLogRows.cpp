#include "fcs/app/MatchLogRows.h"

#include "fcs/link/TeamEntry.h"

MatchLogRow BuildMatchLogRow(const MatchLogRecord& record, const TeamEntry& e)
{
    MatchLogRow row;
    row.record = record;
    row.position = e.position;
    row.team = e.GetTeamName();
    row.teleopProgram = e.teleopProgram;
    row.initialProgram = e.autonomousProgram;
    row.protocolMajor = e.protocolMajor;
    row.protocolMinor = e.protocolMinor;
    row.firmwareMajor = e.firmwareMajor;
    row.firmwareMinor = e.firmwareMinor;
    row.moduleVersionText = e.moduleInfo.version;
    row.notes = e.notes;
    row.stats = {e.messagesSent, e.lostJoysticks, e.receivedDuringMatch, e.lostDuringMatch,
                 e.reconnects, e.startNxtMv, e.startModuleMv, e.startTotal, e.endNxtMv,
                 e.endModuleMv, e.endTotal,
                 e.counterEnd[0], e.counterStart[0], e.counterEnd[1], e.counterStart[1],
                 e.counterEnd[2], e.counterStart[2], e.counterEnd[3], e.counterStart[3]};
    row.current = {e.moduleInfo.counters[0], e.moduleInfo.counters[1], e.moduleInfo.counters[2],
                   e.moduleInfo.counters[3], e.moduleInfo.voltage16, e.moduleInfo.voltage17};
    return row;
}
