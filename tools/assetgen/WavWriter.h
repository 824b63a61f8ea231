#pragma once

#include <QByteArray>
#include <cstdint>
#include <vector>

// A RIFF WAVE file of 16-bit mono PCM.
QByteArray EncodeWav(const std::vector<std::int16_t>& samples, int rate);
