// The record the host reads to know the plug-in.
#pragma once

#include "host/host_api.h"

namespace tolvek {

// Stores the six texts and the three version numbers into `record`. The
// reserved bytes are neither written nor read.
void FillPluginInfo(PluginInfoRecord& record);

}  // namespace tolvek
