#include "tools/assetgen/GifWriter.h"

#include <QHash>
#include <vector>

namespace {

// Packs variable-width codes LSB first, as GIF wants them.
class CodePacker {
public:
    void put(int code, int width)
    {
        m_acc |= static_cast<quint32>(code) << m_bits;
        m_bits += width;
        while (m_bits >= 8) {
            m_out.push_back(static_cast<char>(m_acc & 0xff));
            m_acc >>= 8;
            m_bits -= 8;
        }
    }
    QByteArray finish()
    {
        if (m_bits > 0)
            m_out.push_back(static_cast<char>(m_acc & 0xff));
        return m_out;
    }

private:
    QByteArray m_out;
    quint32 m_acc = 0;
    int m_bits = 0;
};

void putWord(QByteArray& out, int value)
{
    out.push_back(static_cast<char>(value & 0xff));
    out.push_back(static_cast<char>((value >> 8) & 0xff));
}

}

QByteArray EncodeGif(const QImage& source)
{
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const int width = image.width();
    const int height = image.height();
    if (width <= 0 || height <= 0 || width > 65535 || height > 65535)
        return {};

    // Index 0 is transparent; the others are the image's colours in order of appearance.
    QHash<QRgb, int> indexOf;
    std::vector<QRgb> palette{0};
    std::vector<int> pixels;
    pixels.reserve(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            const QRgb rgb = line[x];
            if (qAlpha(rgb) < 128) {
                pixels.push_back(0);
                continue;
            }
            const QRgb opaque = qRgb(qRed(rgb), qGreen(rgb), qBlue(rgb));
            auto it = indexOf.find(opaque);
            if (it == indexOf.end()) {
                if (palette.size() >= 256)
                    return {};
                it = indexOf.insert(opaque, static_cast<int>(palette.size()));
                palette.push_back(opaque);
            }
            pixels.push_back(*it);
        }
    }

    QByteArray out("GIF89a");
    putWord(out, width);
    putWord(out, height);
    out.push_back(static_cast<char>(0xF7)); // global table of 256 entries
    out.push_back('\0');
    out.push_back('\0');
    for (int i = 0; i < 256; ++i) {
        const QRgb rgb = i < static_cast<int>(palette.size()) ? palette[static_cast<size_t>(i)] : 0;
        out.push_back(static_cast<char>(qRed(rgb)));
        out.push_back(static_cast<char>(qGreen(rgb)));
        out.push_back(static_cast<char>(qBlue(rgb)));
    }
    // Graphic control extension: index 0 transparent.
    out.append("\x21\xF9\x04\x01\x00\x00\x00\x00", 8);
    out.push_back(',');
    putWord(out, 0);
    putWord(out, 0);
    putWord(out, width);
    putWord(out, height);
    out.push_back('\0');
    out.push_back('\x08'); // minimum code size

    // Literal codes only, with a clear code before the table would widen past 9 bits.
    constexpr int kClear = 256;
    constexpr int kEnd = 257;
    CodePacker packer;
    packer.put(kClear, 9);
    int sinceClear = 0;
    for (int index : pixels) {
        if (sinceClear == 254) {
            packer.put(kClear, 9);
            sinceClear = 0;
        }
        packer.put(index, 9);
        ++sinceClear;
    }
    packer.put(kEnd, 9);
    const QByteArray data = packer.finish();
    for (qsizetype pos = 0; pos < data.size(); pos += 255) {
        const qsizetype n = std::min<qsizetype>(255, data.size() - pos);
        out.push_back(static_cast<char>(n));
        out.append(data.constData() + pos, n);
    }
    out.push_back('\0');
    out.push_back(';');
    return out;
}
