// The embedded synthesizer really sounds: notes rendered into memory (no
// audio driver) have the pitch of their MIDI note, and a program change
// changes the sound.
#include <gtest/gtest.h>
#include <fluidsynth.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <thread>
#include <vector>

#include "platform/linux/embedded_synth.h"

namespace oriwen::linux_shell {
namespace {

constexpr int kRate = 48000;

std::uint32_t Msg(unsigned status, unsigned d1, unsigned d2 = 0) {
  return status | (d1 << 8) | (d2 << 16);
}

std::vector<float> Render(EmbeddedSynth& synth, int frames) {
  std::vector<float> left(static_cast<std::size_t>(frames)), right(left.size());
  fluid_synth_write_float(synth.synth(), frames, left.data(), 0, 1, right.data(), 0, 1);
  for (std::size_t i = 0; i < left.size(); ++i) left[i] = 0.5f * (left[i] + right[i]);
  return left;
}

double Rms(const std::vector<float>& s) {
  double sum = 0;
  for (float x : s) sum += double(x) * x;
  return std::sqrt(sum / double(s.size()));
}

// The fundamental by autocorrelation: the first lag (80..1000 Hz) whose
// normalised correlation comes near the best, refined by a parabola.
double Pitch(const std::vector<float>& s) {
  int minLag = kRate / 1000, maxLag = kRate / 80;
  std::vector<double> r(static_cast<std::size_t>(maxLag + 2));
  double energy = 0;
  for (float x : s) energy += double(x) * x;
  for (int lag = minLag; lag <= maxLag + 1; ++lag) {
    double sum = 0;
    for (std::size_t i = 0; i + static_cast<std::size_t>(lag) < s.size(); ++i) {
      sum += double(s[i]) * s[i + static_cast<std::size_t>(lag)];
    }
    r[static_cast<std::size_t>(lag)] = sum / energy;
  }
  double best = 0;
  for (int lag = minLag; lag <= maxLag; ++lag) best = std::max(best, r[static_cast<std::size_t>(lag)]);
  for (int lag = minLag + 1; lag <= maxLag; ++lag) {
    auto at = [&](int l) { return r[static_cast<std::size_t>(l)]; };
    if (at(lag) >= 0.9 * best && at(lag) >= at(lag - 1) && at(lag) >= at(lag + 1)) {
      double a = at(lag - 1), b = at(lag), c = at(lag + 1);
      double shift = 0.5 * (a - c) / (a - 2 * b + c);
      return kRate / (lag + shift);
    }
  }
  return 0;
}

// Relative strengths of the first eight harmonics of f0 (Goertzel).
std::vector<double> Harmonics(const std::vector<float>& s, double f0) {
  std::vector<double> h;
  double total = 0;
  for (int k = 1; k <= 8; ++k) {
    double w = 2 * std::numbers::pi * k * f0 / kRate, coeff = 2 * std::cos(w), s1 = 0, s2 = 0;
    for (float x : s) {
      double s0 = x + coeff * s1 - s2;
      s2 = s1;
      s1 = s0;
    }
    h.push_back(std::sqrt(s1 * s1 + s2 * s2 - coeff * s1 * s2));
    total += h.back();
  }
  for (double& v : h) v /= total;
  return h;
}

class EmbeddedSynthSound : public ::testing::Test {
 protected:
  void SetUp() override {
    Options o;
    o.sampleRate = kRate;
    synth = std::make_unique<EmbeddedSynth>(o);
    ASSERT_TRUE(synth->OpenSynth()) << synth->error();
  }
  // Half a second of a note on channel 1, its attack left out.
  std::vector<float> PlayNote(int note) {
    synth->Send(Msg(0x91, static_cast<unsigned>(note), 127));
    Render(*synth, kRate / 10);
    std::vector<float> sound = Render(*synth, kRate / 2);
    synth->Send(Msg(0x81, static_cast<unsigned>(note), 0));
    Render(*synth, kRate);  // let it die away
    return sound;
  }
  std::unique_ptr<EmbeddedSynth> synth;
};

TEST_F(EmbeddedSynthSound, IsSilentUntilANoteSoundsAtItsPitch) {
  EXPECT_LT(Rms(Render(*synth, kRate / 10)), 1e-6);
  std::vector<float> c4 = PlayNote(60);
  EXPECT_GT(Rms(c4), 0.01);
  EXPECT_NEAR(Pitch(c4), 261.63, 261.63 * 0.01);  // within a sixth of a semitone
  EXPECT_NEAR(Pitch(PlayNote(69)), 440.0, 440.0 * 0.01);
  // A note-off ends it.
  EXPECT_LT(Rms(Render(*synth, kRate / 10)), 1e-3);
}

TEST_F(EmbeddedSynthSound, AProgramChangeChangesTheSoundButNotThePitch) {
  std::vector<double> piano = Harmonics(PlayNote(60), 261.63);
  synth->Send(Msg(0xC1, 73));  // flute
  std::vector<float> flute = PlayNote(60);
  EXPECT_NEAR(Pitch(flute), 261.63, 261.63 * 0.01);
  std::vector<double> other = Harmonics(flute, 261.63);
  double distance = 0;
  for (std::size_t k = 0; k < piano.size(); ++k) distance += std::abs(piano[k] - other[k]);
  EXPECT_GT(distance, 0.2) << "the harmonics of piano and flute should differ";
  // Channel 2 still plays the piano.
  synth->Send(Msg(0x92, 60, 127));
  Render(*synth, kRate / 10);
  std::vector<double> channel2 = Harmonics(Render(*synth, kRate / 2), 261.63);
  double same = 0;
  for (std::size_t k = 0; k < piano.size(); ++k) same += std::abs(piano[k] - channel2[k]);
  EXPECT_LT(same, distance / 2);
}

TEST(LinuxMidi, OpeningFailsWithTheReasonWhenSoundfontOrDriverCannotBeHad) {
  Options noFont;
  noFont.soundfont = "/nonexistent/none.sf2";
  LinuxMidi a(noFont);
  EXPECT_FALSE(a.Open(0));
  EXPECT_NE(a.error().find("soundfont /nonexistent/none.sf2"), std::string::npos) << a.error();

  Options noDriver;
  noDriver.audioDriver = "no-such-driver";
  LinuxMidi b(noDriver);
  EXPECT_FALSE(b.Open(0));
  EXPECT_NE(b.error().find("audio driver no-such-driver"), std::string::npos) << b.error();

  EXPECT_EQ(LinuxMidi(Options{}).DeviceCount(), 1);
  EXPECT_FALSE(LinuxMidi(Options{}).Open(1));
}

TEST(LinuxMidi, TheSinkWritesEveryMessageAsAHexLine) {
  std::filesystem::path file =
      std::filesystem::temp_directory_path() / ("oriwen-sink-" + std::to_string(getpid()));
  Options o;
  o.midiSink = file.string();
  o.soundfont = "/nonexistent/none.sf2";  // the sink needs no synthesizer
  {
    LinuxMidi midi(o);
    ASSERT_TRUE(midi.Open(0));
    midi.SendShortMessage(Msg(0xC1, 0));
    midi.SendShortMessage(Msg(0x91, 0x3C, 0x7F));
    midi.SendShortMessage(Msg(0x86, 0x7F, 0));
  }
  std::ifstream in(file);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(text, "C1 00\n91 3C 7F\n86 7F 00\n");
  std::filesystem::remove(file);
}

TEST(LinuxMidi, TheFileDriverPlaysIntoAWavFileWithoutASoundCard) {
  std::filesystem::path file =
      std::filesystem::temp_directory_path() / ("oriwen-" + std::to_string(getpid()) + ".wav");
  Options o;
  o.wavFile = file.string();
  o.audioDriver = "file";
  {
    LinuxMidi midi(o);
    ASSERT_TRUE(midi.Open(0)) << midi.error();
    midi.SendShortMessage(Msg(0x91, 60, 127));
    // The file driver renders in real time; give it some sound to write.
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
  }
  std::ifstream in(file, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_GT(bytes.size(), 44u + 4800u);
  EXPECT_EQ(bytes.substr(0, 4), "RIFF");
  EXPECT_EQ(bytes.substr(8, 4), "WAVE");
  bool sound = false;
  for (std::size_t i = 44; i + 1 < bytes.size() && !sound; i += 2) {
    sound = bytes[i] != 0 || bytes[i + 1] != 0;
  }
  EXPECT_TRUE(sound);
  std::filesystem::remove(file);
}

}  // namespace
}  // namespace oriwen::linux_shell
