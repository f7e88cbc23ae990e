// Makes the program's own wave files: a soft riffle for a new deal, a short
// swish for undo, a light tick for a card going home and a rising chime for
// a win. 44.1 kHz, 16-bit mono, each under a second, never louder than
// about half of full scale.
//   make_sounds FOLDER

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 44100;
constexpr double kPi = 3.14159265358979323846;
constexpr double kPeak = 0.5;

using Samples = std::vector<double>;

// Raises the samples so that the loudest stands at kPeak.
void normalise(Samples& s)
{
    double most = 1e-9;
    for (double v : s)
        most = std::max(most, std::abs(v));
    for (double& v : s)
        v *= kPeak / most;
}

bool writeWave(const std::string& path, Samples s)
{
    normalise(s);
    // A few milliseconds of fade at both ends: no click.
    const size_t fade = kRate / 200;
    for (size_t i = 0; i < fade && i < s.size(); ++i) {
        const double g = static_cast<double>(i) / fade;
        s[i] *= g;
        s[s.size() - 1 - i] *= g;
    }
    std::ofstream out(path, std::ios::binary);
    const auto u32 = [&](uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
    const auto u16 = [&](uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
    const auto data = static_cast<uint32_t>(s.size() * 2);
    out.write("RIFF", 4);
    u32(36 + data);
    out.write("WAVEfmt ", 8);
    u32(16);
    u16(1);
    u16(1);
    u32(kRate);
    u32(kRate * 2);
    u16(2);
    u16(16);
    out.write("data", 4);
    u32(data);
    for (double v : s)
        u16(static_cast<uint16_t>(static_cast<int16_t>(std::lround(v * 32767.0))));
    return static_cast<bool>(out);
}

Samples silence(double seconds) { return Samples(static_cast<size_t>(seconds * kRate), 0.0); }

// A soft riffle: a run of short, low-passed noise bursts, quicker and softer
// towards the end, as cards fall on each other.
Samples riffle()
{
    Samples s = silence(0.55);
    std::mt19937 random(7);
    std::normal_distribution<double> noise(0.0, 1.0);
    double at = 0.0;
    double gap = 0.028;
    for (int burst = 0; burst < 16; ++burst) {
        const auto start = static_cast<size_t>(at * kRate);
        const double loud = 1.0 - burst * 0.045;
        double low = 0.0;
        for (size_t i = 0; i < kRate / 90 && start + i < s.size(); ++i) {
            const double t = static_cast<double>(i) / kRate;
            low += 0.35 * (noise(random) - low);
            s[start + i] += loud * low * std::exp(-t * 420.0);
        }
        at += gap;
        gap *= 0.97;
    }
    return s;
}

// A short swish: noise whose brightness and loudness rise and fall.
Samples swish()
{
    Samples s = silence(0.22);
    std::mt19937 random(11);
    std::normal_distribution<double> noise(0.0, 1.0);
    double low = 0.0;
    for (size_t i = 0; i < s.size(); ++i) {
        const double x = static_cast<double>(i) / s.size();
        const double bright = 0.05 + 0.35 * std::sin(kPi * x);
        low += bright * (noise(random) - low);
        s[i] = low * std::pow(std::sin(kPi * x), 2.0);
    }
    return s;
}

// A light tick: a short high tone with a quick decay over a soft knock.
Samples tick()
{
    Samples s = silence(0.09);
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        s[i] = 0.6 * std::sin(2 * kPi * 1850 * t) * std::exp(-t * 70.0) +
               0.4 * std::sin(2 * kPi * 520 * t) * std::exp(-t * 45.0);
    }
    return s;
}

// A rising chime: four bell-like notes of a major chord, each ringing on.
Samples chime()
{
    Samples s = silence(0.95);
    const double notes[] = {523.25, 659.25, 783.99, 1046.50};
    for (int n = 0; n < 4; ++n) {
        const auto start = static_cast<size_t>(n * 0.12 * kRate);
        for (size_t i = start; i < s.size(); ++i) {
            const double t = static_cast<double>(i - start) / kRate;
            const double f = notes[n];
            s[i] += (std::sin(2 * kPi * f * t) + 0.25 * std::sin(2 * kPi * 2 * f * t)) * std::exp(-t * 4.5);
        }
    }
    return s;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_sounds FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    const bool ok = writeWave(folder + "/Start.wav", riffle()) && writeWave(folder + "/Undo.wav", swish()) &&
                    writeWave(folder + "/AutoPlay.wav", tick()) && writeWave(folder + "/Win.wav", chime());
    if (!ok) {
        std::fprintf(stderr, "make_sounds: the wave files could not be written to %s\n", folder.c_str());
        return 1;
    }
    return 0;
}
