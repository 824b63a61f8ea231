#pragma once

#include <QByteArrayView>
#include <QString>
#include <cstdio>
#include <mutex>

// One line per command that reached the brick: the monotonic clock in
// milliseconds (the same clock for every process on the machine) and the
// bytes in hex. Connection events are lines starting with "#".
//   "123456789 80 09 00 12 00 ..."
//   "# 123456790 connected"
class WireLog {
public:
    WireLog() = default;
    ~WireLog();
    WireLog(const WireLog&) = delete;
    WireLog& operator=(const WireLog&) = delete;

    bool Open(const QString& path);
    void Command(QByteArrayView bytes);
    void Note(const QString& text);

    static long long NowMs();

private:
    std::FILE* m_file = nullptr;
    std::mutex m_mutex;
};
