#include "app/single_instance.h"

#include "app/program.h"

namespace oriwen {

void ReleaseSingleInstance(Program& program) {
  if (program.singleInstanceEvent != kNoToken) {
    program.ports.process.CloseToken(program.singleInstanceEvent);
  }
  program.singleInstanceEvent = kNoToken;
}

}  // namespace oriwen
