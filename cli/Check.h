#pragma once

#include "cli/Arguments.h"

namespace fontprobe {

// Tells, before paper is spent, what the queue or printer of the request is
// and whether a raw test page can reach it: 0 when it can, 3 when not.
int Check(const PrintRequest& request);

}  // namespace fontprobe
