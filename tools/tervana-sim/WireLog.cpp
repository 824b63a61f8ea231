#include "tools/tervana-sim/WireLog.h"

#include <ctime>

WireLog::~WireLog()
{
    if (m_file)
        std::fclose(m_file);
}

bool WireLog::Open(const QString& path)
{
    std::lock_guard lock(m_mutex);
    if (m_file)
        std::fclose(m_file);
    m_file = std::fopen(path.toLocal8Bit().constData(), "wb");
    return m_file != nullptr;
}

long long WireLog::NowMs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

void WireLog::Command(QByteArrayView bytes)
{
    std::lock_guard lock(m_mutex);
    if (!m_file)
        return;
    std::fprintf(m_file, "%lld", NowMs());
    for (const char c : bytes)
        std::fprintf(m_file, " %02x", static_cast<unsigned char>(c));
    std::fputs("\r\n", m_file);
    std::fflush(m_file);
}

void WireLog::Note(const QString& text)
{
    std::lock_guard lock(m_mutex);
    if (!m_file)
        return;
    std::fprintf(m_file, "# %lld %s\r\n", NowMs(), text.toLatin1().constData());
    std::fflush(m_file);
}
