// Small offline synthesiser for the default sound effects: oscillators, noise, envelopes, filters, echo.
#pragma once
#include <cstdint>
#include <functional>
#include <vector>

namespace synth {

constexpr int kSampleRate = 22050;

using Signal = std::vector<float>;
// A value that changes over time; t is seconds from the start of the sound.
using Curve = std::function<double(double t)>;

enum class Wave { Sine, Triangle, Square, Saw };

// --- curves ---
Curve constant(double value);
// Exponential slide from `from` to `to` over `seconds`, then holds `to`.
Curve glide(double from, double to, double seconds);
// Holds each value for `stepSeconds`, the last one for ever.
Curve steps(std::vector<double> values, double stepSeconds);
// Linear rise over `attack`, then exponential fall with time constant `decay`.
Curve pluck(double attack, double decay);
// Rise over `attack`, hold to `holdEnd`, linear fall to zero at `end`.
Curve swell(double attack, double holdEnd, double end);
// base * (1 + depth * sin(2 pi rate t)).
Curve wobble(Curve base, double depth, double rate);
Curve times(Curve a, Curve b);

// --- sources ---
Signal silence(double seconds);
Signal tone(Wave wave, double seconds, const Curve& frequency, const Curve& amplitude);
// Two-operator FM: a sine carrier whose phase is pushed by a modulator at ratio x carrier frequency.
Signal fm(double seconds, const Curve& frequency, double ratio, const Curve& index, const Curve& amplitude);
// Deterministic white noise (the same seed gives the same samples).
Signal noise(double seconds, const Curve& amplitude, std::uint32_t seed);

// --- processing (in place) ---
enum class Pass { Low, Band, High };
// Resonant state-variable filter; resonance 0.5 is gentle, 8 rings.
void filter(Signal& signal, Pass pass, const Curve& cutoff, double resonance);
void echo(Signal& signal, double delaySeconds, double feedback, double wet, double tailSeconds);
// A short room: parallel combs into allpasses, mixed in at `wet`.
void reverb(Signal& signal, double wet, double tailSeconds);
void saturate(Signal& signal, double drive);

// Adds `source` into `target` from `atSeconds` on, growing `target` as needed.
void mixInto(Signal& target, const Signal& source, double atSeconds, double gain = 1.0);

// Brings the loudest 50 ms to a common loudness without letting any peak pass the ceiling,
// trims the silent tail and fades the last milliseconds so the sound ends without a click.
void finish(Signal& signal);

// 16-bit mono PCM .wav bytes at kSampleRate.
std::vector<std::uint8_t> encodeWave(const Signal& signal);

}  // namespace synth
