#pragma once
#include <cstdint>

namespace oriwen {

// MIDI output devices of the machine.
class MidiPort {
 public:
  virtual ~MidiPort() = default;
  virtual int DeviceCount() = 0;
  virtual bool Open(int deviceIndex) = 0;
  // One short message: status in bits 0..7, data bytes in bits 8..15 and 16..23.
  virtual void SendShortMessage(std::uint32_t message) = 0;
};

}  // namespace oriwen
