#pragma once
#include <string_view>

#include "platform/geometry.h"

namespace oriwen {

// Named timers of a window. A timer runs while its period is not 0; the
// shell calls the core's timer handler with the timer's name at each tick.
class TimerPort {
 public:
  virtual ~TimerPort() = default;
  virtual void SetTimerPeriod(WindowId window, std::string_view timer, int periodMs) = 0;
  virtual int TimerPeriod(WindowId window, std::string_view timer) const = 0;
};

}  // namespace oriwen
