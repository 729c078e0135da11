// The entry points the host calls, under their plain names. Each one hands
// over to the module that does the work and never lets anything escape.
#include "plugin/exports.h"

#include "edit/keystroke_handler.h"
#include "host/host_api.h"

extern "C" {

int key(KeystrokeRecord* record) noexcept {
    return HandleKeystroke(record);
}

}  // extern "C"
