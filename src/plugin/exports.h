// The entry points tolvek.dll exports under their plain names.
#pragma once

#include "host/host_api.h"

extern "C" {

// The keystroke handler; always returns 0, the outcome is in the record.
int key(KeystrokeRecord* record) noexcept;

}  // extern "C"
