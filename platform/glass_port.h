#pragma once
#include "platform/geometry.h"

namespace oriwen {

struct Margins {
  int left = 0;
  int right = 0;
  int top = 0;
  int bottom = 0;
};

// Desktop composition (glass). Where the system has none, composition is off.
class GlassPort {
 public:
  virtual ~GlassPort() = default;
  virtual bool CompositionEnabled() = 0;
  // Makes the window layered; keepExtendedStyles false replaces every other
  // extended style, true adds the layered bit to them.
  virtual void MakeLayered(WindowId window, bool keepExtendedStyles) = 0;
  virtual void SetLayeredColourKey(WindowId window, Colour key) = 0;
  virtual void ExtendFrameIntoClientArea(WindowId window, Margins margins) = 0;
};

}  // namespace oriwen
