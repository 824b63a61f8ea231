#include "platform/SdlSoundPlayer.h"

#include <SDL.h>

#include <QFile>
#include <cmath>

namespace {
constexpr int kRate = 22050;

SDL_AudioSpec deviceSpec()
{
    SDL_AudioSpec spec{};
    spec.freq = kRate;
    spec.format = AUDIO_S16SYS;
    spec.channels = 1;
    spec.samples = 1024;
    return spec;
}
}

SdlSoundPlayer::SdlSoundPlayer() = default;

SdlSoundPlayer::~SdlSoundPlayer()
{
    if (m_device != 0)
        SDL_CloseAudioDevice(m_device);
    if (m_initialised)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool SdlSoundPlayer::ensureDevice()
{
    if (m_device != 0)
        return true;
    if (m_failed)
        return false;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        m_failed = true;
        return false;
    }
    m_initialised = true;
    SDL_AudioSpec wanted = deviceSpec();
    m_device = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
    if (m_device == 0) {
        m_failed = true;
        return false;
    }
    SDL_PauseAudioDevice(m_device, 0);
    return true;
}

void SdlSoundPlayer::queue(const std::vector<std::uint8_t>& pcm)
{
    // A new cue replaces the one still playing.
    SDL_ClearQueuedAudio(m_device);
    SDL_QueueAudio(m_device, pcm.data(), static_cast<Uint32>(pcm.size()));
}

void SdlSoundPlayer::play(const QString& wavPath)
{
    QFile file(wavPath);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QByteArray bytes = file.readAll();
    if (!ensureDevice())
        return;

    SDL_RWops* rw = SDL_RWFromConstMem(bytes.constData(), static_cast<int>(bytes.size()));
    SDL_AudioSpec spec{};
    Uint8* buffer = nullptr;
    Uint32 length = 0;
    if (SDL_LoadWAV_RW(rw, 1, &spec, &buffer, &length) == nullptr)
        return;

    const SDL_AudioSpec target = deviceSpec();
    SDL_AudioCVT cvt;
    std::vector<std::uint8_t> pcm;
    const int build = SDL_BuildAudioCVT(&cvt, spec.format, spec.channels, spec.freq,
                                        target.format, target.channels, target.freq);
    if (build >= 0) {
        pcm.resize(static_cast<size_t>(length) * static_cast<size_t>(cvt.len_mult));
        std::copy(buffer, buffer + length, pcm.begin());
        cvt.buf = pcm.data();
        cvt.len = static_cast<int>(length);
        if (build == 0 || SDL_ConvertAudio(&cvt) == 0)
            pcm.resize(static_cast<size_t>(build == 0 ? length : cvt.len_cvt));
        else
            pcm.clear();
    }
    SDL_FreeWAV(buffer);
    if (pcm.empty())
        return;
    queue(pcm);
    m_lastPlayed = wavPath;
}

void SdlSoundPlayer::playAsterisk()
{
    if (!ensureDevice())
        return;
    // A short two-tone chime, made here rather than taken from the desktop theme.
    std::vector<std::uint8_t> pcm;
    const int samples = kRate / 5;
    pcm.reserve(static_cast<size_t>(samples) * 2);
    for (int i = 0; i < samples; ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double frequency = i < samples / 2 ? 880.0 : 1320.0;
        const double envelope = 1.0 - static_cast<double>(i) / samples;
        const auto value = static_cast<std::int16_t>(8000.0 * envelope * std::sin(2 * M_PI * frequency * t));
        pcm.push_back(static_cast<std::uint8_t>(value & 0xff));
        pcm.push_back(static_cast<std::uint8_t>((value >> 8) & 0xff));
    }
    queue(pcm);
    m_lastPlayed = QStringLiteral("*asterisk*");
}
