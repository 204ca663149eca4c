// Small offline synthesiser for the default sound effects: oscillators, noise, envelopes, filters, echo.
#include "tools/default_content/sounds/synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace synth {
namespace {

constexpr double TwoPi = 2.0 * std::numbers::pi;
constexpr double Dt = 1.0 / SampleRate;

std::size_t SampleCount(double seconds) { return static_cast<std::size_t>(std::lround(seconds * SampleRate)); }

// Polynomial band-limited step: rounds the jumps of saw and square so they alias less.
double Blep(double phase, double step) {
  if (phase < step) {
    const double x = phase / step;
    return x + x - x * x - 1.0;
  }
  if (phase > 1.0 - step) {
    const double x = (phase - 1.0) / step;
    return x * x + x + x + 1.0;
  }
  return 0.0;
}

double WaveAt(Wave wave, double phase, double step) {  // phase in cycles, [0, 1); step = cycles per sample
  switch (wave) {
    case Wave::Sine: return std::sin(TwoPi * phase);
    case Wave::Triangle: return phase < 0.5 ? 4.0 * phase - 1.0 : 3.0 - 4.0 * phase;
    case Wave::Square: {
      const double half = phase + 0.5 - std::floor(phase + 0.5);
      return (phase < 0.5 ? 1.0 : -1.0) + Blep(phase, step) - Blep(half, step);
    }
    case Wave::Saw: return 2.0 * phase - 1.0 - Blep(phase, step);
  }
  return 0.0;
}

// xorshift32: tiny, fast and the same everywhere.
struct NoiseSource {
  std::uint32_t state;
  double next() {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return static_cast<double>(state) / 2147483648.0 - 1.0;
  }
};

double PeakOf(const Signal& s) {
  double peak = 0.0;
  for (float v : s) peak = std::max(peak, static_cast<double>(std::fabs(v)));
  return peak;
}

double LoudestWindowRms(const Signal& s) {
  const std::size_t window = SampleCount(0.05);
  double best = 0.0, sum = 0.0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    sum += static_cast<double>(s[i]) * s[i];
    if (i >= window) sum -= static_cast<double>(s[i - window]) * s[i - window];
    best = std::max(best, sum);
  }
  const double n = static_cast<double>(std::min(window, std::max<std::size_t>(s.size(), 1)));
  return std::sqrt(std::max(best, 0.0) / n);
}

// Every source ends with a 3 ms fade, so cutting a sound short never leaves a click.
Signal FadedTail(Signal s) {
  const std::size_t fade = std::min(SampleCount(0.003), s.size());
  for (std::size_t i = 0; i < fade; ++i) s[s.size() - 1 - i] *= static_cast<float>(i) / static_cast<float>(fade);
  return s;
}

}  // namespace

Curve Constant(double value) {
  return [value](double) { return value; };
}

Curve Glide(double from, double to, double seconds) {
  return [=](double t) { return from * std::pow(to / from, std::clamp(t / seconds, 0.0, 1.0)); };
}

Curve Steps(std::vector<double> values, double stepSeconds) {
  return [values = std::move(values), stepSeconds](double t) {
    const auto i = static_cast<std::size_t>(std::max(t, 0.0) / stepSeconds);
    return values[std::min(i, values.size() - 1)];
  };
}

Curve Pluck(double attack, double decay) {
  return [=](double t) { return t < attack ? t / attack : std::exp(-(t - attack) / decay); };
}

Curve Swell(double attack, double holdEnd, double end) {
  return [=](double t) {
    if (t < attack) return t / attack;
    if (t < holdEnd) return 1.0;
    return std::max(0.0, (end - t) / (end - holdEnd));
  };
}

Curve Wobble(Curve base, double depth, double rate) {
  return [=](double t) { return base(t) * (1.0 + depth * std::sin(TwoPi * rate * t)); };
}

Curve Times(Curve a, Curve b) {
  return [=](double t) { return a(t) * b(t); };
}

Signal Silence(double seconds) { return Signal(SampleCount(seconds), 0.0f); }

Signal Tone(Wave wave, double seconds, const Curve& frequency, const Curve& amplitude) {
  Signal out(SampleCount(seconds));
  double phase = 0.0;
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = static_cast<double>(i) * Dt;
    const double step = frequency(t) * Dt;
    out[i] = static_cast<float>(WaveAt(wave, phase, step) * amplitude(t));
    phase += step;
    phase -= std::floor(phase);
  }
  return FadedTail(std::move(out));
}

Signal Fm(double seconds, const Curve& frequency, double ratio, const Curve& index, const Curve& amplitude) {
  Signal out(SampleCount(seconds));
  double carrier = 0.0, modulator = 0.0;
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = static_cast<double>(i) * Dt;
    const double push = index(t) * std::sin(TwoPi * modulator);
    out[i] = static_cast<float>(std::sin(TwoPi * carrier + push) * amplitude(t));
    const double f = frequency(t);
    carrier += f * Dt;
    modulator += f * ratio * Dt;
    carrier -= std::floor(carrier);
    modulator -= std::floor(modulator);
  }
  return FadedTail(std::move(out));
}

Signal Noise(double seconds, const Curve& amplitude, std::uint32_t seed) {
  Signal out(SampleCount(seconds));
  NoiseSource source{seed == 0 ? 0x9E3779B9u : seed};
  for (std::size_t i = 0; i < out.size(); ++i) {
    out[i] = static_cast<float>(source.next() * amplitude(static_cast<double>(i) * Dt));
  }
  return FadedTail(std::move(out));
}

void Filter(Signal& signal, Pass pass, const Curve& cutoff, double resonance) {
  // Trapezoidal state-variable filter: stays stable for any cutoff below Nyquist.
  const double k = 1.0 / std::max(resonance, 0.1);
  double ic1 = 0.0, ic2 = 0.0;
  for (std::size_t i = 0; i < signal.size(); ++i) {
    const double fc = std::clamp(cutoff(static_cast<double>(i) * Dt), 20.0, 0.45 * SampleRate);
    const double g = std::tan(std::numbers::pi * fc / SampleRate);
    const double a1 = 1.0 / (1.0 + g * (g + k)), a2 = g * a1, a3 = g * a2;
    const double x = signal[i];
    const double v3 = x - ic2;
    const double v1 = a1 * ic1 + a2 * v3;
    const double v2 = ic2 + a2 * ic1 + a3 * v3;
    ic1 = 2.0 * v1 - ic1;
    ic2 = 2.0 * v2 - ic2;
    const double y = pass == Pass::Low ? v2 : pass == Pass::Band ? v1 : x - k * v1 - v2;
    signal[i] = static_cast<float>(y);
  }
}

void Echo(Signal& signal, double delaySeconds, double feedback, double wet, double tailSeconds) {
  const std::size_t delay = std::max<std::size_t>(SampleCount(delaySeconds), 1);
  Signal line = signal;
  line.resize(signal.size() + SampleCount(tailSeconds), 0.0f);
  Signal out = line;
  for (std::size_t i = delay; i < line.size(); ++i) {
    line[i] += static_cast<float>(feedback * line[i - delay]);
    out[i] += static_cast<float>(wet * line[i - delay]);
  }
  signal = std::move(out);
}

void Reverb(Signal& signal, double wet, double tailSeconds) {
  static constexpr double CombSeconds[] = {0.0297, 0.0371, 0.0411, 0.0437};
  static constexpr double AllpassSeconds[] = {0.0050, 0.0017};
  Signal dry = signal;
  dry.resize(signal.size() + SampleCount(tailSeconds), 0.0f);
  Signal room(dry.size(), 0.0f);
  for (double seconds : CombSeconds) {
    const std::size_t d = SampleCount(seconds);
    Signal comb(dry.size(), 0.0f);
    for (std::size_t i = 0; i < dry.size(); ++i) {
      comb[i] = dry[i] + (i >= d ? 0.78f * comb[i - d] : 0.0f);
      room[i] += 0.25f * comb[i];
    }
  }
  for (double seconds : AllpassSeconds) {
    const std::size_t d = SampleCount(seconds);
    Signal out(room.size(), 0.0f);
    for (std::size_t i = 0; i < room.size(); ++i) {
      const float delayedIn = i >= d ? room[i - d] : 0.0f;
      const float delayedOut = i >= d ? out[i - d] : 0.0f;
      out[i] = -0.6f * room[i] + delayedIn + 0.6f * delayedOut;
    }
    room = std::move(out);
  }
  for (std::size_t i = 0; i < dry.size(); ++i) dry[i] += static_cast<float>(wet) * room[i];
  signal = std::move(dry);
}

void Saturate(Signal& signal, double drive) {
  const double norm = std::tanh(drive);
  for (float& v : signal) v = static_cast<float>(std::tanh(drive * v) / norm);
}

void MixInto(Signal& target, const Signal& source, double atSeconds, double gain) {
  const std::size_t start = SampleCount(atSeconds);
  if (target.size() < start + source.size()) target.resize(start + source.size(), 0.0f);
  for (std::size_t i = 0; i < source.size(); ++i) target[start + i] += static_cast<float>(gain * source[i]);
}

void Finish(Signal& signal) {
  constexpr double TargetRms = 0.30;  // loudest 50 ms, about -10.5 dBFS
  constexpr double Ceiling = 0.89;    // -1 dBFS
  constexpr double Knee = 0.6;        // peaks above this are rounded off rather than scaled away
  const double peak = PeakOf(signal);
  if (peak <= 0.0) return;
  // Allow up to 6 dB of soft limiting so that a sharp attack does not leave the body too quiet.
  const double gain = std::min(TargetRms / LoudestWindowRms(signal), 2.0 * Ceiling / peak);
  for (float& v : signal) {
    const double x = std::fabs(v * gain);
    const double y = x <= Knee ? x : Knee + (Ceiling - Knee) * std::tanh((x - Knee) / (Ceiling - Knee));
    v = static_cast<float>(std::copysign(y, static_cast<double>(v)));
  }

  // Drop the inaudible tail (below -54 dBFS), then fade out over 5 ms.
  std::size_t end = signal.size();
  while (end > 0 && std::fabs(signal[end - 1]) < 0.002f) --end;
  signal.resize(end);
  const std::size_t fade = std::min(SampleCount(0.005), signal.size());
  for (std::size_t i = 0; i < fade; ++i) {
    signal[signal.size() - fade + i] *= static_cast<float>(fade - i) / static_cast<float>(fade);
  }
}

std::vector<std::uint8_t> EncodeWave(const Signal& signal) {
  std::vector<std::uint8_t> bytes;
  auto put = [&bytes](std::uint32_t value, int width) {
    for (int i = 0; i < width; ++i) bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
  };
  auto tag = [&bytes](const char* text) {
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<std::uint8_t>(text[i]));
  };
  const auto dataBytes = static_cast<std::uint32_t>(signal.size() * 2);
  bytes.reserve(44 + dataBytes);
  tag("RIFF");
  put(36 + dataBytes, 4);
  tag("WAVE");
  tag("fmt ");
  put(16, 4);
  put(1, 2);  // PCM
  put(1, 2);  // mono
  put(SampleRate, 4);
  put(SampleRate * 2, 4);
  put(2, 2);
  put(16, 2);
  tag("data");
  put(dataBytes, 4);
  for (float v : signal) {
    const long sample = std::lround(std::clamp(static_cast<double>(v), -1.0, 1.0) * 32767.0);
    put(static_cast<std::uint32_t>(static_cast<std::int16_t>(sample)) & 0xFFFFu, 2);
  }
  return bytes;
}

}  // namespace synth
