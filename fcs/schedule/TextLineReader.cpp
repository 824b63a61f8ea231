#include "fcs/schedule/TextLineReader.h"

#include "platform/Text8.h"

#include <QIODevice>
#include <cerrno>
#include <cstring>

namespace {
constexpr qsizetype kChunkBytes = 256 * 1024;
}

TextLineReader::TextLineReader(QIODevice& device, qsizetype maxLineBytes)
    : m_device(device), m_maxLineBytes(maxLineBytes)
{
}

bool TextLineReader::fill()
{
    if (m_atEnd)
        return false;
    if (m_pos > 0) {
        m_buffer.remove(0, m_pos);
        m_pos = 0;
    }
    const qsizetype old = m_buffer.size();
    m_buffer.resize(old + kChunkBytes);
    errno = 0;
    const qint64 got = m_device.read(m_buffer.data() + old, kChunkBytes);
    if (got < 0) {
        m_buffer.resize(old);
        m_errorCode = errno != 0 ? errno : EIO;
        m_atEnd = true;
        return false;
    }
    m_buffer.resize(old + static_cast<qsizetype>(got));
    if (got == 0)
        m_atEnd = true;
    return got > 0;
}

TextLineReader::Result TextLineReader::readLine(QString& line)
{
    line.clear();
    qsizetype searched = 0; // bytes after m_pos already known to hold no LF
    for (;;) {
        const char* begin = m_buffer.constData() + m_pos;
        const qsizetype pending = m_buffer.size() - m_pos;
        const void* lf = searched < pending
                             ? std::memchr(begin + searched, '\n', static_cast<size_t>(pending - searched))
                             : nullptr;
        if (lf) {
            qsizetype length = static_cast<const char*>(lf) - begin;
            if (length > m_maxLineBytes)
                return Result::TooLong;
            m_pos += length + 1;
            if (length > 0 && begin[length - 1] == '\r')
                --length;
            line = Text8::decode(QByteArrayView(begin, length));
            return Result::Line;
        }
        if (pending > m_maxLineBytes)
            return Result::TooLong;
        searched = pending;
        if (!fill()) {
            if (m_errorCode != 0)
                return Result::Error;
            const qsizetype rest = m_buffer.size() - m_pos;
            if (rest <= 0)
                return Result::End;
            // The last line of a file without a final line end.
            const char* last = m_buffer.constData() + m_pos;
            qsizetype length = rest;
            if (last[length - 1] == '\r')
                --length;
            line = Text8::decode(QByteArrayView(last, length));
            m_pos = m_buffer.size();
            return Result::Line;
        }
    }
}
