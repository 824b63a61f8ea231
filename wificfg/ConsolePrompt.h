#pragma once

#include "platform/Prompt.h"

#include <cstdio>

// Messages of the command-line modes: information on standard output,
// warnings and errors on standard error. Nobody is there to answer a
// question, so every question is answered Cancel.
class ConsolePrompt : public Prompt {
public:
    ConsolePrompt(std::FILE* out = stdout, std::FILE* err = stderr) : m_out(out), m_err(err) {}
    Answer ask(const QString& text, Buttons buttons, Icon icon) override;

private:
    std::FILE* m_out;
    std::FILE* m_err;
};
