#include "tools/assetgen/WavWriter.h"

namespace {
void put32(QByteArray& out, quint32 value)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xff));
}
void put16(QByteArray& out, quint16 value)
{
    out.push_back(static_cast<char>(value & 0xff));
    out.push_back(static_cast<char>((value >> 8) & 0xff));
}
}

QByteArray EncodeWav(const std::vector<std::int16_t>& samples, int rate)
{
    const auto dataBytes = static_cast<quint32>(samples.size() * 2);
    QByteArray out;
    out.reserve(static_cast<qsizetype>(44 + dataBytes));
    out.append("RIFF");
    put32(out, 36 + dataBytes);
    out.append("WAVEfmt ");
    put32(out, 16);
    put16(out, 1); // PCM
    put16(out, 1); // mono
    put32(out, static_cast<quint32>(rate));
    put32(out, static_cast<quint32>(rate * 2));
    put16(out, 2);
    put16(out, 16);
    out.append("data");
    put32(out, dataBytes);
    for (std::int16_t s : samples)
        put16(out, static_cast<quint16>(s));
    return out;
}
