#pragma once
#include <cstdint>
#include <cstdio>
#include <string>

#include "platform/linux/options.h"
#include "platform/midi_port.h"

// FluidSynth's types, kept out of the users of this header.
typedef struct _fluid_hashtable_t fluid_settings_t;
typedef struct _fluid_synth_t fluid_synth_t;
typedef struct _fluid_audio_driver_t fluid_audio_driver_t;

namespace oriwen::linux_shell {

// The General MIDI synthesizer of MIDI device 0: a FluidSynth synthesizer
// with 16 channels and a soundfont, playing through an audio driver.
class EmbeddedSynth {
 public:
  explicit EmbeddedSynth(Options options) : options_(std::move(options)) {}
  ~EmbeddedSynth();
  EmbeddedSynth(const EmbeddedSynth&) = delete;
  EmbeddedSynth& operator=(const EmbeddedSynth&) = delete;

  // The synthesizer with its soundfont loaded; false, with the reason in
  // error(), when either cannot be had.
  bool OpenSynth();
  // The audio output; false when no driver can be opened.
  bool StartAudio();
  // One MIDI short message (status in bits 0..7, data in 8..15 and 16..23).
  void Send(std::uint32_t message);

  fluid_synth_t* synth() const { return synth_; }
  const std::string& driverName() const { return driverName_; }
  const std::string& error() const { return error_; }

 private:
  bool TryDriver(const std::string& name);

  Options options_;
  fluid_settings_t* settings_ = nullptr;
  fluid_synth_t* synth_ = nullptr;
  fluid_audio_driver_t* audio_ = nullptr;
  std::string driverName_;
  std::string error_;
};

// The machine's MIDI outputs: device 0 is the embedded synthesizer, or,
// with --midi-sink, a file that receives every message as a line of hex
// bytes ("90 3C 7F", "C1 00").
class LinuxMidi : public MidiPort {
 public:
  explicit LinuxMidi(Options options) : options_(options), synth_(std::move(options)) {}
  ~LinuxMidi() override;
  LinuxMidi(const LinuxMidi&) = delete;
  LinuxMidi& operator=(const LinuxMidi&) = delete;

  int DeviceCount() override { return 1; }
  bool Open(int deviceIndex) override;
  void SendShortMessage(std::uint32_t message) override;

  // Why the last Open failed.
  const std::string& error() const { return error_; }

 private:
  Options options_;
  EmbeddedSynth synth_;
  std::FILE* sink_ = nullptr;
  bool open_ = false;
  std::string error_;
};

// A short message as the sink writes it.
std::string MidiHexLine(std::uint32_t message);

}  // namespace oriwen::linux_shell
