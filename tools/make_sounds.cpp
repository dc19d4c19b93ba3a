// Generates the game's two sounds as 16-bit mono PCM WAVE files, the same bytes on every run:
//   data/ip.dat     a short key click of the address boxes
//   data/about.dat  the closing jingle of the credits
// Usage: make_sounds OUTPUT_FOLDER
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 22050;
constexpr double kTau = 2 * std::numbers::pi;

using Samples = std::vector<double>;

void PutLittleEndian(std::ofstream& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.put(static_cast<char>((value >> (8 * i)) & 0xFF));
}

bool WriteWave(const std::filesystem::path& file, const Samples& samples) {
  std::ofstream out(file, std::ios::binary);
  const auto dataSize = static_cast<std::uint32_t>(samples.size() * 2);
  out.write("RIFF", 4);
  PutLittleEndian(out, 36 + dataSize, 4);
  out.write("WAVEfmt ", 8);
  PutLittleEndian(out, 16, 4);         // size of the format chunk
  PutLittleEndian(out, 1, 2);          // PCM
  PutLittleEndian(out, 1, 2);          // mono
  PutLittleEndian(out, kRate, 4);      // sample rate
  PutLittleEndian(out, kRate * 2, 4);  // bytes per second
  PutLittleEndian(out, 2, 2);          // block align
  PutLittleEndian(out, 16, 2);         // bits per sample
  out.write("data", 4);
  PutLittleEndian(out, dataSize, 4);
  for (double s : samples) {
    const double clipped = std::fmax(-1.0, std::fmin(1.0, s));
    PutLittleEndian(out, static_cast<std::uint32_t>(static_cast<std::int16_t>(clipped * 32000)), 2);
  }
  return static_cast<bool>(out);
}

// A fixed pseudo-random sequence, so that the noise of the click is the same on every build.
class Noise {
 public:
  double Next() {
    state_ = state_ * 1664525u + 1013904223u;
    return static_cast<double>(state_ >> 8) / static_cast<double>(1u << 24) * 2.0 - 1.0;
  }

 private:
  std::uint32_t state_ = 12345u;
};

// A dry keyboard click: a burst of filtered noise over a short high tone, both dying fast.
Samples KeyClick() {
  const int length = kRate * 45 / 1000;
  Samples samples(static_cast<size_t>(length));
  Noise noise;
  double smoothed = 0;
  for (int i = 0; i < length; ++i) {
    const double t = static_cast<double>(i) / kRate;
    smoothed += 0.45 * (noise.Next() - smoothed);
    const double body = 0.5 * std::sin(kTau * 2300 * t) * std::exp(-t * 160);
    samples[static_cast<size_t>(i)] = (0.8 * smoothed * std::exp(-t * 260) + body) * 0.9;
  }
  return samples;
}

// One synthesised note: a soft square-ish tone with a quick attack and a long fall.
void AddNote(Samples& samples, double start, double seconds, double frequency, double loudness) {
  const int first = static_cast<int>(start * kRate);
  const int length = static_cast<int>(seconds * kRate);
  for (int i = 0; i < length; ++i) {
    const size_t at = static_cast<size_t>(first + i);
    if (at >= samples.size()) break;
    const double t = static_cast<double>(i) / kRate;
    const double attack = std::fmin(1.0, t / 0.012);
    const double release = std::exp(-t * 2.2);
    const double tone = std::sin(kTau * frequency * t) + 0.33 * std::sin(kTau * 3 * frequency * t) +
                        0.14 * std::sin(kTau * 5 * frequency * t) +
                        0.2 * std::sin(kTau * frequency * 1.003 * t);
    samples[at] += loudness * attack * release * tone;
  }
}

double Midi(int note) {
  return 440.0 * std::pow(2.0, (note - 69) / 12.0);
}

// The closing jingle: a rising minor arpeggio that settles on a held chord, about 3.4 s.
Samples Jingle() {
  Samples samples(static_cast<size_t>(kRate * 3.4));
  const int arpeggio[] = {57, 60, 64, 69, 72, 76, 72, 69};
  double at = 0;
  for (int note : arpeggio) {
    AddNote(samples, at, 0.5, Midi(note), 0.22);
    at += 0.14;
  }
  for (int note : {53, 60, 65, 69}) AddNote(samples, at, 2.2, Midi(note), 0.16);
  for (int note : {52, 59, 64, 68}) AddNote(samples, at + 0.9, 1.6, Midi(note), 0.1);
  // Fade the tail so the file ends in silence.
  const size_t fade = kRate / 4;
  for (size_t i = 0; i < fade; ++i) {
    samples[samples.size() - 1 - i] *= static_cast<double>(i) / static_cast<double>(fade);
  }
  return samples;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_sounds OUTPUT_FOLDER\n";
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  std::filesystem::create_directories(folder);
  if (!WriteWave(folder / "ip.dat", KeyClick()) || !WriteWave(folder / "about.dat", Jingle())) {
    std::cerr << "make_sounds: cannot write into " << folder << '\n';
    return 1;
  }
  return 0;
}
