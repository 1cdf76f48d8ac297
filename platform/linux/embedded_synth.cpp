#include "platform/linux/embedded_synth.h"

#include <fluidsynth.h>

#include <filesystem>

namespace oriwen::linux_shell {

EmbeddedSynth::~EmbeddedSynth() {
  if (audio_) delete_fluid_audio_driver(audio_);
  if (synth_) delete_fluid_synth(synth_);
  if (settings_) delete_fluid_settings(settings_);
}

bool EmbeddedSynth::OpenSynth() {
  if (synth_) return true;
  std::error_code ec;
  if (!std::filesystem::is_regular_file(options_.soundfont, ec)) {
    error_ = "soundfont " + options_.soundfont + " not found";
    return false;
  }
  settings_ = new_fluid_settings();
  if (!settings_) {
    error_ = "FluidSynth settings cannot be created";
    return false;
  }
  fluid_settings_setint(settings_, "synth.midi-channels", 16);
  fluid_settings_setnum(settings_, "synth.sample-rate", options_.sampleRate);
  fluid_settings_setint(settings_, "audio.period-size", options_.periodSize);
  fluid_settings_setint(settings_, "audio.periods", options_.periods);
  synth_ = new_fluid_synth(settings_);
  if (!synth_) {
    error_ = "the FluidSynth synthesizer cannot be created";
    return false;
  }
  if (fluid_synth_sfload(synth_, options_.soundfont.c_str(), 1) == FLUID_FAILED) {
    error_ = "soundfont " + options_.soundfont + " cannot be loaded";
    delete_fluid_synth(synth_);
    synth_ = nullptr;
    return false;
  }
  return true;
}

bool EmbeddedSynth::TryDriver(const std::string& name) {
  if (fluid_settings_setstr(settings_, "audio.driver", name.c_str()) != FLUID_OK) return false;
  if (name == "file") {
    std::string file = options_.wavFile.empty() ? "oriwen.wav" : options_.wavFile;
    fluid_settings_setstr(settings_, "audio.file.name", file.c_str());
    fluid_settings_setstr(settings_, "audio.file.type", "wav");
  }
  audio_ = new_fluid_audio_driver(settings_, synth_);
  if (audio_) driverName_ = name;
  return audio_ != nullptr;
}

bool EmbeddedSynth::StartAudio() {
  if (audio_) return true;
  if (!synth_ && !OpenSynth()) return false;
  if (!options_.audioDriver.empty()) {
    if (TryDriver(options_.audioDriver)) return true;
    error_ = "audio driver " + options_.audioDriver + " cannot be opened";
    return false;
  }
  for (const char* name : {"pulseaudio", "alsa"}) {
    if (TryDriver(name)) return true;
  }
  error_ = "no sound output (tried pulseaudio and alsa; see --audio-driver, --wav-file)";
  return false;
}

void EmbeddedSynth::Send(std::uint32_t message) {
  if (!synth_) return;
  int status = static_cast<int>(message & 0xFF);
  int data1 = static_cast<int>((message >> 8) & 0x7F);
  int data2 = static_cast<int>((message >> 16) & 0x7F);
  int channel = status & 0x0F;
  switch (status & 0xF0) {
    case 0x80: fluid_synth_noteoff(synth_, channel, data1); break;
    case 0x90:
      if (data2 == 0) {
        fluid_synth_noteoff(synth_, channel, data1);
      } else {
        fluid_synth_noteon(synth_, channel, data1, data2);
      }
      break;
    case 0xA0: fluid_synth_key_pressure(synth_, channel, data1, data2); break;
    case 0xB0: fluid_synth_cc(synth_, channel, data1, data2); break;
    case 0xC0: fluid_synth_program_change(synth_, channel, data1); break;
    case 0xD0: fluid_synth_channel_pressure(synth_, channel, data1); break;
    case 0xE0: fluid_synth_pitch_bend(synth_, channel, data1 | (data2 << 7)); break;
    default: break;  // system messages are not played
  }
}

std::string MidiHexLine(std::uint32_t message) {
  unsigned status = message & 0xFF;
  unsigned kind = status & 0xF0;
  int bytes = (kind == 0xC0 || kind == 0xD0) ? 2 : 3;
  char line[16];
  if (bytes == 2) {
    std::snprintf(line, sizeof line, "%02X %02X", status, (message >> 8) & 0xFF);
  } else {
    std::snprintf(line, sizeof line, "%02X %02X %02X", status, (message >> 8) & 0xFF,
                  (message >> 16) & 0xFF);
  }
  return line;
}

LinuxMidi::~LinuxMidi() {
  if (sink_) std::fclose(sink_);
}

bool LinuxMidi::Open(int deviceIndex) {
  if (deviceIndex != 0) return false;
  if (open_) return true;
  if (!options_.midiSink.empty()) {
    sink_ = std::fopen(options_.midiSink.c_str(), "w");
    if (!sink_) {
      error_ = "MIDI sink " + options_.midiSink + " cannot be written";
      std::fprintf(stderr, "oriwen: MIDI device 0: %s\n", error_.c_str());
    }
    open_ = sink_ != nullptr;
    return open_;
  }
  open_ = synth_.OpenSynth() && synth_.StartAudio();
  if (!open_) {
    error_ = synth_.error();
    std::fprintf(stderr, "oriwen: MIDI device 0: %s\n", error_.c_str());
  }
  return open_;
}

void LinuxMidi::SendShortMessage(std::uint32_t message) {
  if (!open_) return;
  if (sink_) {
    std::fprintf(sink_, "%s\n", MidiHexLine(message).c_str());
    std::fflush(sink_);
    return;
  }
  synth_.Send(message);
}

}  // namespace oriwen::linux_shell
