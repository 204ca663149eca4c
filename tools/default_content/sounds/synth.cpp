// Small offline synthesiser for the default sound effects: oscillators, noise, envelopes, filters, echo.
#include "tools/default_content/sounds/synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace synth {
namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;
constexpr double kDt = 1.0 / kSampleRate;

std::size_t sampleCount(double seconds) { return static_cast<std::size_t>(std::lround(seconds * kSampleRate)); }

// Polynomial band-limited step: rounds the jumps of saw and square so they alias less.
double blep(double phase, double step) {
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

double waveAt(Wave wave, double phase, double step) {  // phase in cycles, [0, 1); step = cycles per sample
  switch (wave) {
    case Wave::Sine: return std::sin(kTwoPi * phase);
    case Wave::Triangle: return phase < 0.5 ? 4.0 * phase - 1.0 : 3.0 - 4.0 * phase;
    case Wave::Square: {
      const double half = phase + 0.5 - std::floor(phase + 0.5);
      return (phase < 0.5 ? 1.0 : -1.0) + blep(phase, step) - blep(half, step);
    }
    case Wave::Saw: return 2.0 * phase - 1.0 - blep(phase, step);
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

double peakOf(const Signal& s) {
  double peak = 0.0;
  for (float v : s) peak = std::max(peak, static_cast<double>(std::fabs(v)));
  return peak;
}

double loudestWindowRms(const Signal& s) {
  const std::size_t window = sampleCount(0.05);
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
Signal fadedTail(Signal s) {
  const std::size_t fade = std::min(sampleCount(0.003), s.size());
  for (std::size_t i = 0; i < fade; ++i) s[s.size() - 1 - i] *= static_cast<float>(i) / static_cast<float>(fade);
  return s;
}

}  // namespace

Curve constant(double value) {
  return [value](double) { return value; };
}

Curve glide(double from, double to, double seconds) {
  return [=](double t) { return from * std::pow(to / from, std::clamp(t / seconds, 0.0, 1.0)); };
}

Curve steps(std::vector<double> values, double stepSeconds) {
  return [values = std::move(values), stepSeconds](double t) {
    const auto i = static_cast<std::size_t>(std::max(t, 0.0) / stepSeconds);
    return values[std::min(i, values.size() - 1)];
  };
}

Curve pluck(double attack, double decay) {
  return [=](double t) { return t < attack ? t / attack : std::exp(-(t - attack) / decay); };
}

Curve swell(double attack, double holdEnd, double end) {
  return [=](double t) {
    if (t < attack) return t / attack;
    if (t < holdEnd) return 1.0;
    return std::max(0.0, (end - t) / (end - holdEnd));
  };
}

Curve wobble(Curve base, double depth, double rate) {
  return [=](double t) { return base(t) * (1.0 + depth * std::sin(kTwoPi * rate * t)); };
}

Curve times(Curve a, Curve b) {
  return [=](double t) { return a(t) * b(t); };
}

Signal silence(double seconds) { return Signal(sampleCount(seconds), 0.0f); }

Signal tone(Wave wave, double seconds, const Curve& frequency, const Curve& amplitude) {
  Signal out(sampleCount(seconds));
  double phase = 0.0;
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = static_cast<double>(i) * kDt;
    const double step = frequency(t) * kDt;
    out[i] = static_cast<float>(waveAt(wave, phase, step) * amplitude(t));
    phase += step;
    phase -= std::floor(phase);
  }
  return fadedTail(std::move(out));
}

Signal fm(double seconds, const Curve& frequency, double ratio, const Curve& index, const Curve& amplitude) {
  Signal out(sampleCount(seconds));
  double carrier = 0.0, modulator = 0.0;
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = static_cast<double>(i) * kDt;
    const double push = index(t) * std::sin(kTwoPi * modulator);
    out[i] = static_cast<float>(std::sin(kTwoPi * carrier + push) * amplitude(t));
    const double f = frequency(t);
    carrier += f * kDt;
    modulator += f * ratio * kDt;
    carrier -= std::floor(carrier);
    modulator -= std::floor(modulator);
  }
  return fadedTail(std::move(out));
}

Signal noise(double seconds, const Curve& amplitude, std::uint32_t seed) {
  Signal out(sampleCount(seconds));
  NoiseSource source{seed == 0 ? 0x9E3779B9u : seed};
  for (std::size_t i = 0; i < out.size(); ++i) {
    out[i] = static_cast<float>(source.next() * amplitude(static_cast<double>(i) * kDt));
  }
  return fadedTail(std::move(out));
}

void filter(Signal& signal, Pass pass, const Curve& cutoff, double resonance) {
  // Trapezoidal state-variable filter: stays stable for any cutoff below Nyquist.
  const double k = 1.0 / std::max(resonance, 0.1);
  double ic1 = 0.0, ic2 = 0.0;
  for (std::size_t i = 0; i < signal.size(); ++i) {
    const double fc = std::clamp(cutoff(static_cast<double>(i) * kDt), 20.0, 0.45 * kSampleRate);
    const double g = std::tan(std::numbers::pi * fc / kSampleRate);
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

void echo(Signal& signal, double delaySeconds, double feedback, double wet, double tailSeconds) {
  const std::size_t delay = std::max<std::size_t>(sampleCount(delaySeconds), 1);
  Signal line = signal;
  line.resize(signal.size() + sampleCount(tailSeconds), 0.0f);
  Signal out = line;
  for (std::size_t i = delay; i < line.size(); ++i) {
    line[i] += static_cast<float>(feedback * line[i - delay]);
    out[i] += static_cast<float>(wet * line[i - delay]);
  }
  signal = std::move(out);
}

void reverb(Signal& signal, double wet, double tailSeconds) {
  static constexpr double kCombSeconds[] = {0.0297, 0.0371, 0.0411, 0.0437};
  static constexpr double kAllpassSeconds[] = {0.0050, 0.0017};
  Signal dry = signal;
  dry.resize(signal.size() + sampleCount(tailSeconds), 0.0f);
  Signal room(dry.size(), 0.0f);
  for (double seconds : kCombSeconds) {
    const std::size_t d = sampleCount(seconds);
    Signal comb(dry.size(), 0.0f);
    for (std::size_t i = 0; i < dry.size(); ++i) {
      comb[i] = dry[i] + (i >= d ? 0.78f * comb[i - d] : 0.0f);
      room[i] += 0.25f * comb[i];
    }
  }
  for (double seconds : kAllpassSeconds) {
    const std::size_t d = sampleCount(seconds);
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

void saturate(Signal& signal, double drive) {
  const double norm = std::tanh(drive);
  for (float& v : signal) v = static_cast<float>(std::tanh(drive * v) / norm);
}

void mixInto(Signal& target, const Signal& source, double atSeconds, double gain) {
  const std::size_t start = sampleCount(atSeconds);
  if (target.size() < start + source.size()) target.resize(start + source.size(), 0.0f);
  for (std::size_t i = 0; i < source.size(); ++i) target[start + i] += static_cast<float>(gain * source[i]);
}

void finish(Signal& signal) {
  constexpr double kTargetRms = 0.30;  // loudest 50 ms, about -10.5 dBFS
  constexpr double kCeiling = 0.89;    // -1 dBFS
  constexpr double kKnee = 0.6;        // peaks above this are rounded off rather than scaled away
  const double peak = peakOf(signal);
  if (peak <= 0.0) return;
  // Allow up to 6 dB of soft limiting so that a sharp attack does not leave the body too quiet.
  const double gain = std::min(kTargetRms / loudestWindowRms(signal), 2.0 * kCeiling / peak);
  for (float& v : signal) {
    const double x = std::fabs(v * gain);
    const double y = x <= kKnee ? x : kKnee + (kCeiling - kKnee) * std::tanh((x - kKnee) / (kCeiling - kKnee));
    v = static_cast<float>(std::copysign(y, static_cast<double>(v)));
  }

  // Drop the inaudible tail (below -54 dBFS), then fade out over 5 ms.
  std::size_t end = signal.size();
  while (end > 0 && std::fabs(signal[end - 1]) < 0.002f) --end;
  signal.resize(end);
  const std::size_t fade = std::min(sampleCount(0.005), signal.size());
  for (std::size_t i = 0; i < fade; ++i) {
    signal[signal.size() - fade + i] *= static_cast<float>(fade - i) / static_cast<float>(fade);
  }
}

std::vector<std::uint8_t> encodeWave(const Signal& signal) {
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
  put(kSampleRate, 4);
  put(kSampleRate * 2, 4);
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
