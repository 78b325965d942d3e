// The sounds: every one built from white noise and sine tones, shaped by
// filters and envelopes. Loops are made seamless (periodic parts have a whole
// number of cycles per loop, noise parts are cross-faded), so the game can
// repeat them without a click.
#include "Sounds.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "Noise.h"

namespace {

using Samples = std::vector<float>;

constexpr float pi = 3.14159265358979f;
constexpr float rate = float(soundSampleRate);

int samplesIn(float seconds) { return int(std::lround(seconds * rate)); }
float timeOf(int i) { return float(i) / rate; }

// ---- Sources -----------------------------------------------------------------

void highPass(Samples& x, float hz);

Samples whiteNoise(int n, Random& random) {
    Samples x(n);
    for (float& v : x) v = random.range(-1.0f, 1.0f);
    return x;
}

// Brown noise: a leaky running sum of white noise, most of its energy low down.
Samples brownNoise(int n, Random& random) {
    Samples x(n);
    float sum = 0.0f;
    for (float& v : x) {
        sum = sum * 0.995f + random.range(-1.0f, 1.0f) * 0.1f;
        v = sum;
    }
    highPass(x, 20.0f);  // no slow drift below hearing
    return x;
}

// A sine gliding exponentially from `fromHz` to `toHz` over `glide` seconds,
// then holding: the falling pitch of every boom and thud.
Samples glidingSine(int n, float fromHz, float toHz, float glide) {
    Samples x(n);
    double phase = 0.0;
    for (int i = 0; i < n; ++i) {
        float k = std::min(timeOf(i) / glide, 1.0f);
        float hz = fromHz * std::pow(toHz / fromHz, k);
        x[i] = float(std::sin(phase));
        phase += 2.0 * double(pi) * hz / rate;
    }
    return x;
}

// ---- Filters -------------------------------------------------------------------

// Two one-pole low-passes in a row (12 dB per octave), the cut-off gliding
// exponentially from `fromHz` to `toHz` over `glide` seconds.
void lowPass(Samples& x, float fromHz, float toHz = 0.0f, float glide = 1.0f) {
    if (toHz <= 0.0f) toHz = fromHz;
    float a = 0.0f, b = 0.0f;
    for (int i = 0; i < int(x.size()); ++i) {
        float k = std::min(timeOf(i) / glide, 1.0f);
        float hz = fromHz * std::pow(toHz / fromHz, k);
        float g = 1.0f - std::exp(-2.0f * pi * hz / rate);
        a += g * (x[i] - a);
        b += g * (a - b);
        x[i] = b;
    }
}

void highPass(Samples& x, float hz) {
    float g = 1.0f - std::exp(-2.0f * pi * hz / rate);
    float low = 0.0f;
    for (float& v : x) {
        low += g * (v - low);
        v -= low;
    }
}

// A resonant band-pass (state-variable filter in its stable, zero-delay form)
// whose centre frequency is given per sample.
void bandPass(Samples& x, const Samples& centreHz, float q) {
    float ic1 = 0.0f, ic2 = 0.0f;
    for (int i = 0; i < int(x.size()); ++i) {
        float g = std::tan(pi * std::min(centreHz[i], rate * 0.45f) / rate);
        float k = 1.0f / q;
        float a1 = 1.0f / (1.0f + g * (g + k)), a2 = g * a1, a3 = g * a2;
        float v3 = x[i] - ic2;
        float v1 = a1 * ic1 + a2 * v3;
        float v2 = ic2 + a2 * ic1 + a3 * v3;
        ic1 = 2.0f * v1 - ic1;
        ic2 = 2.0f * v2 - ic2;
        x[i] = v1;
    }
}

// ---- Shaping -------------------------------------------------------------------

// Silent until `delay`, a linear rise over `attack`, then an exponential decay
// with time constant `decay`.
void envelope(Samples& x, float attack, float decay, float delay = 0.0f) {
    for (int i = 0; i < int(x.size()); ++i) {
        float t = timeOf(i) - delay;
        if (t < 0.0f) {
            x[i] = 0.0f;
            continue;
        }
        float rise = attack > 0.0f ? std::min(t / attack, 1.0f) : 1.0f;
        x[i] *= rise * std::exp(-t / decay);
    }
}

// A raised-cosine fade over the last `seconds`, so a one-shot ends in silence
// and not in a click.
void fadeOut(Samples& x, float seconds) {
    int n = std::min(samplesIn(seconds), int(x.size()));
    for (int i = 0; i < n; ++i) x[x.size() - 1 - i] *= 0.5f - 0.5f * std::cos(pi * float(i) / float(n));
}

void addInto(Samples& out, const Samples& x, float gain, int offset = 0) {
    for (int i = 0; i < int(x.size()) && offset + i < int(out.size()); ++i) out[offset + i] += gain * x[i];
}

// Soft clipping: rounds off the loudest peaks so the body of a bang can be louder.
void saturate(Samples& x, float drive) {
    float scale = 1.0f / std::tanh(drive);
    for (float& v : x) v = std::tanh(drive * v) * scale;
}

void normalise(Samples& x, float peakDecibels) {
    float peak = 0.0f;
    for (float v : x) peak = std::max(peak, std::abs(v));
    if (peak <= 0.0f) return;
    float gain = std::pow(10.0f, peakDecibels / 20.0f) / peak;
    for (float& v : x) v *= gain;
}

// The last steps of every one-shot: soft clipping for weight, a fade to silence
// at the end, and its peak level.
void finishOneShot(Samples& x, float drive, float fadeSeconds, float peakDecibels) {
    saturate(x, drive);
    fadeOut(x, fadeSeconds);
    normalise(x, peakDecibels);
}

// Noise made `loop` samples plus a fade longer is folded into a seamless loop:
// the extra tail is faded out over the start while the start fades in, with
// equal power because the two stretches are unrelated noise.
void foldIntoLoop(Samples& x, int loop) {
    int fade = int(x.size()) - loop;
    for (int i = 0; i < fade; ++i) {
        float k = (float(i) + 0.5f) / float(fade);
        x[i] = x[i] * std::sin(0.5f * pi * k) + x[loop + i] * std::cos(0.5f * pi * k);
    }
    x.resize(loop);
}

// Short noise grains scattered in time: debris falling, sand pattering, track
// links clattering. `density` is grains per second at time t.
struct Grains {
    float from = 0.0f, to = 1.0f;          // seconds
    float startDensity = 10.0f, densityDecay = 1.0f;
    float floorDensity = 0.0f;
    float shortest = 0.002f, longest = 0.01f;
    float lowCut = 1000.0f, highCut = 4000.0f;
    float loudest = 0.5f, loudnessDecay = 1.0f;
};

void addGrains(Samples& out, const Grains& g, Random& random) {
    for (int i = samplesIn(g.from); i < std::min(samplesIn(g.to), int(out.size())); ++i) {
        float t = timeOf(i) - g.from;
        float density = g.startDensity * std::exp(-t / g.densityDecay) + g.floorDensity;
        if (random.uniform() >= density / rate) continue;
        float length = random.range(g.shortest, g.longest);
        Samples grain = whiteNoise(samplesIn(length), random);
        highPass(grain, random.range(g.lowCut, g.highCut));
        envelope(grain, 0.0005f, length / 3.0f);
        addInto(out, grain, random.range(0.2f, 1.0f) * g.loudest * std::exp(-t / g.loudnessDecay), i);
    }
}

// A tone of whole harmonics with the higher ones dying away sooner, as in a
// struck or blown note; `darkness` tilts the spectrum down.
void addNote(Samples& out, float hz, float start, float length, float gain, float darkness, float droopSemitones = 0.0f) {
    int first = samplesIn(start);
    int n = std::min(samplesIn(length), int(out.size()) - first);
    for (int k = 1; k <= 12 && hz * float(k) < rate * 0.45f; ++k) {
        double phase = 0.0;
        float amplitude = gain / std::pow(float(k), darkness);
        float decay = length / (0.6f + 0.35f * float(k));
        for (int i = 0; i < n; ++i) {
            float t = timeOf(i);
            float droop = droopSemitones > 0.0f ? std::pow(2.0f, -droopSemitones * std::min(t / length, 1.0f) / 12.0f) : 1.0f;
            float vibrato = 1.0f + 0.004f * std::sin(2.0f * pi * 5.5f * t) * std::min(t / 0.3f, 1.0f);
            float rise = std::min(t / 0.012f, 1.0f);
            float release = std::min((float(n - i)) / rate / 0.05f, 1.0f);
            out[first + i] += amplitude * rise * release * std::exp(-t / decay) * float(std::sin(phase));
            phase += 2.0 * double(pi) * double(hz * float(k) * droop * vibrato) / rate;
        }
    }
}

// ---- The sounds ----------------------------------------------------------------

// A gun's report: a sharp crack, a body of noise closing down from bright to
// dark, a thump falling in pitch and a tail rolling off the desert.
struct Report {
    uint64_t seed;
    float seconds;
    float crackCut, crackDecay, crackGain;
    float bodyFromHz, bodyToHz, bodyGlide, bodyDecay;
    float thumpFromHz, thumpToHz, thumpGlide, thumpDecay, thumpGain;
    float tailCut, tailDecay, tailGain;
    float drive;
};

Samples report(const Report& r) {
    Random random(r.seed);
    int n = samplesIn(r.seconds);
    Samples out(n, 0.0f);
    Samples crack = whiteNoise(n, random);
    highPass(crack, r.crackCut);
    envelope(crack, 0.0005f, r.crackDecay);
    Samples body = whiteNoise(n, random);
    lowPass(body, r.bodyFromHz, r.bodyToHz, r.bodyGlide);
    envelope(body, 0.001f, r.bodyDecay);
    Samples thump = glidingSine(n, r.thumpFromHz, r.thumpToHz, r.thumpGlide);
    envelope(thump, 0.002f, r.thumpDecay);
    Samples tail = brownNoise(n, random);
    lowPass(tail, r.tailCut);
    envelope(tail, 0.02f, r.tailDecay, 0.01f);
    addInto(out, crack, r.crackGain);
    addInto(out, body, 1.6f);
    addInto(out, thump, r.thumpGain);
    addInto(out, tail, r.tailGain);
    finishOneShot(out, r.drive, r.seconds / 4.0f, -1.0f);
    return out;
}

// The player's weapon: short and punchy, bright crack, quick echo.
Samples playerShot() {
    return report({9001, 0.7f, 2000.0f, 0.010f, 0.7f, 5000.0f, 400.0f, 0.12f, 0.045f, 150.0f, 50.0f, 0.09f, 0.06f, 0.9f,
                   900.0f, 0.2f, 0.8f, 2.0f});
}

// A crawler's cannon: deeper and longer, with a rolling tail.
Samples enemyShot() {
    return report({9002, 1.3f, 1200.0f, 0.008f, 0.35f, 2500.0f, 250.0f, 0.2f, 0.08f, 95.0f, 38.0f, 0.15f, 0.12f, 1.0f,
                   500.0f, 0.3f, 1.5f, 1.8f});
}

// A kill: a crack, a low boom sliding down, a blast of noise closing from bright
// to dark, a long rumble and the debris raining down after it.
Samples explosion() {
    Random random(9003);
    int n = samplesIn(3.6f);
    Samples out(n, 0.0f);
    Samples crack = whiteNoise(n, random);
    highPass(crack, 1000.0f);
    envelope(crack, 0.0005f, 0.015f);
    Samples boom = glidingSine(n, 70.0f, 28.0f, 0.6f);
    envelope(boom, 0.004f, 0.5f);
    Samples overtone = glidingSine(n, 105.0f, 42.0f, 0.6f);
    envelope(overtone, 0.004f, 0.3f);
    Samples blast = brownNoise(n, random);
    lowPass(blast, 3000.0f, 120.0f, 1.5f);
    envelope(blast, 0.003f, 0.6f);
    Samples rumble = brownNoise(n, random);
    lowPass(rumble, 200.0f);
    envelope(rumble, 0.05f, 0.9f);
    Samples hiss = whiteNoise(n, random);
    highPass(hiss, 3000.0f);
    envelope(hiss, 0.2f, 0.9f, 0.1f);
    addInto(out, crack, 0.5f);
    addInto(out, boom, 1.0f);
    addInto(out, overtone, 0.3f);
    addInto(out, blast, 2.5f);
    addInto(out, rumble, 2.0f);
    addInto(out, hiss, 0.05f);
    const Grains debris{.from = 0.15f, .to = 3.2f, .startDensity = 70.0f, .densityDecay = 0.7f, .floorDensity = 3.0f,
                        .shortest = 0.002f, .longest = 0.02f, .lowCut = 1500.0f, .highCut = 4000.0f,
                        .loudest = 0.35f, .loudnessDecay = 1.0f};
    addGrains(out, debris, random);
    // Heavier pieces landing: fewer, lower, duller.
    const Grains chunks{.from = 0.3f, .to = 3.2f, .startDensity = 8.0f, .densityDecay = 0.7f, .floorDensity = 1.0f,
                        .shortest = 0.02f, .longest = 0.05f, .lowCut = 150.0f, .highCut = 400.0f,
                        .loudest = 0.5f, .loudnessDecay = 1.0f};
    addGrains(out, chunks, random);
    finishOneShot(out, 2.5f, 0.6f, -1.0f);
    return out;
}

// A shot meeting the ground: a dull, low thud and a spray of sand.
Samples groundHit() {
    Random random(9004);
    int n = samplesIn(0.75f);
    Samples out(n, 0.0f);
    Samples thud = glidingSine(n, 110.0f, 45.0f, 0.08f);
    envelope(thud, 0.001f, 0.05f);
    Samples dull = whiteNoise(n, random);
    lowPass(dull, 700.0f);
    envelope(dull, 0.001f, 0.035f);
    Samples spray = whiteNoise(n, random);
    highPass(spray, 2500.0f);
    lowPass(spray, 7000.0f);
    envelope(spray, 0.01f, 0.16f);
    addInto(out, thud, 1.0f);
    addInto(out, dull, 2.0f);
    addInto(out, spray, 0.25f);
    const Grains sand{.from = 0.005f, .to = 0.7f, .startDensity = 400.0f, .densityDecay = 0.12f, .shortest = 0.001f,
                      .longest = 0.004f, .lowCut = 2500.0f, .highCut = 6000.0f, .loudest = 0.15f, .loudnessDecay = 0.2f};
    addGrains(out, sand, random);
    finishOneShot(out, 1.5f, 0.1f, -2.0f);
    return out;
}

// A crawler under way: a slow diesel beat, the chug of its exhaust, the rumble
// of the tracks and the clatter of their links. Two seconds, looping.
Samples crawlerEngine() {
    Random random(9005);
    const float seconds = 2.0f;
    int loop = samplesIn(seconds), n = loop + samplesIn(0.25f);
    // 27 Hz and 3 Hz run a whole number of cycles in two seconds.
    const float engineHz = 27.0f, lopeHz = 3.0f;
    Samples engine(loop, 0.0f);
    for (int k = 1; k <= 16; ++k) {
        float phase = random.range(0.0f, 2.0f * pi);
        for (int i = 0; i < loop; ++i) engine[i] += std::sin(2.0f * pi * engineHz * float(k) * timeOf(i) + phase) / std::pow(float(k), 0.8f);
    }
    for (int i = 0; i < loop; ++i) engine[i] *= 1.0f + 0.25f * std::sin(2.0f * pi * lopeHz * timeOf(i));

    Samples noise = brownNoise(n, random);
    lowPass(noise, 300.0f);
    Samples chug = noise;
    for (int i = 0; i < n; ++i) chug[i] *= std::pow(0.5f + 0.5f * std::cos(2.0f * pi * engineHz * timeOf(i)), 4.0f);
    Samples tracks = brownNoise(n, random);
    lowPass(tracks, 150.0f);
    Samples bed(n, 0.0f);
    addInto(bed, chug, 1.5f);
    addInto(bed, tracks, 2.0f);
    foldIntoLoop(bed, loop);

    Samples out(loop, 0.0f);
    addInto(out, engine, 0.12f);
    addInto(out, bed, 1.0f);
    // Fifteen links a loop, each placed modulo the loop so the last one's ring
    // wraps into the start.
    for (int link = 0; link < 15; ++link) {
        int at = samplesIn(float(link) / 7.5f + random.range(-0.005f, 0.005f));
        Samples grain = whiteNoise(samplesIn(0.03f), random);
        highPass(grain, 900.0f);
        lowPass(grain, 3000.0f);
        envelope(grain, 0.0005f, 0.006f);
        float loudness = random.range(0.25f, 0.5f);
        for (int i = 0; i < int(grain.size()); ++i) out[((at + i) % loop + loop) % loop] += loudness * grain[i];
    }
    normalise(out, -3.0f);
    return out;
}

// The drone: a thin motor whine wavering slowly, the buzz of its rotor and a
// little air. Two seconds, looping.
Samples droneWhine() {
    Random random(9006);
    const float seconds = 2.0f;
    int loop = samplesIn(seconds), n = loop + samplesIn(0.25f);
    // Whole numbers of cycles in two seconds: 1180 Hz whine, 2.5 Hz waver, 96 Hz blades.
    const float whineHz = 1180.0f, waverHz = 2.5f, waverDepthHz = 12.0f, bladeHz = 96.0f;
    Samples out(loop, 0.0f);
    for (int i = 0; i < loop; ++i) {
        float t = timeOf(i);
        float phase = 2.0f * pi * whineHz * t + waverDepthHz / waverHz * std::sin(2.0f * pi * waverHz * t);
        out[i] += 0.35f * (std::sin(phase) + 0.3f * std::sin(2.0f * phase));
    }
    // The rotor's harmonics peak around 600 to 1500 Hz: the buzz sits high and thin.
    for (int k = 1; k <= 20; ++k) {
        float hz = bladeHz * float(k);
        float weight = std::exp(-std::pow(std::log(hz / 1000.0f), 2.0f)) / float(k) * 4.0f;
        float phase = random.range(0.0f, 2.0f * pi);
        for (int i = 0; i < loop; ++i) out[i] += 0.5f * weight * std::sin(2.0f * pi * hz * timeOf(i) + phase);
    }
    Samples air = whiteNoise(n, random);
    bandPass(air, Samples(n, 2500.0f), 1.0f);
    foldIntoLoop(air, loop);
    addInto(out, air, 0.15f);
    normalise(out, -3.0f);
    return out;
}

// The desert wind: broad noise swelling and easing in gusts, a faint whistle
// that rises with them and a low rumble. Eight seconds, looping.
Samples wind() {
    Random random(9007);
    const float seconds = 8.0f;
    int loop = samplesIn(seconds), n = loop + samplesIn(1.0f);
    // Gusts with one and three cycles per loop, so the swell itself loops.
    Samples gust(n), bedCentre(n), whistleCentre(n);
    for (int i = 0; i < n; ++i) {
        float t = timeOf(i);
        gust[i] = 0.6f + 0.25f * std::sin(2.0f * pi * t / seconds + 0.3f) + 0.15f * std::sin(2.0f * pi * 3.0f * t / seconds + 1.7f);
        bedCentre[i] = 250.0f + 500.0f * gust[i];
        whistleCentre[i] = 900.0f + 700.0f * gust[i];
    }
    Samples bed = whiteNoise(n, random);
    lowPass(bed, 2000.0f);
    bandPass(bed, bedCentre, 0.8f);
    Samples whistle = whiteNoise(n, random);
    bandPass(whistle, whistleCentre, 12.0f);
    Samples rumble = brownNoise(n, random);
    lowPass(rumble, 80.0f);
    Samples out(n, 0.0f);
    for (int i = 0; i < n; ++i) out[i] = gust[i] * bed[i] + 0.5f * gust[i] * gust[i] * whistle[i] + 0.8f * rumble[i];
    foldIntoLoop(out, loop);
    normalise(out, -3.0f);
    return out;
}

// The winning screen: a bright rising arpeggio landing on a held major chord.
Samples wonSting() {
    int n = samplesIn(2.3f);
    Samples out(n, 0.0f);
    const float c5 = 523.25f, e5 = 659.26f, g5 = 783.99f, c6 = 1046.50f;
    addNote(out, c5, 0.00f, 0.35f, 0.5f, 1.0f);
    addNote(out, e5, 0.12f, 0.35f, 0.5f, 1.0f);
    addNote(out, g5, 0.24f, 0.35f, 0.5f, 1.0f);
    for (float hz : {c5, e5, g5, c6}) addNote(out, hz, 0.36f, 1.9f, 0.4f, 1.0f);
    normalise(out, -2.0f);
    return out;
}

// The losing screen: three notes stepping down and a last one that sags flat,
// darker in tone, over a low note.
Samples lostSting() {
    int n = samplesIn(2.6f);
    Samples out(n, 0.0f);
    const float g4 = 392.00f, fSharp4 = 369.99f, f4 = 349.23f, e4 = 329.63f, c3 = 130.81f;
    addNote(out, g4, 0.0f, 0.32f, 0.5f, 1.6f);
    addNote(out, fSharp4, 0.3f, 0.32f, 0.5f, 1.6f);
    addNote(out, f4, 0.6f, 0.32f, 0.5f, 1.6f);
    addNote(out, e4, 0.9f, 1.65f, 0.55f, 1.6f, 1.0f);
    addNote(out, c3, 0.9f, 1.65f, 0.35f, 1.2f);
    lowPass(out, 1800.0f);
    normalise(out, -2.0f);
    return out;
}

float peakDecibels(const Samples& x) {
    float peak = 0.0f;
    for (float v : x) peak = std::max(peak, std::abs(v));
    return peak > 0.0f ? 20.0f * std::log10(peak) : -INFINITY;
}

void putLittleEndian(std::ofstream& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.put(char((value >> (8 * i)) & 0xFF));
}

}  // namespace

std::vector<SynthesisedSound> synthesiseSounds() {
    return {
        {"playerShot.wav", playerShot(), false},
        {"enemyShot.wav", enemyShot(), false},
        {"explosion.wav", explosion(), false},
        {"groundHit.wav", groundHit(), false},
        {"crawlerEngine.wav", crawlerEngine(), true},
        {"droneWhine.wav", droneWhine(), true},
        {"wind.wav", wind(), true},
        {"wonSting.wav", wonSting(), false},
        {"lostSting.wav", lostSting(), false},
    };
}

void writeWav16(const std::string& path, const std::vector<float>& samples, int sampleRate) {
    std::ofstream out(path, std::ios::binary);
    if (!out) throw std::runtime_error("cannot write " + path);
    const uint32_t dataBytes = uint32_t(samples.size() * 2);
    out.write("RIFF", 4);
    putLittleEndian(out, 36 + dataBytes, 4);
    out.write("WAVEfmt ", 8);
    putLittleEndian(out, 16, 4);              // size of the format chunk
    putLittleEndian(out, 1, 2);               // PCM
    putLittleEndian(out, 1, 2);               // one channel
    putLittleEndian(out, uint32_t(sampleRate), 4);
    putLittleEndian(out, uint32_t(sampleRate) * 2, 4);  // bytes per second
    putLittleEndian(out, 2, 2);               // bytes per frame
    putLittleEndian(out, 16, 2);              // bits per sample
    out.write("data", 4);
    putLittleEndian(out, dataBytes, 4);
    for (float v : samples) {
        long quantised = std::lround(std::clamp(v, -1.0f, 1.0f) * 32767.0f);
        putLittleEndian(out, uint32_t(int32_t(quantised)), 2);
    }
    if (!out) throw std::runtime_error("cannot write " + path);
}

void generateSounds(const std::string& assets) {
    const std::string folder = assets + "/Sounds";
    std::filesystem::create_directories(folder);
    for (const SynthesisedSound& sound : synthesiseSounds()) {
        writeWav16(folder + "/" + sound.fileName, sound.samples, soundSampleRate);
        std::printf("    %-18s %5.2f s  peak %5.1f dBFS%s\n", sound.fileName.c_str(),
                    double(sound.samples.size()) / soundSampleRate, double(peakDecibels(sound.samples)),
                    sound.loop ? "  (loop)" : "");
    }
}
