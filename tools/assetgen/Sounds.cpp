#include "tools/assetgen/Sounds.h"

#include <algorithm>
#include <cmath>

namespace Sounds {
namespace {

constexpr double kPi = 3.14159265358979323846;

// Mixing buffer in floating point, normalised once at the end.
struct Mix {
    std::vector<double> v;
    explicit Mix(double seconds) : v(static_cast<size_t>(seconds * kSoundRate), 0.0) {}

    template <typename F>
    void add(double start, double length, F&& sample)
    {
        const auto first = static_cast<size_t>(start * kSoundRate);
        const auto count = static_cast<size_t>(length * kSoundRate);
        for (size_t i = 0; i < count && first + i < v.size(); ++i)
            v[first + i] += sample(static_cast<double>(i) / kSoundRate);
    }

    Samples finish(double peak = 0.85) const
    {
        double max = 1e-9;
        for (double x : v)
            max = std::max(max, std::abs(x));
        Samples out;
        out.reserve(v.size());
        for (double x : v)
            out.push_back(static_cast<std::int16_t>(std::lround(x / max * peak * 32767.0)));
        return out;
    }
};

// Attack-release envelope that avoids clicks.
double envelope(double t, double length, double attack, double release)
{
    if (t < attack)
        return t / attack;
    if (t > length - release)
        return std::max(0.0, (length - t) / release);
    return 1.0;
}

// A brass-like tone: odd and even harmonics with a little vibrato.
double brass(double t, double f)
{
    const double vib = 1.0 + 0.004 * std::sin(2 * kPi * 5.5 * t);
    double s = 0;
    for (int h = 1; h <= 8; ++h)
        s += std::sin(2 * kPi * f * h * vib * t) / (h * 0.9);
    return s;
}

// A struck bell: inharmonic partials with exponential decay.
double bell(double t, double f)
{
    static const double ratios[] = {0.56, 0.92, 1.19, 1.71, 2.0, 2.74, 3.0, 3.76};
    static const double amps[] = {1.0, 0.67, 1.0, 1.8, 2.67, 1.67, 1.46, 1.33};
    static const double decay[] = {1.0, 0.9, 0.65, 0.55, 0.33, 0.35, 0.25, 0.2};
    double s = 0;
    for (int i = 0; i < 8; ++i)
        s += amps[i] * std::exp(-t / (decay[i] * 1.6)) * std::sin(2 * kPi * f * ratios[i] * t);
    return s * std::min(1.0, t / 0.002);
}

double square(double t, double f)
{
    // Band-limited square: odd harmonics.
    double s = 0;
    for (int h = 1; h <= 15; h += 2)
        s += std::sin(2 * kPi * f * h * t) / h;
    return s;
}

}

Samples Charge()
{
    // The classic charge call: G4 C5 E5 G5, a held E5, then a long G5.
    struct Note { double start, length, freq; };
    const Note notes[] = {{0.00, 0.14, 392.0}, {0.16, 0.14, 523.3}, {0.32, 0.14, 659.3},
                          {0.48, 0.30, 784.0}, {0.82, 0.14, 659.3}, {0.98, 0.70, 784.0}};
    Mix mix(1.75);
    for (const Note& n : notes)
        mix.add(n.start, n.length, [&](double t) {
            return envelope(t, n.length, 0.015, 0.05) * brass(t, n.freq);
        });
    return mix.finish();
}

Samples ThreeBells()
{
    Mix mix(2.6);
    for (int i = 0; i < 3; ++i)
        mix.add(i * 0.55, 2.6 - i * 0.55, [](double t) { return bell(t, 880.0); });
    return mix.finish();
}

Samples EndAutonomous()
{
    Mix mix(1.0);
    mix.add(0.0, 0.45, [](double t) { return envelope(t, 0.45, 0.01, 0.06) * square(t, 660.0); });
    mix.add(0.5, 0.45, [](double t) { return envelope(t, 0.45, 0.01, 0.08) * square(t, 440.0); });
    return mix.finish(0.7);
}

Samples EndMatch()
{
    Mix mix(1.6);
    mix.add(0.0, 1.6, [](double t) {
        return envelope(t, 1.6, 0.01, 0.1) * (square(t, 220.0) + 0.6 * square(t, 233.0));
    });
    return mix.finish(0.7);
}

Samples Foghorn()
{
    Mix mix(2.2);
    mix.add(0.0, 2.2, [](double t) {
        const double swell = envelope(t, 2.2, 0.25, 0.5);
        double s = 0;
        for (int h = 1; h <= 10; ++h)
            s += std::sin(2 * kPi * 98.0 * h * t + h) / std::pow(h, 0.8);
        return swell * s;
    });
    return mix.finish();
}

Samples WarnEndOfMatch()
{
    Mix mix(1.1);
    for (int i = 0; i < 3; ++i)
        mix.add(i * 0.35, 0.22, [](double t) {
            return envelope(t, 0.22, 0.005, 0.03) * square(t, 1200.0);
        });
    return mix.finish(0.6);
}

Samples Asterisk()
{
    Mix mix(0.6);
    mix.add(0.0, 0.6, [](double t) { return std::exp(-t * 7) * std::sin(2 * kPi * 1318.5 * t); });
    mix.add(0.08, 0.52, [](double t) { return std::exp(-t * 7) * std::sin(2 * kPi * 1760.0 * t); });
    return mix.finish(0.6);
}

Samples Chime()
{
    Mix mix(0.35);
    mix.add(0.0, 0.35, [](double t) { return std::exp(-t * 12) * std::sin(2 * kPi * 988.0 * t); });
    mix.add(0.12, 0.23, [](double t) { return std::exp(-t * 12) * std::sin(2 * kPi * 1318.5 * t); });
    return mix.finish(0.4);
}

}
