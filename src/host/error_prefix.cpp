#include "host/error_prefix.h"

#include <cstddef>

#include "host/host_api.h"
#include "host/host_expansion.h"
#include "host/plugin_identity.h"
#include "os/os.h"

namespace tolvek {

namespace {

// The batch file's position may hold a long path: its buffer is larger than
// the host's usual HOST_BUFFER_UNITS.
constexpr std::size_t BATCH_BUFFER_UNITS = 8192;

}  // namespace

void PrintErrorPrefix() {
    Qprintf(os::StandardErrorHandle(), u"%s plugin: ", PluginName);

    char16_t buffer[BATCH_BUFFER_UNITS];
    ExpandHostText(buffer, BATCH_BUFFER_UNITS, u"%_batch");
    // "0" means no batch file is running; the batch nesting depth otherwise.
    if (buffer[0] == u'0') return;

    ExpandHostText(buffer, BATCH_BUFFER_UNITS, u"%_batchname [%_batchline]  ");
    Qprintf(os::StandardErrorHandle(), u"%s", buffer);
}

}  // namespace tolvek
