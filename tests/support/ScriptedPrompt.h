#pragma once

#include "platform/Prompt.h"

#include <QStringList>
#include <deque>

// Answers questions from a script and records what was asked. With the script
// empty, every question is answered Cancel (or Ok when it only has Ok).
class ScriptedPrompt : public Prompt {
public:
    Answer ask(const QString& text, Buttons buttons, Icon) override
    {
        asked << text;
        if (answers.empty())
            return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
        const Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::deque<Answer> answers;
    QStringList asked;
};
