#include "note_engine/midi_play.h"

namespace oriwen {

bool MIDIPlay::OpenDevice(int deviceIndex) {
  if (deviceIndex < 0 || deviceIndex >= port_.DeviceCount()) return false;
  open_ = port_.Open(deviceIndex);
  return open_;
}

bool MIDIPlay::SetInstrument(int number, int channel) {
  if (number - 1 < 0 || number - 1 > 126) return false;
  return Send(0xC0 + channel, number - 1, 0);
}

// A note outside 0..127 is not sent: its low byte would be read as a status
// byte and corrupt the stream.
bool MIDIPlay::NoteOn(int note, int channel) {
  if (note < 0 || note > 127) return false;
  return Send(0x90 + channel, note, 127);
}

bool MIDIPlay::NoteOff(int note, int channel) {
  if (note < 0 || note > 127) return false;
  return Send(0x80 + channel, note, 0);
}

bool MIDIPlay::Send(int status, int data1, int data2) {
  if (!open_ || status < 0x80 || status > 0xFF) return false;
  port_.SendShortMessage(static_cast<std::uint32_t>(status) |
                         (static_cast<std::uint32_t>(data1) << 8) |
                         (static_cast<std::uint32_t>(data2) << 16));
  return true;
}

}  // namespace oriwen
