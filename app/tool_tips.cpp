#include "app/tool_tips.h"

namespace oriwen {

void AttachMainWindowToolTips(Program& /*program*/) {}

}  // namespace oriwen
