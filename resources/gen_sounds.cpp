// Synthesises the program's eight WAVE sounds into the folder given on the command line.
// Everything is computed here from fixed numbers and a fixed-seed noise generator, so every
// build writes the same bytes.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace
{

constexpr int kRate = 44100;
constexpr double kPi = 3.14159265358979323846;

using Buffer = std::vector<double>;

int samplesFor(double seconds)
{
    return static_cast<int>(seconds * kRate + 0.5);
}

// xorshift32: small, fast and the same on every platform, unlike the standard distributions.
class Noise
{
  public:
    explicit Noise(std::uint32_t seed) : s_(seed ? seed : 0x9e3779b9u) {}
    std::uint32_t nextBits()
    {
        s_ ^= s_ << 13;
        s_ ^= s_ >> 17;
        s_ ^= s_ << 5;
        return s_;
    }
    // Uniform in [-1, 1).
    double next() { return static_cast<double>(nextBits()) / 2147483648.0 - 1.0; }
    // Uniform in [lo, hi).
    double range(double lo, double hi) { return lo + (hi - lo) * (next() + 1.0) / 2.0; }

  private:
    std::uint32_t s_;
};

// Second-order filter; the coefficients may change every sample for sweeps.
class Biquad
{
  public:
    enum Kind { LowPass, HighPass, BandPass };

    void set(Kind kind, double freq, double q)
    {
        const double w = 2.0 * kPi * freq / kRate;
        const double cw = std::cos(w);
        const double alpha = std::sin(w) / (2.0 * q);
        const double a0 = 1.0 + alpha;
        switch (kind) {
        case LowPass:
            b0_ = (1.0 - cw) / 2.0;
            b1_ = 1.0 - cw;
            b2_ = b0_;
            break;
        case HighPass:
            b0_ = (1.0 + cw) / 2.0;
            b1_ = -(1.0 + cw);
            b2_ = b0_;
            break;
        case BandPass:
            b0_ = alpha;
            b1_ = 0.0;
            b2_ = -alpha;
            break;
        }
        b0_ /= a0;
        b1_ /= a0;
        b2_ /= a0;
        a1_ = -2.0 * cw / a0;
        a2_ = (1.0 - alpha) / a0;
    }

    double run(double x)
    {
        const double y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
        x2_ = x1_;
        x1_ = x;
        y2_ = y1_;
        y1_ = y;
        return y;
    }

  private:
    double b0_ = 1, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
    double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

// A raised-cosine rise over `attack` seconds, then an exponential fall with time constant `tau`.
double envelope(double t, double attack, double tau)
{
    if (t < 0.0)
        return 0.0;
    if (t < attack)
        return 0.5 - 0.5 * std::cos(kPi * t / attack);
    return std::exp(-(t - attack) / tau);
}

// Softens both ends so that no sound starts or stops with a jump (a click).
void fadeEnds(Buffer &b, double fadeIn, double fadeOut)
{
    const int n = static_cast<int>(b.size());
    const int in = std::min(n, samplesFor(fadeIn));
    const int out = std::min(n, samplesFor(fadeOut));
    for (int i = 0; i < in; ++i)
        b[static_cast<size_t>(i)] *= 0.5 - 0.5 * std::cos(kPi * i / in);
    for (int i = 0; i < out; ++i)
        b[static_cast<size_t>(n - 1 - i)] *= 0.5 - 0.5 * std::cos(kPi * i / out);
}

// Scales to a fixed peak, so every sound sits at the same moderate level and none can clip.
void normalise(Buffer &b, double peak)
{
    double m = 0.0;
    for (double v : b)
        m = std::max(m, std::fabs(v));
    if (m <= 0.0)
        return;
    for (double &v : b)
        v *= peak / m;
}

// A sine whose frequency glides exponentially from f0 to f1 over the buffer.
void addGlide(Buffer &b, double start, double f0, double f1, double seconds, double amp, double attack,
              double tau, double second = 0.0)
{
    const int first = samplesFor(start);
    const int n = samplesFor(seconds);
    double phase = 0.0;
    for (int i = 0; i < n && first + i < static_cast<int>(b.size()); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double f = f0 * std::pow(f1 / f0, t / seconds);
        phase += 2.0 * kPi * f / kRate;
        const double tone = std::sin(phase) + second * std::sin(2.0 * phase);
        b[static_cast<size_t>(first + i)] += amp * envelope(t, attack, tau) * tone;
    }
}

// Noise through a band-pass whose centre glides from f0 to f1: the rustle of card faces.
void addSwish(Buffer &b, Noise &noise, double start, double seconds, double f0, double f1, double q,
              double amp, double attack, double tau)
{
    const int first = samplesFor(start);
    const int n = samplesFor(seconds);
    Biquad bp;
    for (int i = 0; i < n && first + i < static_cast<int>(b.size()); ++i) {
        const double t = static_cast<double>(i) / kRate;
        bp.set(Biquad::BandPass, f0 * std::pow(f1 / f0, t / seconds), q);
        b[static_cast<size_t>(first + i)] += amp * envelope(t, attack, tau) * bp.run(noise.next());
    }
}

// A struck bell-like note: a few slightly inharmonic partials, the upper ones dying sooner.
void addBell(Buffer &b, double start, double freq, double amp, double tau)
{
    struct Partial {
        double ratio, gain, decay;
    };
    static const Partial partials[] = {
        {1.0, 1.0, 1.0}, {2.0, 0.32, 0.55}, {3.01, 0.12, 0.35}, {4.18, 0.05, 0.2}};
    const int first = samplesFor(start);
    for (int i = first; i < static_cast<int>(b.size()); ++i) {
        const double t = static_cast<double>(i - first) / kRate;
        double v = 0.0;
        for (const Partial &p : partials)
            v += p.gain * envelope(t, 0.004, tau * p.decay) * std::sin(2.0 * kPi * freq * p.ratio * t);
        b[static_cast<size_t>(i)] += amp * v;
    }
}

// Picking up a card: a soft, low "thock".
Buffer cardDown()
{
    Buffer b(static_cast<size_t>(samplesFor(0.060)), 0.0);
    Noise noise(0x5eed0001u);
    Biquad lp;
    lp.set(Biquad::LowPass, 2600.0, 0.7);
    for (size_t i = 0; i < b.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        b[i] = 0.8 * envelope(t, 0.0015, 0.010) * lp.run(noise.next());
    }
    addGlide(b, 0.0, 170.0, 120.0, 0.060, 0.5, 0.002, 0.016);
    fadeEnds(b, 0.001, 0.012);
    normalise(b, 0.36);
    return b;
}

// Laying a card down: a short slide ending in a light tap.
Buffer cardUp()
{
    Buffer b(static_cast<size_t>(samplesFor(0.110)), 0.0);
    Noise noise(0x5eed0002u);
    addSwish(b, noise, 0.0, 0.050, 2200.0, 4200.0, 1.2, 0.35, 0.030, 0.010);
    addSwish(b, noise, 0.042, 0.060, 1500.0, 900.0, 0.9, 1.0, 0.0012, 0.011);
    addGlide(b, 0.042, 240.0, 190.0, 0.060, 0.35, 0.0015, 0.014);
    fadeEnds(b, 0.002, 0.015);
    normalise(b, 0.36);
    return b;
}

// A selection: a tiny bright blip.
Buffer sel()
{
    Buffer b(static_cast<size_t>(samplesFor(0.050)), 0.0);
    addGlide(b, 0.0, 1568.0, 1568.0, 0.050, 1.0, 0.002, 0.011, 0.15);
    fadeEnds(b, 0.001, 0.010);
    normalise(b, 0.30);
    return b;
}

// Turning a stock card: a quick rising "fwip".
Buffer stock()
{
    Buffer b(static_cast<size_t>(samplesFor(0.100)), 0.0);
    Noise noise(0x5eed0003u);
    addSwish(b, noise, 0.0, 0.100, 1100.0, 4500.0, 1.5, 1.0, 0.018, 0.022);
    fadeEnds(b, 0.002, 0.020);
    normalise(b, 0.34);
    return b;
}

// Taking a move back: a soft falling two-note glide.
Buffer undo()
{
    Buffer b(static_cast<size_t>(samplesFor(0.120)), 0.0);
    addGlide(b, 0.0, 880.0, 587.0, 0.120, 1.0, 0.005, 0.042, 0.2);
    fadeEnds(b, 0.002, 0.025);
    normalise(b, 0.32);
    return b;
}

// A card going home by itself: a light rising chirp with a little flick of noise.
Buffer autoplay()
{
    Buffer b(static_cast<size_t>(samplesFor(0.100)), 0.0);
    Noise noise(0x5eed0004u);
    addGlide(b, 0.0, 740.0, 1109.0, 0.100, 1.0, 0.004, 0.030, 0.1);
    addSwish(b, noise, 0.0, 0.040, 3000.0, 3000.0, 2.0, 0.6, 0.002, 0.008);
    fadeEnds(b, 0.002, 0.020);
    normalise(b, 0.32);
    return b;
}

// Shuffling: a riffle of quickening card flaps that settles into the bridge.
Buffer start()
{
    Buffer b(static_cast<size_t>(samplesFor(0.640)), 0.0);
    Noise noise(0x5eed0005u);
    double t = 0.015;
    int flap = 0;
    while (t < 0.50) {
        const double progress = t / 0.50;
        // Louder in the middle of the riffle, softer at both ends.
        const double swell = 0.45 + 0.55 * std::sin(kPi * progress);
        const double amp = swell * noise.range(0.55, 1.0);
        const double centre = noise.range(2200.0, 4600.0);
        addSwish(b, noise, t, 0.014, centre, centre * 0.85, 1.4, amp, 0.0004, 0.0032);
        // Now and then a flap catches the card below, a lower and duller sound.
        if (flap % 5 == 2)
            addSwish(b, noise, t + 0.002, 0.012, 900.0, 800.0, 1.0, 0.35 * amp, 0.0006, 0.003);
        t += 0.022 - 0.010 * progress + noise.range(-0.002, 0.002);
        ++flap;
    }
    // The halves pushed together: a soft, low cascade.
    addSwish(b, noise, 0.48, 0.16, 1800.0, 500.0, 0.8, 0.7, 0.030, 0.045);
    addGlide(b, 0.50, 130.0, 95.0, 0.14, 0.25, 0.010, 0.040);
    fadeEnds(b, 0.003, 0.040);
    normalise(b, 0.40);
    return b;
}

// Winning: a rising arpeggio of bells, C E G C, closing on a held E over the top C.
Buffer win()
{
    Buffer b(static_cast<size_t>(samplesFor(1.250)), 0.0);
    const double notes[] = {523.25, 659.26, 783.99, 1046.50};
    for (int i = 0; i < 4; ++i)
        addBell(b, 0.11 * i, notes[i], i == 3 ? 1.0 : 0.8, i == 3 ? 0.42 : 0.26);
    addBell(b, 0.46, 1318.51, 0.55, 0.40);
    fadeEnds(b, 0.002, 0.150);
    normalise(b, 0.40);
    return b;
}

void put16(std::ofstream &out, std::uint16_t v)
{
    const char bytes[2] = {static_cast<char>(v & 0xff), static_cast<char>(v >> 8)};
    out.write(bytes, 2);
}

void put32(std::ofstream &out, std::uint32_t v)
{
    put16(out, static_cast<std::uint16_t>(v & 0xffff));
    put16(out, static_cast<std::uint16_t>(v >> 16));
}

// 16-bit PCM mono: the 44-byte canonical header, then the samples, little-endian.
bool writeWave(const std::string &path, const Buffer &b)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(b.size() * 2);
    out.write("RIFF", 4);
    put32(out, 36 + dataBytes);
    out.write("WAVE", 4);
    out.write("fmt ", 4);
    put32(out, 16);
    put16(out, 1); // PCM
    put16(out, 1); // mono
    put32(out, kRate);
    put32(out, kRate * 2);
    put16(out, 2);
    put16(out, 16);
    out.write("data", 4);
    put32(out, dataBytes);
    for (double v : b) {
        const long s = std::lround(std::clamp(v, -1.0, 1.0) * 32767.0);
        put16(out, static_cast<std::uint16_t>(static_cast<std::int16_t>(s)));
    }
    return static_cast<bool>(out);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const std::string dir = argv[1];
    const std::pair<const char *, std::function<Buffer()>> sounds[] = {
        {"AUTOPLAY", autoplay}, {"CARDDOWN", cardDown}, {"CARDUP", cardUp}, {"SEL", sel},
        {"START", start},       {"STOCK", stock},       {"UNDO", undo},     {"WIN", win},
    };
    for (const auto &[name, make] : sounds) {
        const std::string path = dir + "/" + name + ".wav";
        if (!writeWave(path, make())) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
