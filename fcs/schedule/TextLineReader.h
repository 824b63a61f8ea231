#pragma once

#include <QByteArray>
#include <QString>

class QIODevice;

// Reads 8-bit text lines from an open device: a line ends at LF and a CR just
// before it is dropped. Lines longer than the limit are refused rather than
// buffered, so a binary or runaway file cannot exhaust memory.
class TextLineReader {
public:
    enum class Result { Line, End, TooLong, Error };

    static constexpr qsizetype kDefaultMaxLineBytes = 64 * 1024;

    explicit TextLineReader(QIODevice& device, qsizetype maxLineBytes = kDefaultMaxLineBytes);

    Result readLine(QString& line);
    // The device's error code after Result::Error (errno style, never 0).
    int errorCode() const { return m_errorCode; }

private:
    bool fill();

    QIODevice& m_device;
    qsizetype m_maxLineBytes;
    QByteArray m_buffer;
    qsizetype m_pos = 0;
    bool m_atEnd = false;
    int m_errorCode = 0;
};
