// The record the host reads to know the plug-in.
#pragma once

#include "host/host_api.h"

namespace tolvek {

// Stores the six texts and the three version numbers into the process's one
// PluginInfoRecord, on every call, and returns its address (always the
// same). The reserved bytes are neither written nor read.
PluginInfoRecord* FillPluginInfo();

}  // namespace tolvek
