#pragma once

#include "fcs/link/TeamEntry.h"

#include <QStringList>
#include <vector>

// A team position whose robot is scripted: the test decides whether it stops,
// is ready for tele-op and what status it reports; every control message is kept.
class FakePosition : public TeamEntry {
public:
    struct Message {
        int autonomousFlag;
        int stopFlag;
        bool withJoysticks;
    };

    FakePosition(const Clock& clock, LogSink& log, int position) : TeamEntry(clock, log, position) {}

    void QueueControlMessage(const JoystickState* driver1, const JoystickState*, int autonomousFlag,
                             int stopFlag) override
    {
        messages.push_back({autonomousFlag, stopFlag, driver1 != nullptr});
    }
    bool StopRobot(int) override
    {
        ++stopRequests;
        return stops;
    }
    bool PrepareTeleop() override
    {
        ++prepareRequests;
        return teleopReady;
    }
    void Connect(bool) override { ++connectCalls; }
    void PollStatus() override { ++polls; }
    int EvaluateStatus(QString& text, bool, MatchPhase) override
    {
        text = statusText;
        return statusLevel;
    }
    void BeginMatchStats() override { statsState = 1; }
    void FinishMatchStats() override
    {
        statsState = 0;
        ++finished;
    }

    std::vector<Message> messages;
    bool stops = true;
    bool teleopReady = true;
    int stopRequests = 0;
    int prepareRequests = 0;
    int connectCalls = 0;
    int polls = 0;
    int finished = 0;
    int statusLevel = 0;
    QString statusText;
};
