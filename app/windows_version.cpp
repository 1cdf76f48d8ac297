#include "app/windows_version.h"

#include "app/program.h"

namespace oriwen {

void DetectWindowsVersion(Program& program) {
  program.isWindows6OrLater = program.ports.process.OsMajorVersion() >= 6;
}

}  // namespace oriwen
