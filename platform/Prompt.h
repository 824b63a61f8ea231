#pragma once

#include <QString>

// Message boxes and questions. Logic classes ask through this interface, so
// tests answer with a script and the program with real message boxes.
class Prompt {
public:
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
    enum class Icon { None, Information, Warning, Error, Question };
    enum class Answer { Ok, Cancel, Yes, No, Retry };

    virtual ~Prompt() = default;
    virtual Answer ask(const QString& text, Buttons buttons, Icon icon) = 0;

    void show(const QString& text, Icon icon = Icon::Information) { ask(text, Buttons::Ok, icon); }
};
