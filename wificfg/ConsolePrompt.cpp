#include "wificfg/ConsolePrompt.h"

Prompt::Answer ConsolePrompt::ask(const QString& text, Buttons buttons, Icon icon)
{
    std::FILE* stream = icon == Icon::Information ? m_out : m_err;
    const QByteArray line = text.toLocal8Bit() + '\n';
    std::fwrite(line.constData(), 1, size_t(line.size()), stream);
    std::fflush(stream);
    return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
}
