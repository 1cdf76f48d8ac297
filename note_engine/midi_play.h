#pragma once
#include <cstdint>

#include "platform/midi_port.h"

namespace oriwen {

// The MIDI output component: short messages to one output device.
class MIDIPlay {
 public:
  explicit MIDIPlay(MidiPort& port) : port_(port) {}

  bool OpenDevice(int deviceIndex);
  bool IsOpen() const { return open_; }
  // Program change to number - 1; refused outside 1..127.
  bool SetInstrument(int number, int channel);
  bool NoteOn(int note, int channel);
  bool NoteOff(int note, int channel);

 private:
  bool Send(int status, int data1, int data2);

  MidiPort& port_;
  bool open_ = false;
};

}  // namespace oriwen
