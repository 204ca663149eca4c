// Small offline synthesiser for the default sound effects: oscillators, noise, envelopes, filters, echo.
#pragma once
#include <cstdint>
#include <functional>
#include <vector>

namespace synth {

constexpr int SampleRate = 22050;

using Signal = std::vector<float>;
// A value that changes over time; t is seconds from the start of the sound.
using Curve = std::function<double(double t)>;

enum class Wave { Sine, Triangle, Square, Saw };

// --- curves ---
Curve Constant(double value);
// Exponential slide from `from` to `to` over `seconds`, then holds `to`.
Curve Glide(double from, double to, double seconds);
// Holds each value for `stepSeconds`, the last one for ever.
Curve Steps(std::vector<double> values, double stepSeconds);
// Linear rise over `attack`, then exponential fall with time constant `decay`.
Curve Pluck(double attack, double decay);
// Rise over `attack`, hold to `holdEnd`, linear fall to zero at `end`.
Curve Swell(double attack, double holdEnd, double end);
// base * (1 + depth * sin(2 pi rate t)).
Curve Wobble(Curve base, double depth, double rate);
Curve Times(Curve a, Curve b);

// --- sources ---
Signal Silence(double seconds);
Signal Tone(Wave wave, double seconds, const Curve& frequency, const Curve& amplitude);
// Two-operator FM: a sine carrier whose phase is pushed by a modulator at ratio x carrier frequency.
Signal Fm(double seconds, const Curve& frequency, double ratio, const Curve& index, const Curve& amplitude);
// Deterministic white noise (the same seed gives the same samples).
Signal Noise(double seconds, const Curve& amplitude, std::uint32_t seed);

// --- processing (in place) ---
enum class Pass { Low, Band, High };
// Resonant state-variable filter; resonance 0.5 is gentle, 8 rings.
void Filter(Signal& signal, Pass pass, const Curve& cutoff, double resonance);
void Echo(Signal& signal, double delaySeconds, double feedback, double wet, double tailSeconds);
// A short room: parallel combs into allpasses, mixed in at `wet`.
void Reverb(Signal& signal, double wet, double tailSeconds);
void Saturate(Signal& signal, double drive);

// Adds `source` into `target` from `atSeconds` on, growing `target` as needed.
void MixInto(Signal& target, const Signal& source, double atSeconds, double gain = 1.0);

// Brings the loudest 50 ms to a common loudness without letting any peak pass the ceiling,
// trims the silent tail and fades the last milliseconds so the sound ends without a click.
void Finish(Signal& signal);

// 16-bit mono PCM .wav bytes at SampleRate.
std::vector<std::uint8_t> EncodeWave(const Signal& signal);

}  // namespace synth
